#include "formats/bmp_reader.h"

#include <sys/stat.h>

#include <cstdio>
#include <memory>
#include <new>

#include "formats/regular_file.h"
#include "resources/texts.h"
#include "scene/cp932.h"

namespace {

constexpr std::size_t kHeaderSize = 54;
constexpr std::size_t kPaletteOffset = 54;
constexpr std::size_t kPaletteSize = 256 * 4;
constexpr std::size_t kIndexOffset = kPaletteOffset + kPaletteSize;  // 1078

struct BmpHeader {
    uint8_t fileType = 0;
    uint32_t offBits = 0;
    int32_t width = 0;
    int32_t height = 0;
    uint16_t bitCount = 0;
};

uint32_t U32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

// header holds kHeaderSize bytes, zero beyond what the file had.
BmpHeader ParseHeader(const uint8_t* header) {
    BmpHeader h;
    h.fileType = header[0];
    h.offBits = U32(header + 10);
    h.width = static_cast<int32_t>(U32(header + 18));
    h.height = static_cast<int32_t>(U32(header + 22));
    h.bitCount = static_cast<uint16_t>(header[28] | header[29] << 8);
    return h;
}

// The checks that need nothing but the header, in the order the user meets them.
BmpStatus CheckHeader(const BmpHeader& h, std::size_t fileSize, BmpResult& result) {
    result.fileType = h.fileType;
    result.bitCount = h.bitCount;
    if (h.fileType != 'B' || (h.bitCount != 24 && h.bitCount != 8)) {
        return BmpStatus::kBadFormat;
    }
    if (fileSize < kHeaderSize) {
        return BmpStatus::kBadFormat;
    }
    if (!CheckTextureSize(h.width, h.height)) {
        return BmpStatus::kBadSize;
    }
    return BmpStatus::kOk;
}

// Where the pixel bytes the header points at lie: [begin, end) of the file. 8-bit files carry
// their palette right before the indices, so that range starts at the palette.
struct PixelSpan {
    uint64_t begin;
    uint64_t end;
};

PixelSpan SpanOf(const BmpHeader& h) {
    const uint64_t texels = static_cast<uint64_t>(h.width) * static_cast<uint64_t>(h.height);
    if (h.bitCount == 8) {
        return {kPaletteOffset, kIndexOffset + texels};
    }
    return {h.offBits, static_cast<uint64_t>(h.offBits) + texels * 3};
}

// span holds the bytes of SpanOf(h).
BmpStatus ConvertPixels(const BmpHeader& h, const uint8_t* span, int alpha, BmpImage& image) {
    const int channels = alpha == kBmpRgb ? 3 : 4;
    const std::size_t count = static_cast<std::size_t>(h.width) * h.height;
    try {
        image.texels.assign(count * channels, 0);
    } catch (const std::bad_alloc&) {
        return BmpStatus::kNoMemory;
    }
    image.width = h.width;
    image.height = h.height;
    image.channels = channels;
    const uint8_t* palette = span;
    const uint8_t* indices = span + kPaletteSize;
    uint8_t* out = image.texels.data();
    for (std::size_t i = 0; i < count; ++i) {
        const uint8_t* bgr = h.bitCount == 8 ? palette + 4 * indices[i] : span + 3 * i;
        out[0] = bgr[2];
        out[1] = bgr[1];
        out[2] = bgr[0];
        if (channels == 4) {
            out[3] = static_cast<uint8_t>(alpha);
        }
        out += channels;
    }
    return BmpStatus::kOk;
}

bool ReadAt(std::FILE* file, uint64_t offset, uint8_t* out, std::size_t size) {
    if (offset > static_cast<uint64_t>(INT64_MAX) ||
        fseeko(file, static_cast<off_t>(offset), SEEK_SET) != 0) {
        return false;
    }
    return std::fread(out, 1, size, file) == size;
}

BmpResult Failed(BmpResult result, BmpStatus status) {
    result.status = status;
    result.image = {};
    return result;
}

}  // namespace

bool CheckTextureSize(int32_t width, int32_t height) {
    auto valid = [](int32_t side) {
        for (int i = 2; i <= 7; ++i) {
            if (side == 2 << i) {
                return true;
            }
        }
        return false;
    };
    return valid(width) && valid(height);
}

BmpResult DecodeBmp(const uint8_t* data, std::size_t size, int alpha) {
    BmpResult result;
    if (alpha < -2 || alpha > 255) {
        return Failed(result, BmpStatus::kBadAlpha);
    }
    uint8_t header[kHeaderSize] = {};
    std::copy(data, data + std::min(size, kHeaderSize), header);
    const BmpHeader h = ParseHeader(header);
    if (const BmpStatus status = CheckHeader(h, size, result); status != BmpStatus::kOk) {
        return Failed(result, status);
    }
    const PixelSpan span = SpanOf(h);
    if (span.end > size) {
        return Failed(result, BmpStatus::kBadFormat);
    }
    result.status = ConvertPixels(h, data + span.begin, alpha, result.image);
    return result;
}

BmpResult ReadBmpFile(const std::string& path, int alpha) {
    BmpResult result;
    if (alpha < -2 || alpha > 255) {
        return Failed(result, BmpStatus::kBadAlpha);
    }
    const FileHandle file = OpenRegularFile(path);
    struct stat info {};
    if (!file || fstat(fileno(file.get()), &info) != 0) {
        return Failed(result, BmpStatus::kCannotOpen);
    }
    const uint64_t fileSize = static_cast<uint64_t>(info.st_size);
    uint8_t header[kHeaderSize] = {};
    const std::size_t headerBytes =
        static_cast<std::size_t>(std::min<uint64_t>(fileSize, kHeaderSize));
    if (!ReadAt(file.get(), 0, header, headerBytes)) {
        return Failed(result, BmpStatus::kCannotOpen);
    }
    const BmpHeader h = ParseHeader(header);
    if (const BmpStatus status = CheckHeader(h, headerBytes, result); status != BmpStatus::kOk) {
        return Failed(result, status);
    }
    const PixelSpan span = SpanOf(h);
    if (span.end > fileSize) {
        return Failed(result, BmpStatus::kBadFormat);
    }
    std::vector<uint8_t> pixels;
    try {
        pixels.resize(static_cast<std::size_t>(span.end - span.begin));
    } catch (const std::bad_alloc&) {
        return Failed(result, BmpStatus::kNoMemory);
    }
    if (!ReadAt(file.get(), span.begin, pixels.data(), pixels.size())) {
        return Failed(result, BmpStatus::kCannotOpen);
    }
    result.status = ConvertPixels(h, pixels.data(), alpha, result.image);
    return result;
}

std::string BmpFailureMessage(const BmpResult& result) {
    switch (result.status) {
        case BmpStatus::kOk:
            return {};
        case BmpStatus::kBadAlpha:
            return texts::kBadAlpha;
        case BmpStatus::kCannotOpen:
            return texts::kBmpOpenFailed;
        case BmpStatus::kBadSize:
            return texts::kBadBitmapSize;
        case BmpStatus::kNoMemory:
            return texts::kTextureMemoryFailed;
        case BmpStatus::kBadFormat:
            break;
    }
    // The first byte as a character when it is one; control bytes and lead bytes show as '?'.
    std::string type = "?";
    const char byte = static_cast<char>(result.fileType);
    if (result.fileType >= 0x20 && result.fileType != 0x7F && !IsCp932LeadByte(result.fileType)) {
        type = Cp932ToUtf8(std::string_view(&byte, 1)).value_or("?");
    }
    // Substituted by hand: the type byte may itself be a '%'.
    std::string message = texts::kBadBitmapFormat;
    message.replace(message.find("%d"), 2, std::to_string(result.bitCount));
    message.replace(message.find("%c"), 2, type);
    return message;
}
