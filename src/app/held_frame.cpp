#include "app/held_frame.h"

#include <GL/gl.h>

namespace {

void CurrentViewportSize(int& width, int& height) {
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    width = viewport[2] > 0 ? viewport[2] : 0;
    height = viewport[3] > 0 ? viewport[3] : 0;
}

}  // namespace

void HeldFrame::Take() {
    CurrentViewportSize(width_, height_);
    pixels_.assign(static_cast<std::size_t>(width_) * height_ * 3, 0);
    if (pixels_.empty()) {
        return;
    }
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width_, height_, GL_RGB, GL_UNSIGNED_BYTE, pixels_.data());
    glPopClientAttrib();
}

bool HeldFrame::Draw() const {
    int width = 0;
    int height = 0;
    CurrentViewportSize(width, height);
    if (pixels_.empty() || width != width_ || height != height_) {
        return false;
    }
    glPushAttrib(GL_ENABLE_BIT | GL_TRANSFORM_BIT);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, width_, 0.0, height_, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glRasterPos2i(0, 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glDrawPixels(width_, height_, GL_RGB, GL_UNSIGNED_BYTE, pixels_.data());
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopClientAttrib();
    glPopAttrib();
    return true;
}

void HeldFrame::Release() {
    pixels_.clear();
    pixels_.shrink_to_fit();
    width_ = 0;
    height_ = 0;
}
