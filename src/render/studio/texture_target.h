#pragma once
// A texture with its own framebuffer object, to draw into any of its levels: the environment's
// maps, the shadow maps and the frame's floating-point buffers. Its names are deleted with it
// (the context must be current) unless Abandon said the context is gone.

#include "render/studio/studio_gl_functions.h"

class TextureTarget {
  public:
    explicit TextureTarget(const StudioGlFunctions& gl) : gl_(gl) {}
    ~TextureTarget();
    TextureTarget(const TextureTarget&) = delete;
    TextureTarget& operator=(const TextureTarget&) = delete;

    // colourFormat 0: depth only. Levels halve in size down from width x height. Does nothing
    // when the target already has these sizes and formats.
    void Allocate(int width, int height, GLenum colourFormat, int levels, bool withDepth);
    // Draws into the level from now on, over its whole size; false when the driver refuses it.
    bool BindLevel(int level);
    bool IsAllocated() const { return framebuffer_ != 0; }

    GLuint colour() const { return colour_; }
    GLuint depth() const { return depth_; }
    int levels() const { return levels_; }
    void Abandon();

  private:
    void Release();

    const StudioGlFunctions& gl_;
    GLuint framebuffer_ = 0;
    GLuint colour_ = 0;
    GLuint depth_ = 0;
    int width_ = 0;
    int height_ = 0;
    int levels_ = 0;
    GLenum format_ = 0;
    bool withDepth_ = false;
};
