#pragma once
// The view's perspective frustum and the fixed GL state every frame relies on.

#include "scene/scene.h"

struct FrustumPlanes {
    double left, right, bottom, top, zNear, zFar;
};

// Symmetric frustum of a vertical field of view in degrees.
FrustumPlanes PerspectiveFrustum(double fovyDegrees, double aspect, double zNear, double zFar);
// Shifts a frustum by a sub-pixel jitter (pixels of a width x height viewport) and an eye offset.
FrustumPlanes JitteredFrustum(const FrustumPlanes& frustum, int viewportWidth, int viewportHeight,
                              double pixdx, double pixdy, double eyedx, double eyedy, double focus);

// Loads the jittered frustum into the projection matrix and leaves the modelview matrix as the
// eye offset's translation, in GL_MODELVIEW mode. Reads the current viewport.
void JitterFrustum(double left, double right, double bottom, double top, double zNear, double zFar,
                   double pixdx, double pixdy, double eyedx, double eyedy, double focus);
void JitterPerspective(double fovy, double aspect, double zNear, double zFar, double pixdx,
                       double pixdy, double eyedx, double eyedy, double focus);

// Depth test (LEQUAL), smooth shading, light 0 and back-face culling, for the context's life.
void InitRenderState();
void SetLightColors();
void SetViewportToClient(int clientWidth, int clientHeight);
// Clear values and the interactive projection for the current viewport's aspect ratio.
void ResetProjection(int antialias, const float backgroundColor[3], float perspective);

// Width / height of the current viewport, or 1 when it has no height yet.
double CurrentViewportAspect();

inline constexpr double kPickFarPlane = 15.0;
