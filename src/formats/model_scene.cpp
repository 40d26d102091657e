#include "formats/model_scene.h"

#include <algorithm>
#include <cmath>

ModelMatrix IdentityMatrix() {
    return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
}

ModelMatrix GlyphMatrix(const ModelGlyph& glyph) {
    ModelMatrix m = IdentityMatrix();
    if (glyph.sideways) {
        m[0] = m[5] = 0.0;
        m[1] = -1.0;
        m[4] = 1.0;
    }
    m[12] = glyph.advance;
    m[13] = glyph.rise;
    return m;
}

ModelMatrix Multiply(const ModelMatrix& a, const ModelMatrix& b) {
    ModelMatrix out{};
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k) {
                sum += a[k * 4 + row] * b[column * 4 + k];
            }
            out[column * 4 + row] = sum;
        }
    }
    return out;
}

std::array<double, 3> TransformPoint(const ModelMatrix& m, const float* p) {
    std::array<double, 3> out{};
    for (int row = 0; row < 3; ++row) {
        out[row] = m[row] * p[0] + m[4 + row] * p[1] + m[8 + row] * p[2] + m[12 + row];
    }
    return out;
}

namespace {

// Rows of the inverse transpose of m's upper 3 x 3, up to a positive factor (the adjugate
// transposed with the determinant's sign), which is all a direction needs before normalising.
std::array<double, 9> NormalMatrix(const ModelMatrix& m) {
    auto at = [&m](int row, int column) { return m[column * 4 + row]; };
    std::array<double, 9> cof{};
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            const int r1 = (r + 1) % 3, r2 = (r + 2) % 3, c1 = (c + 1) % 3, c2 = (c + 2) % 3;
            cof[r * 3 + c] = at(r1, c1) * at(r2, c2) - at(r1, c2) * at(r2, c1);
        }
    }
    const double det = at(0, 0) * cof[0] + at(0, 1) * cof[1] + at(0, 2) * cof[2];
    if (det < 0.0) {
        for (double& v : cof) {
            v = -v;
        }
    }
    return cof;
}

}  // namespace

ModelMesh WorldMesh(const ModelScene& scene, const ModelObject& object, const ModelMatrix& world) {
    ModelMesh out;
    std::size_t vertices = 0, indices = 0;
    bool texcoords = true;
    for (const ModelGlyph& glyph : object.glyphs) {
        const ModelMesh& mesh = scene.meshes[glyph.mesh];
        vertices += mesh.VertexCount();
        indices += mesh.indices.size();
        texcoords = texcoords && mesh.texcoords.size() == mesh.VertexCount() * 2;
    }
    out.positions.reserve(vertices * 3);
    out.normals.reserve(vertices * 3);
    out.indices.reserve(indices);
    if (texcoords) {
        out.texcoords.reserve(vertices * 2);
    }
    const ModelMatrix placed = Multiply(world, object.transform);
    const std::array<double, 9> n = NormalMatrix(placed);
    for (const ModelGlyph& glyph : object.glyphs) {
        const ModelMesh& mesh = scene.meshes[glyph.mesh];
        const ModelMatrix m = Multiply(placed, GlyphMatrix(glyph));
        const auto first = static_cast<uint32_t>(out.VertexCount());
        for (std::size_t v = 0; v < mesh.VertexCount(); ++v) {
            const std::array<double, 3> p = TransformPoint(m, &mesh.positions[v * 3]);
            const float* a = &mesh.normals[v * 3];
            double d[3];
            for (int r = 0; r < 3; ++r) {
                d[r] = n[r * 3] * a[0] + n[r * 3 + 1] * a[1] + n[r * 3 + 2] * a[2];
            }
            const double length = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
            for (int r = 0; r < 3; ++r) {
                out.positions.push_back(static_cast<float>(p[r]));
                out.normals.push_back(length > 0.0 ? static_cast<float>(d[r] / length) : 0.0f);
            }
        }
        if (texcoords) {
            out.texcoords.insert(out.texcoords.end(), mesh.texcoords.begin(), mesh.texcoords.end());
        }
        for (uint32_t index : mesh.indices) {
            out.indices.push_back(first + index);
        }
    }
    return out;
}

ModelBounds SceneBounds(const ModelScene& scene) {
    ModelBounds bounds;
    for (const ModelObject& object : scene.objects) {
        for (const ModelGlyph& glyph : object.glyphs) {
            const ModelMesh& mesh = scene.meshes[glyph.mesh];
            const ModelMatrix m = Multiply(object.transform, GlyphMatrix(glyph));
            for (std::size_t v = 0; v < mesh.VertexCount(); ++v) {
                const std::array<double, 3> p = TransformPoint(m, &mesh.positions[v * 3]);
                for (int k = 0; k < 3; ++k) {
                    bounds.min[k] = bounds.empty ? p[k] : std::min(bounds.min[k], p[k]);
                    bounds.max[k] = bounds.empty ? p[k] : std::max(bounds.max[k], p[k]);
                }
                bounds.empty = false;
            }
        }
    }
    return bounds;
}
