#include "text/outline_extruder.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// Adjacent walls turning more than this stay separately shaded even along a curve.
constexpr float kMaxBlendCosine = 0.35f;  // about 70 degrees
constexpr int32_t kNone = -1;
constexpr int32_t kSeveral = -2;

struct Normal2 {
    float x, y;
};

Normal2 OutwardNormal(const OutlinePoint& from, const OutlinePoint& to) {
    // The filled region lies left of the edge, so outside is to its right.
    const float dx = to.x - from.x;
    const float dy = to.y - from.y;
    const float length = std::sqrt(dx * dx + dy * dy);
    if (length <= 0.0f) {
        return {0.0f, 0.0f};
    }
    return {dy / length, -dx / length};
}

Normal2 Blend(Normal2 own, Normal2 neighbour) {
    if (own.x * neighbour.x + own.y * neighbour.y < kMaxBlendCosine) {
        return own;
    }
    const float x = own.x + neighbour.x;
    const float y = own.y + neighbour.y;
    const float length = std::sqrt(x * x + y * y);
    return length > 0.0f ? Normal2{x / length, y / length} : own;
}

void Note(std::vector<int32_t>& slot, uint32_t vertex, int32_t edge) {
    slot[vertex] = slot[vertex] == kNone ? edge : kSeveral;
}

// Writes into storage sized beforehand: a kanji's solid has thousands of vertices.
class MeshWriter {
  public:
    explicit MeshWriter(MeshVertex* next) : next_(next) {}
    void Add(const OutlinePoint& p, float z, Normal2 n) { Add(p, z, n.x, n.y, 0.0f); }
    void Add(const OutlinePoint& p, float z, float nx, float ny, float nz) {
        *next_++ = {{p.x, p.y, z}, {nx, ny, nz}};
    }

  private:
    MeshVertex* next_;
};

bool SamePoint(const OutlinePoint& a, const OutlinePoint& b) {
    return a.x == b.x && a.y == b.y;
}

// A crossing the tesselator computed in double precision can land on a neighbour once stored
// as float; triangles and walls collapsed that way draw nothing and would leave the solid
// with an edge that has no partner, so they are left out.
bool Collapsed(const FaceTriangulation& face, size_t first) {
    const auto& v = face.vertices;
    const auto* t = &face.triangles[first];
    return SamePoint(v[t[0]], v[t[1]]) || SamePoint(v[t[1]], v[t[2]]) ||
           SamePoint(v[t[2]], v[t[0]]);
}

void AddFaces(const FaceTriangulation& face, float zTop, float zBottom, MeshWriter& out) {
    const auto& v = face.vertices;
    const auto& t = face.triangles;
    for (size_t i = 0; i + 2 < t.size(); i += 3) {
        if (!Collapsed(face, i)) {
            for (int k = 0; k < 3; ++k) {
                out.Add(v[t[i + k]], zTop, 0.0f, 0.0f, 1.0f);
            }
        }
    }
    for (size_t i = 0; i + 2 < t.size(); i += 3) {
        if (!Collapsed(face, i)) {
            for (int k = 2; k >= 0; --k) {
                out.Add(v[t[i + k]], zBottom, 0.0f, 0.0f, -1.0f);
            }
        }
    }
}

void AddWalls(const FaceTriangulation& face, float zTop, float zBottom, MeshWriter& out) {
    const auto& v = face.vertices;
    const auto& edges = face.boundary;
    std::vector<int32_t> incoming(v.size(), kNone);
    std::vector<int32_t> outgoing(v.size(), kNone);
    std::vector<Normal2> normals(edges.size());
    for (size_t e = 0; e < edges.size(); ++e) {
        Note(outgoing, edges[e].first, static_cast<int32_t>(e));
        Note(incoming, edges[e].second, static_cast<int32_t>(e));
        normals[e] = OutwardNormal(v[edges[e].first], v[edges[e].second]);
    }
    for (size_t e = 0; e < edges.size(); ++e) {
        const auto [a, b] = edges[e];
        if (SamePoint(v[a], v[b])) {
            continue;
        }
        Normal2 atA = normals[e];
        Normal2 atB = normals[e];
        // Where the outline is smooth and the walls meet one to one, they share a normal.
        if (v[a].smooth && incoming[a] >= 0) {
            atA = Blend(normals[e], normals[static_cast<size_t>(incoming[a])]);
        }
        if (v[b].smooth && outgoing[b] >= 0) {
            atB = Blend(normals[e], normals[static_cast<size_t>(outgoing[b])]);
        }
        out.Add(v[a], zTop, atA);
        out.Add(v[a], zBottom, atA);
        out.Add(v[b], zBottom, atB);
        out.Add(v[a], zTop, atA);
        out.Add(v[b], zBottom, atB);
        out.Add(v[b], zTop, atB);
    }
}

}  // namespace

GlyphMesh ExtrudeFaces(const FaceTriangulation& face, float depth) {
    const float zTop = std::max(0.0f, -depth);
    const float zBottom = std::min(0.0f, -depth);
    const bool walls = zTop > zBottom;
    size_t vertices = 0;
    for (size_t i = 0; i + 2 < face.triangles.size(); i += 3) {
        vertices += Collapsed(face, i) ? 0 : 6;  // front and back
    }
    for (const auto& [a, b] : face.boundary) {
        vertices += walls && !SamePoint(face.vertices[a], face.vertices[b]) ? 6 : 0;
    }
    GlyphMesh mesh;
    mesh.vertices.resize(vertices);
    MeshWriter out(mesh.vertices.data());
    AddFaces(face, zTop, zBottom, out);
    if (walls) {
        AddWalls(face, zTop, zBottom, out);
    }
    return mesh;
}
