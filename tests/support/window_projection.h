#pragma once
// Where a world point lands in the frame just drawn, through the current matrices and viewport.

#include <GL/gl.h>
#include <GL/glu.h>

struct WindowProjection {
    double x = 0, y = 0;  // y from the bottom, as GL counts
    int viewportHeight = 0;

    // The row as mouse positions count it, from the top.
    int RowFromTop() const { return viewportHeight - static_cast<int>(y); }
};

inline WindowProjection ProjectToWindow(double x, double y, double z) {
    GLdouble modelview[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    WindowProjection out;
    GLdouble depth = 0;
    gluProject(x, y, z, modelview, projection, viewport, &out.x, &out.y, &depth);
    out.viewportHeight = viewport[3];
    return out;
}
