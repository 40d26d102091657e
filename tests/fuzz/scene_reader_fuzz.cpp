// Any bytes may arrive as a scene file. Decoded they must give terminated fields, and what was
// read must come back unchanged after a save and a second read, as when the user opens a file and
// saves it again; read from disk (for a share of the inputs) they must give what memory gives.
// A mutated extension block almost never keeps its check, so each input with a block's magic
// after the records is also tried with the check put right: the block's own fields are reached.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "formats/scene_file.h"
#include "fuzz/fuzz_file.h"

namespace {

template <typename T>
bool SameBits(const T& a, const T& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

bool SameStoredFields(const TextObject& a, const TextObject& b) {
    return a.Text() == b.Text() && a.FaceName() == b.FaceName() && a.italic == b.italic &&
           a.charSet == b.charSet && SameBits(a.position, b.position) &&
           SameBits(a.rotation, b.rotation) && SameBits(a.scale, b.scale) &&
           SameBits(a.diffuse, b.diffuse) && SameBits(a.specular, b.specular) &&
           SameBits(a.ambient, b.ambient) && SameBits(a.shininess, b.shininess) &&
           a.TextureFile() == b.TextureFile() && a.bevel == b.bevel &&
           a.typography == b.typography && a.surface == b.surface;
}

bool SameSettings(const Scene& a, const Scene& b) {
    return SameBits(a.light.position, b.light.position) && a.shadow.enabled == b.shadow.enabled &&
           SameBits(a.shadow.plane, b.shadow.plane) && SameBits(a.shadow.color, b.shadow.color) &&
           SameBits(a.backgroundColor, b.backgroundColor) &&
           SameBits(a.view.perspective, b.view.perspective) && a.studio == b.studio;
}

bool FieldsTerminated(const Scene& scene) {
    for (const TextObject& object : scene.objects) {
        if (std::memchr(object.text, 0, sizeof object.text) == nullptr ||
            std::memchr(object.faceName, 0, sizeof object.faceName) == nullptr ||
            std::memchr(object.textureFile, 0, sizeof object.textureFile) == nullptr) {
            return false;
        }
    }
    return scene.view.perspective > 0.0f;
}

void Check(bool ok) {
    if (!ok) {
        __builtin_trap();
    }
}

bool SameScene(const Scene& a, const Scene& b) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (!SameStoredFields(a.objects[slot], b.objects[slot])) {
            return false;
        }
    }
    return SameSettings(a, b);
}

// The bytes with the check of a trailing block recomputed; empty when there is no block's magic.
std::vector<uint8_t> WithCheckPutRight(const uint8_t* data, std::size_t size) {
    if (size < kSceneHeaderSize) {
        return {};
    }
    const std::size_t records =
        std::min<std::size_t>(kSlotCount, (size - kSceneHeaderSize) / kSceneRecordSize);
    const std::size_t at = kSceneHeaderSize + records * kSceneRecordSize;
    if (size - at < 8 ||
        (std::memcmp(data + at, "VMKX", 4) != 0 && std::memcmp(data + at, "VMKB", 4) != 0)) {
        return {};
    }
    std::vector<uint8_t> bytes(data, data + size);
    const uint32_t crc = Crc32(data + at, size - at - 4);
    for (int i = 0; i < 4; ++i) {
        bytes[size - 4 + i] = static_cast<uint8_t>(crc >> (8 * i));
    }
    return bytes;
}

// Every successful read resets each field compared here, so the scenes are made once: fresh
// 100 KB scenes for every input cost more than the reading itself.
struct Scenes {
    Scene read;
    Scene fromFile;
    Scene reopened;
};

void RoundTrip(const uint8_t* data, std::size_t size, bool throughFiles) {
    static const FuzzInputFile input;
    static const FuzzScratchFolder scratch;
    static Scenes& scenes = *new Scenes;
    Scene* scene = &scenes.read;
    const SceneFileStatus status = DecodeSceneFile(data, size, *scene);
    if (throughFiles) {
        Scene* fromFile = &scenes.fromFile;
        Check(ReadSceneFile(input.Hold(data, size), *fromFile) == status);
        Check(status != SceneFileStatus::kOk || SameScene(*fromFile, *scene));
    }
    if (status != SceneFileStatus::kOk) {
        return;
    }
    Check(FieldsTerminated(*scene));

    // Opening builds glyphs for every slot with text; only those are saved, packed in slot order.
    for (TextObject& object : scene->objects) {
        object.glyphCount = static_cast<int32_t>(object.Text().size());
    }
    Scene* reopened = &scenes.reopened;
    if (throughFiles) {
        const std::string saved = scratch.File("saved.vmk");
        Check(WriteSceneFile(saved, *scene) == SceneFileStatus::kOk);
        Check(ReadSceneFile(saved, *reopened) == SceneFileStatus::kOk);
    } else {
        const std::vector<uint8_t> saved = EncodeSceneFile(*scene);
        Check(DecodeSceneFile(saved.data(), saved.size(), *reopened) == SceneFileStatus::kOk);
    }
    Check(SameSettings(*scene, *reopened));
    int next = 0;
    for (const TextObject& object : scene->objects) {
        if (object.IsLive()) {
            Check(SameStoredFields(object, reopened->objects[next++]));
        }
    }
    for (; next < kSlotCount; ++next) {
        Check(reopened->objects[next].Text().empty());
    }
    for (TextObject& object : scene->objects) {
        object.glyphCount = 0;  // there are no lists behind the counts
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const bool throughFiles = ThroughFiles(data, size);
    RoundTrip(data, size, throughFiles);
    const std::vector<uint8_t> checked = WithCheckPutRight(data, size);
    if (!checked.empty()) {
        RoundTrip(checked.data(), checked.size(), throughFiles);
    }
    return 0;
}
