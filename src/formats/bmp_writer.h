#pragma once
// Captures as uncompressed 24-bit BMP files: 54-byte header, rows bottom-up, each row padded
// with zeros to a multiple of 4 bytes.

#include <array>
#include <cstdint>
#include <vector>

#include "formats/jpeg_contract.h"

inline constexpr uint32_t kBmpFileHeaderSize = 54;

// width * 3 rounded up to a multiple of 4.
uint32_t BmpRowBytes(int32_t width);
// The 54 bytes before the pixels of a width x height file.
std::array<uint8_t, kBmpFileHeaderSize> BmpHeader24(int32_t width, int32_t height);
// A row of the picture as the file stores it: blue, green, red, zero padding to rowBytes.
void PackBmpRow(const uint8_t* rgb, int32_t width, uint8_t* out);
// The whole file for a top-down RGB image.
std::vector<uint8_t> EncodeBmp24(const VmImageRecord& image);
