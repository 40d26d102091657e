#pragma once
// A GL context that needs no window and no X server: EGL on Mesa's surfaceless platform, with a
// compatibility profile so the fixed-function renderer draws into it unchanged. It has no
// default framebuffer; pictures are drawn into a Framebuffer.

#include <string>

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
    void* display_ = nullptr;  // EGLDisplay
    void* context_ = nullptr;  // EGLContext
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
    unsigned framebuffer_ = 0;
    unsigned colour_ = 0;
    unsigned depth_ = 0;
    int previous_ = 0;
    bool complete_ = false;
};

// The largest side a Framebuffer may have in the current context.
int MaxFramebufferSide();
