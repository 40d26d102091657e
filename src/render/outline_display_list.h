#pragma once
// Compiles a glyph solid into a GL display list of plain triangles.

#include <cstdint>

#include "text/outline_extruder.h"

// Needs a current context. Only GL_TRIANGLES, so selection and feedback replay it exactly; no pen
// advance, as the objects sharing the list each move their own pen.
void CompileGlyphList(uint32_t list, const GlyphMesh& mesh);
