#pragma once
// Builds the closed solid of a glyph from its filled outline: front face, back face and the
// side walls between them.

#include <cstddef>
#include <vector>

#include "text/outline_tessellator.h"

struct MeshVertex {
    float position[3];
    float normal[3];
};

// Three vertices per triangle, counter-clockwise seen from outside.
struct GlyphMesh {
    std::vector<MeshVertex> vertices;
    std::size_t TriangleCount() const { return vertices.size() / 3; }
};

// Front face at z = 0 facing +z, back face at z = -depth facing -z (a negative depth puts the
// solid in front of z = 0, still facing outwards). Side normals blend across smooth outline
// points and stay sharp at corners.
GlyphMesh ExtrudeFaces(const FaceTriangulation& face, float depth);
