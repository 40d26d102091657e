#include "scene/scene.h"

#include <cmath>

#include "scene/fixed_field.h"

void ViewState::ResetCamera() {
    eyeDistance = 5.0f;
    azimuth = 0.0f;
    elevation = 0.0f;
    target[0] = target[1] = target[2] = 0.0f;
}

std::array<float, 3> ViewState::Eye() const {
    const double d = eyeDistance;
    const double e = elevation;
    const double a = azimuth;
    return {static_cast<float>(std::cos(-e) * std::sin(a) * d),
            static_cast<float>(std::sin(-e) * d),
            static_cast<float>(std::cos(-e) * std::cos(a) * d)};
}

Scene::Scene() {
    CopyToField(filePath, "");
}

std::string_view Scene::FilePath() const {
    return FieldView(filePath);
}

bool Scene::SetFilePath(std::string_view cp932Path) {
    return CopyToField(filePath, cp932Path);
}

TextObject* Scene::CurrentObject() {
    if (currentObject < 0 || currentObject >= kSlotCount) {
        return nullptr;
    }
    return &objects[currentObject];
}

int Scene::FirstFreeSlot() const {
    for (int i = 0; i < kSlotCount; ++i) {
        if (objects[i].glyphCount == 0) {
            return i;
        }
    }
    return -1;
}

int Scene::LiveObjectCount() const {
    int count = 0;
    for (const TextObject& object : objects) {
        count += object.IsLive() ? 1 : 0;
    }
    return count;
}

void ResetSceneSettings(Scene& scene) {
    for (int i = 0; i < 3; ++i) {
        scene.backgroundColor[i] = 1.0f;
        scene.guideColor[i] = 0.0f;
    }
    scene.shadow.enabled = 0;
    scene.shadow.color[0] = scene.shadow.color[1] = scene.shadow.color[2] = 0.0f;
    const float groundPlane[4] = {0.0f, 1.0f, 0.0f, 0.0f};
    for (int i = 0; i < 4; ++i) {
        scene.shadow.plane[i] = groundPlane[i];
    }
    scene.light.position[0] = 0.0f;
    scene.light.position[1] = 1.5f;
    scene.light.position[2] = 1.5f;
    scene.view.perspective = 1.0f;
    scene.studio = StudioSettings{};
}

void ClearScene(Scene& scene) {
    for (TextObject& object : scene.objects) {
        object.ResetObject();
    }
}

int32_t IsSceneModified(const Scene& scene) {
    if (scene.modified == 1) {
        return 1;
    }
    for (const TextObject& object : scene.objects) {
        if (object.touched == 1) {
            return 1;
        }
    }
    return 0;
}

void ClearSelection(Scene& scene) {
    if (scene.currentObject >= 0 && scene.currentObject < kSlotCount) {
        scene.objects[scene.currentObject].highlighted = 0;
    }
    scene.currentObject = -1;
}
