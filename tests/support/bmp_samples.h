#pragma once
// Hand-made BMP files for the texture tests: the bytes a paint program would write.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace bmp_samples {

struct Rgb {
    uint8_t r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

// Colour of picture column x, picture row y counted from the top.
using Painter = std::function<Rgb(int x, int y)>;

inline void Put(std::vector<uint8_t>& out, std::size_t at, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out[at + i] = static_cast<uint8_t>(v >> (8 * i));
    }
}

inline std::vector<uint8_t> Header(int32_t width, int32_t height, uint16_t bits, uint32_t offBits,
                                   uint32_t fileSize) {
    std::vector<uint8_t> out(54, 0);
    out[0] = 'B';
    out[1] = 'M';
    Put(out, 2, fileSize, 4);
    Put(out, 10, offBits, 4);
    Put(out, 14, 40, 4);
    Put(out, 18, static_cast<uint32_t>(width), 4);
    Put(out, 22, static_cast<uint32_t>(height), 4);
    Put(out, 26, 1, 2);
    Put(out, 28, bits, 2);
    return out;
}

// Bottom-up 24-bit file; rows padded to 4 bytes (no padding for the widths textures allow).
inline std::vector<uint8_t> Make24(int32_t width, int32_t height, const Painter& paint) {
    const uint32_t rowBytes = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
    std::vector<uint8_t> out = Header(width, height, 24, 54, 54 + rowBytes * height);
    out.resize(54 + rowBytes * height, 0);
    for (int row = 0; row < height; ++row) {
        for (int x = 0; x < width; ++x) {
            const Rgb c = paint(x, height - 1 - row);
            uint8_t* p = out.data() + 54 + row * rowBytes + x * 3;
            p[0] = c.b;
            p[1] = c.g;
            p[2] = c.r;
        }
    }
    return out;
}

// Bottom-up 8-bit file with a full palette; index(x, y) picks the entry, palette(i) its colour.
inline std::vector<uint8_t> Make8(int32_t width, int32_t height,
                                  const std::function<uint8_t(int x, int y)>& index,
                                  const std::function<Rgb(int i)>& palette) {
    const uint32_t size = 1078 + static_cast<uint32_t>(width * height);
    std::vector<uint8_t> out = Header(width, height, 8, 1078, size);
    out.resize(size, 0);
    for (int i = 0; i < 256; ++i) {
        const Rgb c = palette(i);
        out[54 + 4 * i] = c.b;
        out[55 + 4 * i] = c.g;
        out[56 + 4 * i] = c.r;
    }
    for (int row = 0; row < height; ++row) {
        for (int x = 0; x < width; ++x) {
            out[1078 + row * width + x] = index(x, height - 1 - row);
        }
    }
    return out;
}

}  // namespace bmp_samples
