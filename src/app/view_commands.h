#pragma once
// The view commands on the camera and the look; the caller redraws.

#include "scene/scene.h"

inline void ResetView(ViewState& view) {
    view.ResetCamera();
}

// Steps of a tenth in single precision; the stop compares with the double 0.1, so the distance
// ends a little above zero rather than at 0.1.
inline void ZoomIn(ViewState& view) {
    if (view.eyeDistance > 0.1) {
        view.eyeDistance -= 0.1f;
    }
}

inline void ZoomOut(ViewState& view) {
    view.eyeDistance += 0.1f;
}

inline void ToggleGuideLines(ViewState& view) {
    view.showGuides = view.showGuides == 1 ? 0 : 1;
}

// The look is saved with the scene, so switching it is a change to save, unlike the camera.
inline void ToggleStudioLook(Scene& scene) {
    StudioSettings& studio = scene.studio;
    studio.look = studio.look == SceneLook::kStudio ? SceneLook::kClassic : SceneLook::kStudio;
    scene.modified = 1;
}
