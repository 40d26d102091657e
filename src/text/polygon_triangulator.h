#pragma once
// Cuts simple polygons with holes into triangles by ear clipping, using only the polygon's own
// corners: every triangle edge is a polygon edge or a diagonal between corners, so faces meet
// the side walls edge for edge. Integer coordinates, so every decision is exact.

#include <cstdint>
#include <vector>

struct GridPoint {
    int64_t x = 0;
    int64_t y = 0;
};

// Rings of indices into a point list in which no two points are equal; rings may touch one
// another at shared points. The outer ring runs counter-clockwise, holes clockwise.
struct PolygonRings {
    std::vector<uint32_t> outer;
    std::vector<std::vector<uint32_t>> holes;
};

// Appends three point indices per triangle, counter-clockwise; none has zero area, and slivers
// are flipped away where a neighbour allows. False when
// some part could only be filled with overlapping triangles (the rings were not simple).
bool TriangulatePolygon(const std::vector<GridPoint>& points, const PolygonRings& polygon,
                        std::vector<uint32_t>& triangles);
// The same for several polygons on one point list.
bool TriangulatePolygons(const std::vector<GridPoint>& points,
                         const std::vector<PolygonRings>& polygons,
                         std::vector<uint32_t>& triangles);
