#include "render/projection.h"

#include <GL/gl.h>

#include <cmath>

namespace {
constexpr double kPi = 3.141592653589793;

struct Viewport {
    int x, y, width, height;
};

Viewport ReadViewport() {
    GLint v[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, v);
    return {v[0], v[1], v[2], v[3]};
}
}  // namespace

FrustumPlanes PerspectiveFrustum(double fovyDegrees, double aspect, double zNear, double zFar) {
    const double half = fovyDegrees * kPi / 180.0 / 2.0;
    const double top = zNear / (std::cos(half) / std::sin(half));
    const double right = top * aspect;
    return {-right, right, -top, top, zNear, zFar};
}

FrustumPlanes JitteredFrustum(const FrustumPlanes& f, int viewportWidth, int viewportHeight,
                              double pixdx, double pixdy, double eyedx, double eyedy,
                              double focus) {
    // An empty viewport would divide by zero; it has no pixels to jitter anyway.
    const double width = viewportWidth > 0 ? viewportWidth : 1;
    const double height = viewportHeight > 0 ? viewportHeight : 1;
    const double dx = -(pixdx * (f.right - f.left) / width + eyedx * f.zNear / focus);
    const double dy = -(pixdy * (f.top - f.bottom) / height + eyedy * f.zNear / focus);
    return {f.left + dx, f.right + dx, f.bottom + dy, f.top + dy, f.zNear, f.zFar};
}

void JitterFrustum(double left, double right, double bottom, double top, double zNear, double zFar,
                   double pixdx, double pixdy, double eyedx, double eyedy, double focus) {
    const Viewport viewport = ReadViewport();
    const FrustumPlanes f = JitteredFrustum({left, right, bottom, top, zNear, zFar}, viewport.width,
                                            viewport.height, pixdx, pixdy, eyedx, eyedy, focus);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(f.left, f.right, f.bottom, f.top, f.zNear, f.zFar);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(static_cast<float>(-eyedx), static_cast<float>(-eyedy), 0.0f);
}

void JitterPerspective(double fovy, double aspect, double zNear, double zFar, double pixdx,
                       double pixdy, double eyedx, double eyedy, double focus) {
    const FrustumPlanes f = PerspectiveFrustum(fovy, aspect, zNear, zFar);
    JitterFrustum(f.left, f.right, f.bottom, f.top, zNear, zFar, pixdx, pixdy, eyedx, eyedy, focus);
}

void InitRenderState() {
    glEnable(GL_DEPTH_TEST);
    glShadeModel(GL_SMOOTH);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
}

void SetLightColors() {
    const GLfloat diffuse[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    const GLfloat specular[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    const GLfloat ambient[4] = {0.1f, 0.1f, 0.1f, 0.1f};
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, specular);
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
}

void SetViewportToClient(int clientWidth, int clientHeight) {
    glViewport(0, 0, clientWidth, clientHeight);
}

double CurrentViewportAspect() {
    const Viewport viewport = ReadViewport();
    if (viewport.height <= 0) {
        return 1.0;
    }
    return static_cast<double>(viewport.width) / static_cast<double>(viewport.height);
}

void ResetProjection(int antialias, const float backgroundColor[3], float perspective) {
    glClearColor(backgroundColor[0], backgroundColor[1], backgroundColor[2], 1.0f);
    if (antialias == 1) {
        glClearAccum(0.0f, 0.0f, 0.0f, 0.0f);
    }
    glClearDepth(1.0);
    glMatrixMode(GL_PROJECTION);
    JitterPerspective(perspective * kFieldOfViewDegrees, CurrentViewportAspect(), kNearPlane,
                      kViewFarPlane, 0.0, 0.0, 0.0, 0.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
}
