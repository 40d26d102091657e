#include "formats/model_writers.h"

#include <algorithm>

#include "formats/path_names.h"

std::optional<ModelFormat> ModelFormatOfPath(const std::string& path) {
    const std::string extension = LowercaseExtension(path);
    if (extension == "glb") {
        return ModelFormat::kGlb;
    }
    if (extension == "3mf") {
        return ModelFormat::k3mf;
    }
    if (extension == "stl") {
        return ModelFormat::kStl;
    }
    if (extension == "obj") {
        return ModelFormat::kObj;
    }
    return std::nullopt;
}

bool IsPrintFormat(ModelFormat format) {
    return format == ModelFormat::k3mf || format == ModelFormat::kStl;
}

ModelMatrix PrintMatrix(const ModelScene& scene, double sizeMm) {
    const ModelBounds b = SceneBounds(scene);
    double extent = 0.0;
    for (int k = 0; k < 3; ++k) {
        extent = std::max(extent, b.max[k] - b.min[k]);
    }
    const double s = extent > 0.0 && sizeMm > 0.0 ? sizeMm / extent : 1.0;
    // x stays, y becomes z, z becomes -y: a proper rotation, so solids keep facing outwards.
    return {s, 0, 0, 0, 0, 0, s, 0, 0, -s, 0, 0, -s * b.min[0], s * b.max[2], -s * b.min[1], 1};
}

bool WriteModel(ModelFormat format, const ModelScene& scene, const std::string& path,
                double sizeMm) {
    switch (format) {
        case ModelFormat::kGlb:
            return WriteGlb(scene, path);
        case ModelFormat::k3mf:
            return Write3mf(scene, path, sizeMm);
        case ModelFormat::kStl:
            return WriteStl(scene, path, sizeMm);
        case ModelFormat::kObj:
            return WriteObj(scene, path);
    }
    return false;
}
