// Any bytes may arrive as a scene file: the reader must stop at their end and keep its fields
// terminated.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "formats/scene_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static Scene scene;
    if (DecodeSceneFile(data, size, scene) == SceneFileStatus::kOk) {
        for (const TextObject& object : scene.objects) {
            if (std::memchr(object.text, 0, sizeof object.text) == nullptr ||
                std::memchr(object.faceName, 0, sizeof object.faceName) == nullptr ||
                std::memchr(object.textureFile, 0, sizeof object.textureFile) == nullptr) {
                __builtin_trap();
            }
        }
        if (!(scene.view.perspective > 0.0f)) {
            __builtin_trap();
        }
    }
    return 0;
}
