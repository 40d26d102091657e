#pragma once
// The one open document: 32 text-object slots and the scene-wide settings.

#include <array>
#include <cstdint>
#include <string_view>

#include "scene/text_object.h"

inline constexpr int kSlotCount = 32;

struct LightSettings {
    // w = 0: parallel light along (x, y, z); w = 1: positional light at (x, y, z).
    float position[4] = {0.0f, 1.5f, 1.5f, 0.0f};
    int32_t visible = 0;
};

struct ShadowSettings {
    int32_t enabled = 0;
    float plane[4] = {0.0f, 1.0f, 0.0f, 0.0f};  // A, B, C, D of Ax + By + Cz + D = 0
    float color[4] = {0.0f, 0.0f, 0.0f, 0.0f};  // alpha is only ever set by a scene file
};

struct ViewState {
    float eyeDistance = 5.0f;
    float azimuth = 0.0f;    // radians
    float elevation = 0.0f;  // radians
    float target[3] = {0.0f, 0.0f, 0.0f};
    float perspective = 1.0f;  // field of view is 50 degrees times this
    int32_t showGuides = 0;

    // Back to the camera of program start (the reset-view command).
    void ResetCamera();
    // The eye on its sphere about the origin, from distance and angles.
    std::array<float, 3> Eye() const;
};

// The view's lens: the field of view at perspective 1 and the depth range it draws.
inline constexpr double kFieldOfViewDegrees = 50.0;
inline constexpr double kNearPlane = 1.0;
inline constexpr double kViewFarPlane = 75.0;

struct Scene {
    Scene();

    TextObject objects[kSlotCount];
    int32_t currentObject = -1;
    int32_t modified = 0;
    char filePath[256];
    float backgroundColor[3] = {1.0f, 1.0f, 1.0f};
    float guideColor[3] = {0.0f, 0.0f, 0.0f};
    LightSettings light;
    ShadowSettings shadow;
    ViewState view;
    StudioSettings studio;

    std::string_view FilePath() const;
    bool SetFilePath(std::string_view cp932Path);
    // The slot the object commands act on; nullptr when none is current.
    TextObject* CurrentObject();
    // Lowest free slot, or -1 when all 32 are live.
    int FirstFreeSlot() const;
    int LiveObjectCount() const;
};

// Scene-wide defaults (background, guide colour, shadow, plane, light direction, perspective);
// the view, the objects, the marker and guide flags are left alone.
void ResetSceneSettings(Scene& scene);
// ResetObject on every slot, in slot order.
void ClearScene(Scene& scene);
// 1 when the scene or any slot was touched since the last new, open or save.
int32_t IsSceneModified(const Scene& scene);
// Clears the previous highlight and forgets the current object.
void ClearSelection(Scene& scene);
