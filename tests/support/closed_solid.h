#pragma once
// Whether a triangle mesh bounds a solid, judged by positions alone as a 3D printer would:
// every directed edge is met by exactly one edge running the other way, no triangle has zero
// area, every corner's normal points to the side the triangle's winding faces, and the enclosed
// volume is positive.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <ostream>
#include <vector>

#include "text/outline_extruder.h"

struct SolidFaults {
    size_t unpairedEdges = 0;
    size_t degenerateTriangles = 0;
    size_t normalsAgainstWinding = 0;
    double volume = 0.0;
    bool Closed() const {
        return unpairedEdges == 0 && degenerateTriangles == 0 && normalsAgainstWinding == 0 &&
               volume > 0.0;
    }
};

inline std::ostream& operator<<(std::ostream& out, const SolidFaults& f) {
    return out << f.unpairedEdges << " unpaired edges, " << f.degenerateTriangles
               << " degenerate triangles, " << f.normalsAgainstWinding
               << " normals against the winding, volume " << f.volume;
}

inline SolidFaults InspectSolid(const GlyphMesh& mesh) {
    using Edge = std::array<float, 6>;
    SolidFaults faults;
    std::vector<Edge> edges;
    edges.reserve(mesh.indices.size());
    for (size_t t = 0; t + 2 < mesh.indices.size(); t += 3) {
        const MeshVertex* v[3] = {&mesh.vertices.at(mesh.indices[t]),
                                  &mesh.vertices.at(mesh.indices[t + 1]),
                                  &mesh.vertices.at(mesh.indices[t + 2])};
        for (int k = 0; k < 3; ++k) {
            const float* a = v[k]->position;
            const float* b = v[(k + 1) % 3]->position;
            edges.push_back({a[0], a[1], a[2], b[0], b[1], b[2]});
        }
        // Differences and products of these floats are exact in double.
        double e1[3], e2[3];
        for (int i = 0; i < 3; ++i) {
            e1[i] = static_cast<double>(v[1]->position[i]) - v[0]->position[i];
            e2[i] = static_cast<double>(v[2]->position[i]) - v[0]->position[i];
        }
        const double n[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2],
                             e1[0] * e2[1] - e1[1] * e2[0]};
        if (n[0] == 0.0 && n[1] == 0.0 && n[2] == 0.0) {
            ++faults.degenerateTriangles;
            continue;
        }
        for (int k = 0; k < 3; ++k) {
            const float* s = v[k]->normal;
            if (n[0] * s[0] + n[1] * s[1] + n[2] * s[2] <= 0.0) {
                ++faults.normalsAgainstWinding;
            }
        }
        const float* a = v[0]->position;
        faults.volume += (a[0] * n[0] + a[1] * n[1] + a[2] * n[2]) / 6.0;
    }
    std::sort(edges.begin(), edges.end());
    auto count = [&edges](const Edge& e) {
        const auto range = std::equal_range(edges.begin(), edges.end(), e);
        return range.second - range.first;
    };
    for (const Edge& e : edges) {
        const Edge reverse{e[3], e[4], e[5], e[0], e[1], e[2]};
        if (count(e) != 1 || count(reverse) != 1) {
            ++faults.unpairedEdges;
        }
    }
    return faults;
}
