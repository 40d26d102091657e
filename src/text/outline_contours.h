#pragma once
// A glyph outline after flattening: closed polygons in em units.

#include <vector>

struct OutlinePoint {
    float x = 0.0f;
    float y = 0.0f;
    // Lies on a curve or where two segments meet tangentially: side normals blend here.
    bool smooth = false;
};

// Closed: the last point connects back to the first, which is not repeated.
using OutlineContour = std::vector<OutlinePoint>;

struct FlatOutline {
    std::vector<OutlineContour> contours;
};
