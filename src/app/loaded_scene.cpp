#include "app/loaded_scene.h"

#include "render/projection.h"
#include "render/texture.h"

LoadedScene::~LoadedScene() {
    for (TextObject& object : scene.objects) {
        object.ResetObject();
    }
}

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
        glyphs_.RebuildGlyphLists(object, messages_);
        LoadObjectTextureFromPath(object, messages_);
    }
    return status;
}
