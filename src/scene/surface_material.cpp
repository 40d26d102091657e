#include "scene/surface_material.h"

#include <algorithm>
#include <cmath>

namespace {

struct MetalColour {
    MaterialPreset preset;
    float rgb[3];
};

// Reflectance at normal incidence of the pure metals, linear.
constexpr MetalColour kMetalColours[] = {
    {MaterialPreset::kGold, {1.000f, 0.766f, 0.336f}},
    {MaterialPreset::kSilver, {0.972f, 0.960f, 0.915f}},
    {MaterialPreset::kCopper, {0.955f, 0.637f, 0.538f}},
    {MaterialPreset::kChrome, {0.550f, 0.556f, 0.554f}},
};

constexpr uint8_t ToByte(float unit) {
    return static_cast<uint8_t>(unit * 255.0f + 0.5f);
}

}  // namespace

float RoughnessFromShininess(float shininess) {
    return static_cast<float>(
        std::clamp(std::sqrt(2.0 / (std::max(0.0f, shininess) + 2.0)), double{kMinRoughness}, 1.0));
}

SurfaceSettings PresetSurface(MaterialPreset preset) {
    SurfaceSettings surface;
    surface.preset = preset;
    switch (preset) {
        case MaterialPreset::kGold:
            surface.metallic = 255;
            surface.roughness = ToByte(0.25f);
            break;
        case MaterialPreset::kSilver:
            surface.metallic = 255;
            surface.roughness = ToByte(0.20f);
            break;
        case MaterialPreset::kCopper:
            surface.metallic = 255;
            surface.roughness = ToByte(0.30f);
            break;
        case MaterialPreset::kChrome:
            surface.metallic = 255;
            surface.roughness = ToByte(0.05f);
            break;
        case MaterialPreset::kGlossyPlastic:
            surface.roughness = ToByte(0.20f);
            break;
        case MaterialPreset::kMatte:
            surface.roughness = ToByte(0.90f);
            break;
        case MaterialPreset::kNone:
        case MaterialPreset::kOriginalColour:
            break;
    }
    return surface;
}

SurfaceMaterial ResolveSurface(const TextObject& object) {
    SurfaceMaterial material;
    std::copy(object.diffuse, object.diffuse + 4, material.baseColour);
    for (const MetalColour& metal : kMetalColours) {
        if (metal.preset == object.surface.preset) {
            std::copy(metal.rgb, metal.rgb + 3, material.baseColour);
        }
    }
    material.metallic = object.surface.metallic / 255.0f;
    material.roughness = object.surface.roughness == 0
                             ? RoughnessFromShininess(object.shininess)
                             : std::max(kMinRoughness, object.surface.roughness / 255.0f);
    return material;
}
