#include "render/picking.h"

#include <GL/glu.h>

#include "render/projection.h"
#include "render/renderer.h"

void PickFrustum(double left, double right, double bottom, double top, double zNear, double zFar,
                 double pixdx, double pixdy, double eyedx, double eyedy, double focus) {
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    const FrustumPlanes f = JitteredFrustum({left, right, bottom, top, zNear, zFar}, viewport[2],
                                            viewport[3], pixdx, pixdy, eyedx, eyedy, focus);
    glFrustum(f.left, f.right, f.bottom, f.top, f.zNear, f.zFar);
}

void PickPerspective(double fovy, double aspect, double zNear, double zFar, double pixdx,
                     double pixdy, double eyedx, double eyedy, double focus) {
    const FrustumPlanes f = PerspectiveFrustum(fovy, aspect, zNear, zFar);
    PickFrustum(f.left, f.right, f.bottom, f.top, zNear, zFar, pixdx, pixdy, eyedx, eyedy, focus);
}

int PickObject(Renderer& renderer, int x, int y) {
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    PickBuffer buffer{};
    glSelectBuffer(kPickBufferWords, buffer.data());
    glRenderMode(GL_SELECT);
    glInitNames();
    glPushName(0);

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluPickMatrix(x, viewport[3] - y, kPickRegionPixels, kPickRegionPixels, viewport);
    PickPerspective(renderer.scene().view.perspective * kFieldOfViewDegrees,
                    CurrentViewportAspect(), kNearPlane, kPickFarPlane, 0.0, 0.0, 0.0, 0.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    renderer.DrawAllObjects(GL_SELECT, 0);

    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    const GLint hitCount = glRenderMode(GL_RENDER);
    glMatrixMode(GL_MODELVIEW);
    return NearestHit(hitCount, buffer);
}

int NearestHit(GLint hitCount, const PickBuffer& buffer) {
    // A negative count means the buffer overflowed; its records cannot be trusted.
    if (hitCount <= 0) {
        return -1;
    }
    float best = 1000.0f;
    int result = 0;
    size_t at = 0;
    for (GLint record = 0; record < hitCount; ++record) {
        // Each record is its name count, minimum and maximum depth, then the names.
        if (at + 3 > buffer.size()) {
            break;
        }
        const GLuint nameCount = buffer[at];
        const auto z = static_cast<float>(buffer[at + 1] / 2147483648.0);
        at += 3;
        for (GLuint name = 0; name < nameCount && at < buffer.size(); ++name, ++at) {
            if (z < best) {
                best = z;
                result = static_cast<int>(buffer[at]);
            }
        }
    }
    return result;
}
