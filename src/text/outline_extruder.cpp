#include "text/outline_extruder.h"

#include <algorithm>
#include <cmath>

namespace {

// Adjacent walls turning more than this stay separately shaded even along a curve.
constexpr float kMaxBlendCosine = 0.35f;  // about 70 degrees
constexpr int32_t kNone = -1;
constexpr int32_t kSeveral = -2;

void Note(std::vector<int32_t>& slot, uint32_t vertex, int32_t edge) {
    slot[vertex] = slot[vertex] == kNone ? edge : kSeveral;
}

}  // namespace

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

namespace {

class MeshWriter {
  public:
    explicit MeshWriter(GlyphMesh& mesh) : mesh_(mesh) {}
    uint32_t Add(const OutlinePoint& p, float z, float nx, float ny, float nz) {
        mesh_.vertices.push_back({{p.x, p.y, z}, {nx, ny, nz}, {p.x, p.y}});
        return static_cast<uint32_t>(mesh_.vertices.size() - 1);
    }
    // The top and bottom corners of a wall at p; the bottom one is the returned index + 1.
    uint32_t AddWallPair(const OutlinePoint& p, float zTop, float zBottom, Normal2 n) {
        const uint32_t top = Add(p, zTop, n.x, n.y, 0.0f);
        Add(p, zBottom, n.x, n.y, 0.0f);
        return top;
    }
    void Triangle(uint32_t a, uint32_t b, uint32_t c) {
        mesh_.indices.push_back(a);
        mesh_.indices.push_back(b);
        mesh_.indices.push_back(c);
    }

  private:
    GlyphMesh& mesh_;
};

void AddFaces(const FaceTriangulation& face, float zTop, float zBottom, MeshWriter& out) {
    const auto& t = face.triangles;
    const auto count = static_cast<uint32_t>(face.vertices.size());
    for (const OutlinePoint& p : face.vertices) {
        out.Add(p, zTop, 0.0f, 0.0f, 1.0f);
    }
    for (const OutlinePoint& p : face.vertices) {
        out.Add(p, zBottom, 0.0f, 0.0f, -1.0f);
    }
    for (size_t i = 0; i + 2 < t.size(); i += 3) {
        out.Triangle(t[i], t[i + 1], t[i + 2]);
    }
    for (size_t i = 0; i + 2 < t.size(); i += 3) {
        out.Triangle(count + t[i + 2], count + t[i + 1], count + t[i]);
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
    // Where the outline is smooth and the walls meet one to one, they share a normal.
    std::vector<Normal2> atStart(normals), atEnd(normals);
    for (size_t e = 0; e < edges.size(); ++e) {
        const auto [a, b] = edges[e];
        if (v[a].smooth && incoming[a] >= 0) {
            atStart[e] = Blend(normals[e], normals[static_cast<size_t>(incoming[a])]);
        }
        if (v[b].smooth && outgoing[b] >= 0) {
            atEnd[e] = Blend(normals[e], normals[static_cast<size_t>(outgoing[b])]);
        }
    }
    std::vector<uint32_t> endPair(edges.size());
    for (size_t e = 0; e < edges.size(); ++e) {
        endPair[e] = out.AddWallPair(v[edges[e].second], zTop, zBottom, atEnd[e]);
    }
    for (size_t e = 0; e < edges.size(); ++e) {
        const int32_t before = incoming[edges[e].first];
        const bool shared = before >= 0 && atEnd[static_cast<size_t>(before)] == atStart[e];
        const uint32_t a = shared ? endPair[static_cast<size_t>(before)]
                                  : out.AddWallPair(v[edges[e].first], zTop, zBottom, atStart[e]);
        const uint32_t b = endPair[e];
        out.Triangle(a, a + 1, b + 1);
        out.Triangle(a, b + 1, b);
    }
}

}  // namespace

GlyphMesh ExtrudeFaces(const FaceTriangulation& face, float depth) {
    const float zTop = std::max(0.0f, -depth);
    const float zBottom = std::min(0.0f, -depth);
    const bool walls = zTop > zBottom;
    GlyphMesh mesh;
    // A kanji's solid has thousands of vertices: one allocation each.
    mesh.vertices.reserve(2 * face.vertices.size() + (walls ? 4 * face.boundary.size() : 0));
    mesh.indices.reserve(2 * face.triangles.size() + (walls ? 6 * face.boundary.size() : 0));
    MeshWriter out(mesh);
    AddFaces(face, zTop, zBottom, out);
    if (walls) {
        AddWalls(face, zTop, zBottom, out);
    }
    return mesh;
}
