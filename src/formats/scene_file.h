#pragma once
// The scene file: a 132-byte header with the scene-wide settings, then one 544-byte record per
// live slot. Little-endian whatever the host; fonts and textures travel as names and paths only.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "formats/scene_extension.h"
#include "scene/scene.h"

inline constexpr std::size_t kSceneHeaderSize = 132;
inline constexpr std::size_t kSceneRecordSize = 544;
// Nothing after the 32nd record and an extension block is ever looked at.
inline constexpr std::size_t kSceneFileReadLimit =
    kSceneHeaderSize + kSceneRecordSize * kSlotCount + kSceneExtensionMaxSize;

enum class SceneFileStatus {
    kOk,
    kCannotOpen,    // the file could not be opened or read
    kNotSceneFile,  // header too short or wrong magic
    kCannotWrite,   // the file could not be created, written or put in place
};

// What a read that succeeded has to tell the user.
struct SceneFileNotes {
    // Bytes after the records began like an extension block but failed its checks: the records
    // opened without what it held (bevels and the like).
    bool extensionDamaged = false;
};

// What a save that succeeded has to tell the user.
struct SceneSaveNotes {
    // The studio's environment file found no room in the file: it opens with the built-in light.
    bool environmentDropped = false;
};

// Header and one record per live slot, in slot order; then, only when the scene or a live slot
// differs from the defaults, one extension block.
std::vector<uint8_t> EncodeSceneFile(const Scene& scene, SceneSaveNotes* notes = nullptr);

// Fills the scene from file bytes. On kNotSceneFile the scene is untouched; otherwise every slot
// is reset first, records fill slots 0, 1, 2... and a trailing partial record is ignored unless
// it is exactly one intact extension block. Glyphs are not laid out nor textures read here.
SceneFileStatus DecodeSceneFile(const uint8_t* data, std::size_t size, Scene& scene,
                                SceneFileNotes* notes = nullptr);

// path is a file-system path. Writes beside the target and renames over it, so a failed save
// never damages the file that was there.
SceneFileStatus WriteSceneFile(const std::string& path, const Scene& scene,
                               SceneSaveNotes* notes = nullptr);
SceneFileStatus ReadSceneFile(const std::string& path, Scene& scene,
                              SceneFileNotes* notes = nullptr);
