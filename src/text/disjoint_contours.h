#pragma once
// Most glyph outlines need no clipping: their contours neither cross nor touch, and they nest so
// that the non-zero rule fills exactly one side of each. Then the contours themselves are the
// united outline, and proving it is much cheaper than computing the union.

#include <cstdint>
#include <vector>

#include "text/polygon_triangulator.h"

// rings: closed rings of indices into points, no two consecutive points equal. On success
// polygons holds each outer ring counter-clockwise with its holes clockwise. False when some
// edges meet anywhere but at their shared corner, a ring doubles back, a coordinate exceeds
// 2^24, or some contour does not part filled from empty.
bool NestDisjointRings(const std::vector<GridPoint>& points,
                       const std::vector<std::vector<uint32_t>>& rings,
                       std::vector<PolygonRings>& polygons);
