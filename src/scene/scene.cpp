#include "scene/scene.h"

#include <cmath>

#include "scene/fixed_field.h"

void ViewState::ResetCamera() {
    eyeDistance = 5.0f;
    azimuth = 0.0f;
    elevation = 0.0f;
    target[0] = target[1] = target[2] = 0.0f;
}

void ViewState::PlaceEye() {
    const double d = eyeDistance;
    eye[0] = static_cast<float>(std::cos(-elevation) * std::sin(azimuth) * d);
    eye[1] = static_cast<float>(std::sin(-elevation) * d);
    eye[2] = static_cast<float>(std::cos(-elevation) * std::cos(azimuth) * d);
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
