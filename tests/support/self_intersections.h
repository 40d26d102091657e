#pragma once
// Pairs of triangles of one solid that meet anywhere but in the corners and the edge they share,
// judged with CGAL's exact predicates on the positions as a reader of the file gets them. A
// solid is a set of triangles joined through corners at the same position, so glyphs that
// overlap without sharing a corner are separate solids and may cross each other.

#include <CGAL/Exact_predicates_inexact_constructions_kernel.h>
#include <CGAL/box_intersection_d.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <numeric>
#include <vector>

struct TriangleSoup {
    std::vector<std::array<double, 3>> points;
    std::vector<std::array<uint32_t, 3>> triangles;
};

namespace self_intersections {

using Kernel = CGAL::Exact_predicates_inexact_constructions_kernel;
using Point = Kernel::Point_3;

// Whether two triangles, their corners numbered by position, meet beyond what they share.
inline bool Cross(const std::array<uint32_t, 3>& s, const std::array<uint32_t, 3>& t,
                  const std::vector<Point>& p) {
    const Kernel::Triangle_3 a(p[s[0]], p[s[1]], p[s[2]]);
    const Kernel::Triangle_3 b(p[t[0]], p[t[1]], p[t[2]]);
    int shared = 0, i = 0, j = 0;
    for (int u = 0; u < 3; ++u) {
        for (int v = 0; v < 3; ++v) {
            if (s[u] == t[v]) {
                ++shared;
                i = u;
                j = v;
            }
        }
    }
    if (shared == 0) {
        return CGAL::do_intersect(a, b);
    }
    if (shared == 1) {
        // Only the far edge of one can reach into the other.
        return CGAL::do_intersect(a, Kernel::Segment_3(p[t[(j + 1) % 3]], p[t[(j + 2) % 3]])) ||
               CGAL::do_intersect(b, Kernel::Segment_3(p[s[(i + 1) % 3]], p[s[(i + 2) % 3]]));
    }
    if (shared == 3) {
        return true;  // the same triangle twice
    }
    // Sharing an edge, they overlap only folded flat onto one side of it.
    const uint32_t ownFar = s[0] != t[0] && s[0] != t[1] && s[0] != t[2]   ? s[0]
                            : s[1] != t[0] && s[1] != t[1] && s[1] != t[2] ? s[1]
                                                                           : s[2];
    const uint32_t otherFar = t[0] != s[0] && t[0] != s[1] && t[0] != s[2]   ? t[0]
                              : t[1] != s[0] && t[1] != s[1] && t[1] != s[2] ? t[1]
                                                                             : t[2];
    uint32_t edge[2], k = 0;
    for (uint32_t c : s) {
        if (c != ownFar) {
            edge[k++] = c;
        }
    }
    const Point &e0 = p[edge[0]], &e1 = p[edge[1]], &f = p[ownFar], &g = p[otherFar];
    return CGAL::coplanar(e0, e1, f, g) &&
           CGAL::coplanar_orientation(e0, e1, f, g) == CGAL::POSITIVE;
}

}  // namespace self_intersections

// Self-intersecting pairs, counted within each solid; degenerate triangles are left to the
// closed-solid inspection.
inline std::size_t SelfIntersectingPairs(const TriangleSoup& soup) {
    using namespace self_intersections;
    std::map<std::array<double, 3>, uint32_t> ids;
    std::vector<Point> points;
    std::vector<uint32_t> id(soup.points.size());
    for (std::size_t v = 0; v < soup.points.size(); ++v) {
        const auto [it, added] = ids.emplace(soup.points[v], static_cast<uint32_t>(points.size()));
        if (added) {
            const auto& q = soup.points[v];
            points.emplace_back(q[0], q[1], q[2]);
        }
        id[v] = it->second;
    }
    std::vector<uint32_t> parent(points.size());
    std::iota(parent.begin(), parent.end(), 0u);
    auto root = [&parent](uint32_t i) {
        while (parent[i] != i) {
            i = parent[i] = parent[parent[i]];
        }
        return i;
    };
    std::vector<std::array<uint32_t, 3>> triangles;
    for (const auto& t : soup.triangles) {
        const std::array<uint32_t, 3> c{id[t[0]], id[t[1]], id[t[2]]};
        parent[root(c[1])] = root(c[0]);
        parent[root(c[2])] = root(c[0]);
        if (!CGAL::collinear(points[c[0]], points[c[1]], points[c[2]])) {
            triangles.push_back(c);
        }
    }
    using Box = CGAL::Box_intersection_d::Box_with_info_d<double, 3, std::size_t>;
    std::vector<Box> boxes;
    for (std::size_t k = 0; k < triangles.size(); ++k) {
        const auto& t = triangles[k];
        boxes.emplace_back(points[t[0]].bbox() + points[t[1]].bbox() + points[t[2]].bbox(), k);
    }
    std::size_t pairs = 0;
    CGAL::box_self_intersection_d(boxes.begin(), boxes.end(), [&](const Box& a, const Box& b) {
        const auto& s = triangles[a.info()];
        const auto& t = triangles[b.info()];
        pairs += root(s[0]) == root(t[0]) && Cross(s, t, points) ? 1 : 0;
    });
    return pairs;
}
