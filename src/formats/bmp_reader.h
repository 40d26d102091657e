#pragma once
// Decodes BMP texture files (8-bit palette or 24-bit, sides 8 to 256 in powers of two) without
// GL, so that every check can be tested and fuzzed on its own.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class BmpStatus {
    kOk,
    kBadAlpha,    // alpha outside -2 ... 255
    kCannotOpen,  // file missing or unreadable
    kBadFormat,   // not 'B', depth not 8 or 24, or the file ends before its header or pixels
    kBadSize,     // a side that is not 8, 16, 32, 64, 128 or 256
    kNoMemory,    // no room for the texels
};

struct BmpImage {
    int32_t width = 0;
    int32_t height = 0;
    int channels = 0;  // 3 (RGB) or 4 (RGBA)
    // Row-major, row 0 first, as glTexImage2D takes it: row 0 is the picture's bottom row, so
    // the picture stands upright where t grows upwards.
    std::vector<uint8_t> texels;
};

struct BmpResult {
    BmpStatus status = BmpStatus::kOk;
    // What the format message shows: the file's first byte and its colour depth (0 for bytes
    // the file does not have).
    uint8_t fileType = 0;
    int bitCount = 0;
    BmpImage image;
};

inline constexpr int kBmpRgb = -1;

// True when each side is one of 8, 16, 32, 64, 128, 256.
bool CheckTextureSize(int32_t width, int32_t height);

// alpha -1: RGB texels; any other value in -2 ... 255: RGBA texels with alpha's low 8 bits.
BmpResult DecodeBmp(const uint8_t* data, std::size_t size, int alpha);
// Reads only the header first and then only the bytes its fields point at. path is a file-system
// path.
BmpResult ReadBmpFile(const std::string& path, int alpha);

// The user's message for a failed result (UTF-8), caption texts::kBmpCaption.
std::string BmpFailureMessage(const BmpResult& result);
