#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "formats/model_writers.h"
#include "formats/replace_file.h"

namespace {

void PutFloat(std::vector<uint8_t>& out, float v) {
    uint32_t bits = 0;
    std::memcpy(&bits, &v, 4);
    for (int k = 0; k < 4; ++k) {
        out.push_back(static_cast<uint8_t>(bits >> (8 * k)));
    }
}

// The facet normal from the corners, since a printer's software trusts it over shading normals.
void PutTriangle(std::vector<uint8_t>& out, const float* a, const float* b, const float* c) {
    const double u[3] = {double{b[0]} - a[0], double{b[1]} - a[1], double{b[2]} - a[2]};
    const double v[3] = {double{c[0]} - a[0], double{c[1]} - a[1], double{c[2]} - a[2]};
    double n[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
    const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    for (double& k : n) {
        PutFloat(out, length > 0.0 ? static_cast<float>(k / length) : 0.0f);
    }
    for (const float* p : {a, b, c}) {
        for (int k = 0; k < 3; ++k) {
            PutFloat(out, p[k]);
        }
    }
    out.push_back(0);
    out.push_back(0);
}

bool WriteObjects(const ModelScene& scene, std::FILE* file, double sizeMm) {
    uint64_t triangles = 0;
    for (const ModelObject& object : scene.objects) {
        for (const ModelGlyph& glyph : object.glyphs) {
            triangles += scene.meshes[glyph.mesh].TriangleCount();
        }
    }
    if (triangles > 0xFFFFFFFFu) {
        return false;
    }
    std::vector<uint8_t> bytes(80, 0);
    const char header[] = "Vellumark binary STL, millimetres";
    std::memcpy(bytes.data(), header, sizeof header - 1);
    for (int k = 0; k < 4; ++k) {
        bytes.push_back(static_cast<uint8_t>(triangles >> (8 * k)));
    }
    const ModelMatrix print = PrintMatrix(scene, sizeMm);
    // One object at a time, so a scene of many long texts never sits in memory whole.
    for (const ModelObject& object : scene.objects) {
        const ModelMesh mesh = WorldMesh(scene, object, print);
        const float* p = mesh.positions.data();
        const auto& i = mesh.indices;
        for (std::size_t t = 0; t + 2 < i.size(); t += 3) {
            PutTriangle(bytes, p + i[t] * 3, p + i[t + 1] * 3, p + i[t + 2] * 3);
        }
        if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
            return false;
        }
        bytes.clear();
    }
    return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

}  // namespace

bool WriteStl(const ModelScene& scene, const std::string& path, double sizeMm) {
    TemporaryFile temporary(path);
    if (!temporary.IsOpen()) {
        return false;
    }
    std::FILE* file = std::fopen(temporary.path().c_str(), "wb");
    bool written = file != nullptr && WriteObjects(scene, file, sizeMm);
    if (file != nullptr) {
        written = std::fclose(file) == 0 && written;
    }
    return written && temporary.Commit();
}
