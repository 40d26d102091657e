#pragma once
// Captures as uncompressed 24-bit BMP files: 54-byte header, rows bottom-up, each row padded
// with zeros to a multiple of 4 bytes.

#include <cstdint>
#include <vector>

#include "formats/jpeg_contract.h"

inline constexpr uint32_t kBmpFileHeaderSize = 54;

// width * 3 rounded up to a multiple of 4.
uint32_t BmpRowBytes(int32_t width);
// The whole file for a top-down RGB image.
std::vector<uint8_t> EncodeBmp24(const VmImageRecord& image);
