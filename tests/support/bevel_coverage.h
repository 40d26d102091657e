#pragma once
// Of a glyph's outline length: how much got a bevel, how much lies where a circle as wide as the
// bevel fits the stroke, and how much of that kept the width asked for within 5%. Each edge is
// judged at its middle: the width is how far the front face's edge lies in from it there.

#include <algorithm>
#include <cmath>

#include "text/outline_bevel.h"

struct BevelCoverage {
    double length = 0.0, bevelled = 0.0, roomy = 0.0, kept = 0.0;

    BevelCoverage& operator+=(const BevelCoverage& other) {
        length += other.length;
        bevelled += other.bevelled;
        roomy += other.roomy;
        kept += other.kept;
        return *this;
    }
};

inline double SegmentDistance(double px, double py, const OutlinePoint& a, const OutlinePoint& b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    const double t =
        length2 > 0.0 ? std::clamp(((px - a.x) * dx + (py - a.y) * dy) / length2, 0.0, 1.0) : 0.0;
    return std::hypot(px - a.x - t * dx, py - a.y - t * dy);
}

inline BevelCoverage MeasureCoverage(const FaceTriangulation& face, const BevelledFace& inset,
                                     float width) {
    BevelCoverage c;
    for (const BevelRing& ring : inset.rings) {
        const size_t n = ring.outline.size();
        const bool flat = ring.rows.size() == n;
        const OutlinePoint* front = ring.rows.data() + ring.rows.size() - n;
        for (size_t i = 0; i < n; ++i) {
            const OutlinePoint& a = ring.rows[i];
            const OutlinePoint& b = ring.rows[(i + 1) % n];
            const double length = std::hypot(b.x - a.x, b.y - a.y);
            if (length == 0.0) {
                continue;  // between the copies of a round corner
            }
            const double nx = -(b.y - a.y) / length, ny = (b.x - a.x) / length;
            const double mx = (a.x + b.x) / 2.0, my = (a.y + b.y) / 2.0;
            const double got = flat ? 0.0
                                    : ((front[i].x + front[(i + 1) % n].x) / 2.0 - mx) * nx +
                                          ((front[i].y + front[(i + 1) % n].y) / 2.0 - my) * ny;
            double room = 1e9;
            for (const auto& [from, to] : face.boundary) {
                room = std::min(room, SegmentDistance(mx + width * nx, my + width * ny,
                                                      face.vertices[from], face.vertices[to]));
            }
            const bool roomy = room >= width * 0.999;
            c.length += length;
            c.bevelled += got > 0.0 ? length : 0.0;
            c.roomy += roomy ? length : 0.0;
            c.kept += roomy && std::abs(got - width) <= 0.05 * width ? length : 0.0;
        }
    }
    return c;
}
