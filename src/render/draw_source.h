#pragma once
// Where the renderer takes each object's glyph solids and texture from: the view's render cache
// in the program, hand-made geometry in tests.

#include <GL/gl.h>

#include "scene/scene.h"

class DrawSource {
  public:
    virtual ~DrawSource() = default;
    // Draws the object's glyph i at the pen, without its pen advance (plain triangles only, so
    // selection and feedback see exactly what is drawn).
    virtual void DrawGlyph(const TextObject& object, int glyph) = 0;
    // The same from the glyph's vertex buffer, for the shader paths (positions and normals as
    // gl_Vertex and gl_Normal); a source without buffers draws as above.
    virtual void DrawGlyphFromBuffer(const TextObject& object, int glyph) {
        DrawGlyph(object, glyph);
    }
    // The object's texture, 0 when it has none.
    virtual GLuint Texture(const TextObject& object) = 0;
    // A whole frame of the scene was drawn: whatever none of its objects shows may go.
    virtual void KeepOnly(const Scene& scene) = 0;
};
