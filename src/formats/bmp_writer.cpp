#include "formats/bmp_writer.h"

namespace {

void Put16(std::vector<uint8_t>& out, std::size_t at, uint16_t v) {
    out[at] = static_cast<uint8_t>(v);
    out[at + 1] = static_cast<uint8_t>(v >> 8);
}

void Put32(std::vector<uint8_t>& out, std::size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out[at + i] = static_cast<uint8_t>(v >> (8 * i));
    }
}

}  // namespace

uint32_t BmpRowBytes(int32_t width) {
    const uint32_t bytes = static_cast<uint32_t>(width) * 3;
    return (bytes + 3) & ~3u;
}

std::vector<uint8_t> EncodeBmp24(const VmImageRecord& image) {
    const uint32_t rowBytes = BmpRowBytes(image.width);
    const uint32_t height = static_cast<uint32_t>(image.height);
    std::vector<uint8_t> file(kBmpFileHeaderSize + static_cast<std::size_t>(rowBytes) * height, 0);
    Put16(file, 0, 0x4D42);
    Put32(file, 2, static_cast<uint32_t>(file.size()));
    Put32(file, 10, kBmpFileHeaderSize);
    Put32(file, 14, 40);
    Put32(file, 18, static_cast<uint32_t>(image.width));
    Put32(file, 22, height);
    Put16(file, 26, 1);
    Put16(file, 28, 24);
    for (uint32_t row = 0; row < height; ++row) {
        // File row 0 is the picture's bottom row.
        const uint8_t* src = image.pixels + static_cast<std::size_t>(height - 1 - row) *
                                                static_cast<std::size_t>(image.rowBytes);
        uint8_t* dst = file.data() + kBmpFileHeaderSize + static_cast<std::size_t>(row) * rowBytes;
        for (int32_t x = 0; x < image.width; ++x) {
            dst[0] = src[2];
            dst[1] = src[1];
            dst[2] = src[0];
            src += 3;
            dst += 3;
        }
    }
    return file;
}
