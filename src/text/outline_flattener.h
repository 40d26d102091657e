#pragma once
// Turns a FreeType outline into closed polygons in em units, each curve cut into just enough
// straight pieces to stay within the chordal tolerance.

#include <ft2build.h>
#include FT_OUTLINE_H

#include "text/outline_contours.h"

// Row-major 2x2 matrix applied after scaling to em units: x' = xx·x + xy·y, y' = yx·x + yy·y.
struct OutlineMatrix {
    float xx = 1.0f, xy = 0.0f;
    float yx = 0.0f, yy = 1.0f;
};

inline constexpr float kChordalTolerance = 0.001f;

// unitsToEm scales font units (or whatever the outline holds) to em units. Contours that
// enclose nothing (fewer than three distinct points) are dropped.
FlatOutline FlattenOutline(const FT_Outline& outline, float unitsToEm,
                           const OutlineMatrix& matrix = {}, float tolerance = kChordalTolerance);
