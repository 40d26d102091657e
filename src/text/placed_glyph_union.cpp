#include "text/placed_glyph_union.h"

namespace {

OutlineContour Moved(const std::vector<OutlinePoint>& points, const std::vector<uint32_t>& ring,
                     float dx) {
    OutlineContour contour;
    contour.reserve(ring.size());
    for (const uint32_t i : ring) {
        OutlinePoint p = points[i];
        p.x += dx;
        contour.push_back(p);
    }
    return contour;
}

}  // namespace

FaceTriangulation UnitePlacedFaces(const std::vector<PlacedFace>& faces, float origin) {
    // Holes run clockwise, so under the non-zero rule a neighbour that covers one fills it.
    FlatOutline outline;
    for (const PlacedFace& placed : faces) {
        const float dx = placed.pen - origin;
        for (const PolygonRings& polygon : placed.face->polygons) {
            outline.contours.push_back(Moved(placed.face->vertices, polygon.outer, dx));
            for (const auto& hole : polygon.holes) {
                outline.contours.push_back(Moved(placed.face->vertices, hole, dx));
            }
        }
    }
    return TessellateOutline(outline);
}
