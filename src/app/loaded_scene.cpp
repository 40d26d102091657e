#include "app/loaded_scene.h"

#include "document/object_texture.h"
#include "render/projection.h"
#include "resources/texts.h"
#include "scene/cp932.h"

SceneFileStatus ReadScene(const std::string& path, Scene& scene, MessageSink& messages) {
    SceneFileNotes notes;
    const SceneFileStatus status = ReadSceneFile(path, scene, &notes);
    if (status == SceneFileStatus::kOk) {
        scene.SetFilePath(Utf8ToCp932(path).value_or(std::string()));
        if (notes.extensionDamaged) {
            messages.ShowMessage(texts::kSceneExtensionDamaged, path, MessageOwner::kNone);
        }
    }
    return status;
}

SceneFileStatus LoadedScene::Load(const std::string& path) {
    InitRenderState();
    SetLightColors();
    ResetSceneSettings(scene);
    const SceneFileStatus status = ReadScene(path, scene, messages_);
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
        LoadObjectTextureFromPath(object, scene.FilePath(), pictures_, messages_);
    }
    return status;
}
