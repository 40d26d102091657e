#pragma once
// The display lists and textures of the GL context current while its owner uses it: glyph lists
// are made here and every name is deleted here, so only code that holds the context frees them.

#include "render/glyph_builder.h"

class GlContextNames : public GlyphListTarget {
  public:
    uint32_t NewList() override;
    void Compile(uint32_t list, const GlyphMesh& mesh, float advance) override;
    void DeleteList(uint32_t list) override;
    void DeleteTexture(uint32_t texture) override;
};
