#pragma once
// The view's cache drawn from its glyphs' vertex buffers instead of their display lists, to
// measure one against the other.

#include "render/glyph_buffer.h"
#include "render/render_cache.h"

class BufferDrawSource : public DrawSource {
  public:
    // Needs a current context.
    explicit BufferDrawSource(RenderCache& cache) : cache_(cache), gl_(LoadBufferFunctions()) {}
    void DrawGlyph(const TextObject& object, int glyph) override {
        if (const GlyphBuffer* mesh = cache_.Mesh(object, glyph)) {
            DrawGlyphBuffer(gl_, *mesh);
        }
    }
    GLuint Texture(const TextObject& object) override { return cache_.Texture(object); }
    void KeepOnly(const Scene& scene) override { cache_.KeepOnly(scene); }

  private:
    RenderCache& cache_;
    BufferFunctions gl_;
};
