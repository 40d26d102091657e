#pragma once
// Hand-made display lists that stand in for glyphs where a test needs known geometry.

#include <GL/gl.h>

#include "render/draw_source.h"
#include "scene/text_object.h"

// A unit square facing +z at z = 0 with its back face at z = -0.1 (so a flattened shadow keeps
// whichever faces the eye). Plain triangles only.
GLuint MakeSquareList();
// A character no font is asked for: the glyph the square stands for.
inline constexpr char32_t kSquareCharacter = U'\uE000';
// Makes the slot live with one square glyph, measured as a 1 x 1 glyph on the baseline with the
// pen advance of 1.
void MakeSquareObject(TextObject& object);

// Draws square glyphs as the square list and the texture of a textured object as texture (when
// set); everything else as the source it stands in front of (when there is one).
class SquareSource : public DrawSource {
  public:
    explicit SquareSource(DrawSource* source = nullptr) : behind(source) {}
    void DrawGlyph(const TextObject& object, int glyph) override {
        if (object.glyphCharacters[glyph] == kSquareCharacter) {
            glCallList(square);
        } else if (behind) {
            behind->DrawGlyph(object, glyph);
        }
    }
    GLuint Texture(const TextObject& object) override {
        if (object.hasTexture && texture != 0) {
            return texture;
        }
        return behind ? behind->Texture(object) : 0;
    }
    void KeepOnly(const Scene& scene) override {
        if (behind) {
            behind->KeepOnly(scene);
        }
    }

    GLuint square = 0;
    GLuint texture = 0;
    DrawSource* behind;
};
