// Any bytes may arrive as a scene file. Read from disk they must give what the in-memory decoder
// gives, with terminated fields; and what was read must come back unchanged after a save and a
// second read, as when the user opens a file and saves it again.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

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
           a.TextureFile() == b.TextureFile() && a.bevel == b.bevel;
}

bool SameSettings(const Scene& a, const Scene& b) {
    return SameBits(a.light.position, b.light.position) && a.shadow.enabled == b.shadow.enabled &&
           SameBits(a.shadow.plane, b.shadow.plane) && SameBits(a.shadow.color, b.shadow.color) &&
           SameBits(a.backgroundColor, b.backgroundColor) &&
           SameBits(a.view.perspective, b.view.perspective);
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static const FuzzInputFile input;
    static const FuzzScratchFolder scratch;
    auto fromFile = std::make_unique<Scene>();
    auto fromMemory = std::make_unique<Scene>();
    const SceneFileStatus status = ReadSceneFile(input.Hold(data, size), *fromFile);
    Check(DecodeSceneFile(data, size, *fromMemory) == status);
    if (status != SceneFileStatus::kOk) {
        return 0;
    }
    Check(FieldsTerminated(*fromFile) && SameSettings(*fromFile, *fromMemory));
    for (int slot = 0; slot < kSlotCount; ++slot) {
        Check(SameStoredFields(fromFile->objects[slot], fromMemory->objects[slot]));
    }

    // Opening builds glyphs for every slot with text; only those are saved, packed in slot order.
    for (TextObject& object : fromFile->objects) {
        object.glyphCount = static_cast<int32_t>(object.Text().size());
    }
    const std::string saved = scratch.File("saved.vmk");
    Check(WriteSceneFile(saved, *fromFile) == SceneFileStatus::kOk);
    auto reopened = std::make_unique<Scene>();
    Check(ReadSceneFile(saved, *reopened) == SceneFileStatus::kOk);
    Check(SameSettings(*fromFile, *reopened));
    int next = 0;
    for (const TextObject& object : fromFile->objects) {
        if (object.IsLive()) {
            Check(SameStoredFields(object, reopened->objects[next++]));
        }
    }
    for (; next < kSlotCount; ++next) {
        Check(reopened->objects[next].Text().empty());
    }
    for (TextObject& object : fromFile->objects) {
        object.glyphCount = 0;  // there are no lists behind the counts
    }
    return 0;
}
