#include "render/rubber_band.h"

#include <GL/gl.h>

#include <algorithm>

namespace {

// Fills whole pixels: columns x0 to x1 - 1, rows y0 to y1 - 1 (counted from the top).
void FillPixels(int x0, int y0, int x1, int y1) {
    glVertex2i(x0, y0);
    glVertex2i(x1, y0);
    glVertex2i(x1, y1);
    glVertex2i(x0, y1);
}

}  // namespace

void DrawRubberBand(const ClientRect& rect, int viewWidth, int viewHeight) {
    const int left = std::min(rect.left, rect.right);
    const int right = std::max(rect.left, rect.right);
    const int top = std::min(rect.top, rect.bottom);
    const int bottom = std::max(rect.top, rect.bottom);

    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_CULL_FACE);
    // Inverting the pixels shows the outline on any background; each pixel is covered once,
    // since a second inversion would wipe it out again.
    glEnable(GL_COLOR_LOGIC_OP);
    glLogicOp(GL_INVERT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, viewWidth, viewHeight, 0.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glBegin(GL_QUADS);
    if (left == right || top == bottom) {
        FillPixels(left, top, right + 1, bottom + 1);
    } else {
        FillPixels(left, top, right, top + 1);
        FillPixels(right, top, right + 1, bottom);
        FillPixels(left + 1, bottom, right + 1, bottom + 1);
        FillPixels(left, top + 1, left + 1, bottom + 1);
    }
    glEnd();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();
}
