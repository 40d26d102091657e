#pragma once
// PNG files in memory, for pictures that travel inside other files (textures of 3D models).

#include <cstdint>
#include <vector>

// 8-bit RGB (channels 3) or RGBA (4), rows packed, row 0 first in the file. Empty on failure.
std::vector<uint8_t> EncodePng(const uint8_t* pixels, int32_t width, int32_t height, int channels);
