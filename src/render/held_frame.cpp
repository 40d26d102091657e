#include "render/held_frame.h"

#include "render/viewport_pixels.h"

void HeldFrame::Take() {
    CurrentViewportSize(width_, height_);
    pixels_.assign(static_cast<std::size_t>(width_) * height_ * 3, 0);
    if (pixels_.empty()) {
        return;
    }
    ReadFramebuffer(0, 0, width_, height_, 3, pixels_.data());
}

bool HeldFrame::Draw() const {
    int width = 0;
    int height = 0;
    CurrentViewportSize(width, height);
    if (pixels_.empty() || width != width_ || height != height_) {
        return false;
    }
    DrawViewportPixels(width_, height_, pixels_.data());
    return true;
}

void HeldFrame::Release() {
    pixels_.clear();
    pixels_.shrink_to_fit();
    width_ = 0;
    height_ = 0;
}
