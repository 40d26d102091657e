#pragma once
// BMP textures on text objects: one GL texture object per picture, wrapped over the glyphs by
// object-linear texture-coordinate generation. Needs the rendering context current.

#include <cstdint>

#include "formats/bmp_reader.h"

// The name of one new texture holding the picture, bound to GL_TEXTURE_2D with the parameters
// below.
uint32_t UploadTexture(const BmpImage& image);

// Linear filters, object-linear s and t, modulate; for the texture bound now.
void ApplyTextureParameters();
