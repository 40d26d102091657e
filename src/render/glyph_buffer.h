#pragma once
// A glyph solid held by GL as a vertex buffer, for the classic draw and for shader paths alike.
//
// Layout: GL_ARRAY_BUFFER of vertexCount vertices, plain GL_TRIANGLES (three vertices each,
// counter-clockwise seen from outside), interleaved float32 with a stride of 24 bytes:
//   position x, y, z at byte 0, normal x, y, z (unit length) at byte 12.
// Glyph units as the outlines give them, the pen at the origin (no advance): the front face at
// z = 0 facing +z, the back at z = -depth, the object's depth already applied. Texture
// coordinates are object x and y, so a shader or texgen takes them from the position.

#include <cstddef>

#include "render/buffer_functions.h"
#include "text/outline_extruder.h"

struct GlyphBuffer {
    static constexpr GLsizei kStride = 6 * sizeof(float);
    static constexpr std::size_t kPositionOffset = 0;
    static constexpr std::size_t kNormalOffset = 3 * sizeof(float);

    GLuint buffer = 0;
    GLsizei vertexCount = 0;
};

// The mesh's triangles in a new buffer, or an empty one when it has none. Needs a current context;
// leaves no buffer bound.
GlyphBuffer UploadGlyphBuffer(const BufferFunctions& gl, const GlyphMesh& mesh);

// Draws the buffer with the fixed-function pipeline, as the classic view and pictures do: vertex
// and normal arrays from the buffer, texture coordinates from the current generation. Works in
// selection and feedback modes too.
void DrawGlyphBuffer(const BufferFunctions& gl, const GlyphBuffer& glyph);
