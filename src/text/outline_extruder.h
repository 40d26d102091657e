#pragma once
// Builds the closed solid of a glyph from its filled outline: front face, back face and the
// side walls between them, as an indexed triangle mesh.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "text/outline_tessellator.h"

struct MeshVertex {
    float position[3];
    float normal[3];
    // Object x and y, what the view's object-linear texture generation gives.
    float texCoord[2];
};

// Three indices per triangle, counter-clockwise seen from outside. A vertex is shared only by
// corners that agree in position, normal and texture coordinate.
struct GlyphMesh {
    std::vector<MeshVertex> vertices;
    std::vector<uint32_t> indices;
    std::size_t TriangleCount() const { return indices.size() / 3; }
};

// A wall's outward direction in the plane.
struct Normal2 {
    float x, y;
    bool operator==(const Normal2& other) const { return x == other.x && y == other.y; }
};
// The filled region lies left of from -> to.
Normal2 OutwardNormal(const OutlinePoint& from, const OutlinePoint& to);
// own averaged with a neighbouring wall's normal, unless they turn too far apart to share one.
Normal2 Blend(Normal2 own, Normal2 neighbour);

// Front face at z = 0 facing +z, back face at z = -depth facing -z (a negative depth puts the
// solid in front of z = 0, still facing outwards). Side normals blend across smooth outline
// points and stay sharp at corners.
GlyphMesh ExtrudeFaces(const FaceTriangulation& face, float depth);
