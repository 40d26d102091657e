#pragma once
// Unites a glyph's flattened contours under the non-zero rule into simple polygons with holes,
// on an integer grid: overlapping contours, synthetic bold and the oblique shear then leave no
// crossings, T-junctions or doubled walls behind.

#include <vector>

#include "text/outline_contours.h"
#include "text/polygon_triangulator.h"

// Grid steps per em. Glyphs stay within a few em, so each grid point is exactly a float and
// the clipper keeps to plain 64-bit arithmetic.
inline constexpr double kGridStepsPerEm = 1 << 20;

struct UnitedOutline {
    // Distinct points of the united outline: on the grid, and in em units with the smoothness
    // of the outline point they came from (points made where contours cross are corners).
    std::vector<GridPoint> grid;
    std::vector<OutlinePoint> points;
    // Outer rings counter-clockwise, holes clockwise; no two rings share an edge or a point,
    // nor does a ring pass a point twice.
    std::vector<PolygonRings> polygons;
    bool ok = true;
};

UnitedOutline UniteContours(const FlatOutline& outline);
