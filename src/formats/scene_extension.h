#pragma once
// The one block that may follow a scene file's records, holding what the records cannot: bevels,
// typography, surfaces and the studio look. Shorter than a record while fewer than 32 records
// precede it, so readers that follow the record layout skip it as a trailing partial record.
// Written as "VMKX"; the older bevel-only "VMKB" is still read.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "scene/scene.h"

// The longest block: a "VMKX" head, 32 entries, the longest environment path, the check.
inline constexpr std::size_t kSceneExtensionMaxSize = 12 + 16 * kSlotCount + 1 + 200 + 4;

// recordObjects[k] is the object written as record k. Empty when the scene and every object are
// at their defaults, so such a file stays exactly the record layout. The environment file's path
// is left out when the block would grow as long as a record before the 32nd; environmentDropped
// then says so.
std::vector<uint8_t> EncodeSceneExtension(const Scene& scene,
                                          const std::vector<const TextObject*>& recordObjects,
                                          bool* environmentDropped = nullptr);

enum class SceneExtensionRead {
    kNone,     // nothing there, or bytes that are no block at all
    kApplied,  // one intact block, now in the scene
    kDamaged,  // a block's magic, but the block fails its checks: nothing taken from it
};

// data: the bytes after the last whole record; records: how many there were (slots 0 ...
// records - 1). The scene is left as it is unless the block is applied.
SceneExtensionRead DecodeSceneExtension(const uint8_t* data, std::size_t size, std::size_t records,
                                        Scene& scene);
