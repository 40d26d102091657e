#pragma once
// The GL state a freshly opened view starts with: render state, scene settings, lights and
// projection. The context must be current and its viewport set.

#include "render/projection.h"
#include "render/renderer.h"

inline void StartView(Scene& scene, int antialias) {
    InitRenderState();
    ResetSceneSettings(scene);
    SetLightColors();
    ResetProjection(antialias, scene.backgroundColor, scene.view.perspective);
}
