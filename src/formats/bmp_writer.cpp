#include "formats/bmp_writer.h"

namespace {

template <typename Bytes>
void Put16(Bytes& out, std::size_t at, uint16_t v) {
    out[at] = static_cast<uint8_t>(v);
    out[at + 1] = static_cast<uint8_t>(v >> 8);
}

template <typename Bytes>
void Put32(Bytes& out, std::size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out[at + i] = static_cast<uint8_t>(v >> (8 * i));
    }
}

}  // namespace

uint32_t BmpRowBytes(int32_t width) {
    const uint32_t bytes = static_cast<uint32_t>(width) * 3;
    return (bytes + 3) & ~3u;
}

std::array<uint8_t, kBmpFileHeaderSize> BmpHeader24(int32_t width, int32_t height) {
    std::array<uint8_t, kBmpFileHeaderSize> header{};
    const std::size_t size =
        kBmpFileHeaderSize + static_cast<std::size_t>(BmpRowBytes(width)) * height;
    Put16(header, 0, 0x4D42);
    Put32(header, 2, static_cast<uint32_t>(size));
    Put32(header, 10, kBmpFileHeaderSize);
    Put32(header, 14, 40);
    Put32(header, 18, static_cast<uint32_t>(width));
    Put32(header, 22, static_cast<uint32_t>(height));
    Put16(header, 26, 1);
    Put16(header, 28, 24);
    return header;
}

void PackBmpRow(const uint8_t* rgb, int32_t width, uint8_t* out) {
    for (int32_t x = 0; x < width; ++x) {
        out[0] = rgb[2];
        out[1] = rgb[1];
        out[2] = rgb[0];
        rgb += 3;
        out += 3;
    }
    const uint32_t used = static_cast<uint32_t>(width) * 3;
    for (uint32_t i = used; i < BmpRowBytes(width); ++i) {
        *out++ = 0;
    }
}

std::vector<uint8_t> EncodeBmp24(const VmImageRecord& image) {
    const uint32_t rowBytes = BmpRowBytes(image.width);
    const uint32_t height = static_cast<uint32_t>(image.height);
    const auto header = BmpHeader24(image.width, image.height);
    std::vector<uint8_t> file(header.begin(), header.end());
    file.resize(kBmpFileHeaderSize + static_cast<std::size_t>(rowBytes) * height, 0);
    for (uint32_t row = 0; row < height; ++row) {
        // File row 0 is the picture's bottom row.
        const uint8_t* src = image.pixels + static_cast<std::size_t>(height - 1 - row) *
                                                static_cast<std::size_t>(image.rowBytes);
        PackBmpRow(src, image.width,
                   file.data() + kBmpFileHeaderSize + static_cast<std::size_t>(row) * rowBytes);
    }
    return file;
}
