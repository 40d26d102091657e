#pragma once
// Hand-made display lists that stand in for glyphs where a test needs known geometry.

#include <GL/gl.h>

#include "scene/text_object.h"

// A unit square facing +z at z = 0 with its back face at z = -0.1 (so a flattened shadow keeps
// whichever faces the eye), then the pen advance of 1. Plain triangles only.
GLuint MakeSquareList();
// Makes the slot live with that one list, measured as a 1 x 1 glyph on the baseline.
void MakeSquareObject(TextObject& object, GLuint list);
