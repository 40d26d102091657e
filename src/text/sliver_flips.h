#pragma once
// Thin triangles made fat by flipping their longest edge towards the neighbour across it. Once a
// file rounds the corners (float millimetres, six decimals), a sliver can turn over and overlap
// its neighbours.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "text/polygon_triangulator.h"

// Triangles lower than this, in grid steps (some 3e-5 em, as far as a 1 mm print's rounding may
// move a corner twice over), count as slivers.
inline constexpr double kMinTriangleHeight = 32.0;

// Three indices per triangle from first on, counter-clockwise. Corners, boundary and area stay;
// a flip is made only where both new triangles are higher than the lower of the two old ones.
// Slivers whose longest edge is on the boundary stay.
void FlipSlivers(const std::vector<GridPoint>& points, std::vector<uint32_t>& triangles,
                 size_t first = 0);
