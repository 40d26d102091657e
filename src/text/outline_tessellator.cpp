#include "text/outline_tessellator.h"

#include <cstddef>
#include <utility>

#include "text/outline_union.h"

namespace {

void AddRingEdges(const std::vector<uint32_t>& ring, FaceTriangulation& face) {
    for (size_t i = 0; i < ring.size(); ++i) {
        face.boundary.emplace_back(ring[i], ring[(i + 1) % ring.size()]);
    }
}

}  // namespace

FaceTriangulation TessellateOutline(const FlatOutline& outline) {
    FaceTriangulation face;
    UnitedOutline united = UniteContours(outline);
    face.ok = united.ok;
    face.vertices = std::move(united.points);
    // A polygon of n corners and h holes falls into n + 2h - 2 triangles.
    size_t triangles = united.grid.size();
    for (const PolygonRings& polygon : united.polygons) {
        triangles += 2 * polygon.holes.size();
    }
    face.triangles.reserve(3 * triangles);
    face.boundary.reserve(united.grid.size() + united.polygons.size());
    // Should a polygon not be simple after all, its face overlaps itself but stays closed.
    TriangulatePolygons(united.grid, united.polygons, face.triangles);
    for (const PolygonRings& polygon : united.polygons) {
        AddRingEdges(polygon.outer, face);
        for (const auto& hole : polygon.holes) {
            AddRingEdges(hole, face);
        }
    }
    face.polygons = std::move(united.polygons);
    return face;
}
