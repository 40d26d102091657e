#include "app/loaded_scene.h"

#include "document/object_texture.h"
#include "render/projection.h"

SceneFileStatus LoadedScene::Load(const std::string& path) {
    InitRenderState();
    SetLightColors();
    ResetSceneSettings(scene);
    const SceneFileStatus status = ReadSceneFile(path, scene);
    if (status != SceneFileStatus::kOk) {
        return status;
    }
    for (int i = 0; i < 3; ++i) {
        scene.guideColor[i] = 1.0f - scene.backgroundColor[i];
    }
    for (int slot = 0; slot < kSlotCount; ++slot) {
        TextObject& object = scene.objects[slot];
        object.SetIndex(slot);
        glyphs_.Relayout(object, messages_);
        LoadObjectTextureFromPath(object, pictures_, messages_);
    }
    return status;
}
