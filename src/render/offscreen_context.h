#pragma once
// A GL context that needs no window the user sees: on Linux EGL on Mesa's surfaceless platform
// (no X server either), on Windows WGL over a hidden window. Both have a compatibility profile so
// the fixed-function renderer draws into them unchanged; pictures are drawn into a Framebuffer.

#include <string>

#include "render/framebuffer_functions.h"

class OffscreenContext {
  public:
    OffscreenContext();
    ~OffscreenContext();
    OffscreenContext(const OffscreenContext&) = delete;
    OffscreenContext& operator=(const OffscreenContext&) = delete;

    // True when the context exists and is current on this thread.
    bool IsCurrent() const { return current_; }
    // What failed, for a message (empty when current).
    const std::string& failure() const { return failure_; }

  private:
    void* window_ = nullptr;   // the hidden window (Windows only)
    void* device_ = nullptr;   // EGLDisplay, or the window's device context
    void* context_ = nullptr;  // EGLContext or HGLRC
    bool current_ = false;
    std::string failure_;
};

// A framebuffer object with an RGBA8 colour and a 24-bit depth renderbuffer, bound for drawing
// and reading while it lives; the binding found is put back at the end. Needs a current context.
class Framebuffer {
  public:
    Framebuffer(int width, int height);
    ~Framebuffer();
    Framebuffer(const Framebuffer&) = delete;
    Framebuffer& operator=(const Framebuffer&) = delete;

    bool IsComplete() const { return complete_; }

  private:
    FramebufferFunctions gl_;
    unsigned framebuffer_ = 0;
    unsigned colour_ = 0;
    unsigned depth_ = 0;
    int previous_ = 0;
    bool complete_ = false;
};

// The largest side a Framebuffer may have in the current context.
int MaxFramebufferSide();
