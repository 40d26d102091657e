#pragma once
// The physically based look's settings: an object's surface and the scene's light and ground.
// Kept with the scene file so that no save loses them; the defaults leave the classic look.

#include <cstdint>
#include <string>

enum class MaterialPreset : uint8_t {
    kNone = 0,
    kGold,
    kSilver,
    kCopper,
    kChrome,
    kGlossyPlastic,
    kMatte,
    kOriginalColour,
};
inline constexpr uint8_t kLastMaterialPreset =
    static_cast<uint8_t>(MaterialPreset::kOriginalColour);

struct SurfaceSettings {
    uint8_t metallic = 0;   // 0 ... 255 for 0 ... 1
    uint8_t roughness = 0;  // 0: from the shininess as the glTF export maps it; else n / 255
    MaterialPreset preset = MaterialPreset::kNone;

    bool operator==(const SurfaceSettings& other) const {
        return metallic == other.metallic && roughness == other.roughness && preset == other.preset;
    }
    bool operator!=(const SurfaceSettings& other) const { return !(*this == other); }
};

enum class SceneLook : uint8_t { kClassic = 0, kStudio = 1 };

inline constexpr int kMaxExposureTenthsEv = 50;
inline constexpr std::size_t kMaxEnvironmentPathBytes = 200;

struct StudioSettings {
    SceneLook look = SceneLook::kClassic;
    // CP932; empty: the built-in studio light.
    std::string environmentFile;
    int8_t exposureTenthsEv = 0;
    uint8_t shadowSoftness = 0;
    bool groundReflection = false;
    bool ambientOcclusion = false;

    bool operator==(const StudioSettings& other) const {
        return look == other.look && environmentFile == other.environmentFile &&
               exposureTenthsEv == other.exposureTenthsEv &&
               shadowSoftness == other.shadowSoftness &&
               groundReflection == other.groundReflection &&
               ambientOcclusion == other.ambientOcclusion;
    }
    bool operator!=(const StudioSettings& other) const { return !(*this == other); }
};
