#pragma once
// Fills a flattened outline (non-zero winding, so overlapping contours stay solid) with plain
// triangles and reports the edges that bound the filled region. The contours are united first,
// so triangles and boundary share every corner and no two boundary edges overlap.

#include <cstdint>
#include <utility>
#include <vector>

#include "text/outline_contours.h"
#include "text/polygon_triangulator.h"

struct FaceTriangulation {
    // Corners of the united outline, each point once.
    std::vector<OutlinePoint> vertices;
    // Three indices per triangle, counter-clockwise seen from +z, none of zero area.
    std::vector<uint32_t> triangles;
    // Boundary edges (from, to) with the filled region on their left.
    std::vector<std::pair<uint32_t, uint32_t>> boundary;
    // The same boundary as rings of vertex indices, each outer ring with its holes.
    std::vector<PolygonRings> polygons;
    bool ok = true;
};

FaceTriangulation TessellateOutline(const FlatOutline& outline);
