#pragma once
// The metallic-roughness surface an object shows in the studio look and in exported models,
// resolved from its classic material and its surface settings. One place, so that a model viewer
// shows what the studio view shows.

#include "scene/studio_look.h"
#include "scene/text_object.h"

struct SurfaceMaterial {
    float baseColour[4] = {1.0f, 1.0f, 1.0f, 1.0f};  // linear RGBA
    float metallic = 0.0f;
    float roughness = 1.0f;  // 0.04 ... 1
    float emissive[3] = {0.0f, 0.0f, 0.0f};
};

inline constexpr float kMinRoughness = 0.04f;

// The classic shininess (0 ... 128) as a roughness, the mapping the model export has always used.
float RoughnessFromShininess(float shininess);

// The metallic and roughness bytes a preset stands for; kNone and kOriginalColour give the
// classic values (metallic 0, roughness from the shininess).
SurfaceSettings PresetSurface(MaterialPreset preset);

// Metal presets bring their own colour; every other surface keeps the object's diffuse colour.
SurfaceMaterial ResolveSurface(const TextObject& object);
