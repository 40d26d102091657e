#pragma once
// What each pixel of a pass sees nearest: the surface's depth, normal and material, drawn by a
// cheap program so that the costly lighting runs once per pixel over whole blocks of pixels
// rather than over the many thin triangles of the glyphs. The stencil marks the objects' pixels.
// Lighting reads the depth while the stencil picks its pixels, so it tests a copy of both: a
// texture both sampled and attached would be a feedback loop, undefined even when unwritten.
// Its names are deleted with it (the context must be current) unless Abandon said the context
// is gone.

#include "render/studio/studio_gl_functions.h"

class GeometryBuffer {
  public:
    explicit GeometryBuffer(const StudioGlFunctions& gl) : gl_(gl) {}
    ~GeometryBuffer();
    GeometryBuffer(const GeometryBuffer&) = delete;
    GeometryBuffer& operator=(const GeometryBuffer&) = delete;

    // Does nothing when the buffer already has this size.
    void Allocate(int width, int height);
    // Draws into the surfaces and the depth and stencil; false when the driver refuses it.
    bool BindForGeometry();
    // Draws into colour (a texture of this size), with a copy of this buffer's depth and stencil.
    bool BindForShading(GLuint colour);
    // The depth into framebuffer's at (x, y), which must then be bound; false when the two
    // depth formats differ and nothing was copied.
    bool CopyDepthTo(GLuint framebuffer, int x, int y) const;

    // Normal and material packed into four unsigned whole numbers; positions come from the depth.
    GLuint surfaces() const { return surfaces_; }
    GLuint depth() const { return depthStencil_; }
    void Abandon();

  private:
    void Release();
    bool Complete() const;

    const StudioGlFunctions& gl_;
    GLuint geometry_ = 0;
    GLuint shading_ = 0;
    GLuint surfaces_ = 0;
    GLuint depthStencil_ = 0;
    GLuint shadingDepthStencil_ = 0;
    int width_ = 0;
    int height_ = 0;
};
