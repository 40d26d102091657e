#include "render/viewport_pixels.h"

#include <GL/gl.h>

void CurrentViewportSize(int& width, int& height) {
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    width = viewport[2] > 0 ? viewport[2] : 0;
    height = viewport[3] > 0 ? viewport[3] : 0;
}

void ReadFramebuffer(int x, int y, int width, int height, int channels, uint8_t* out) {
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, width, height, channels == 4 ? GL_RGBA : GL_RGB, GL_UNSIGNED_BYTE, out);
    glPopClientAttrib();
}

void DrawViewportPixels(int width, int height, const uint8_t* rgb) {
    glPushAttrib(GL_ENABLE_BIT | GL_TRANSFORM_BIT);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, width, 0.0, height, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glRasterPos2i(0, 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glDrawPixels(width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopClientAttrib();
    glPopAttrib();
}
