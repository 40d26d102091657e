#pragma once
// Finds the text object under a point of the view: the objects are drawn once in selection mode
// through a small region about the point, and the hit nearest to the eye wins.

#include <GL/gl.h>

#include <array>

class Renderer;

inline constexpr int kPickBufferWords = 128;
inline constexpr double kPickRegionPixels = 8.0;

using PickBuffer = std::array<GLuint, kPickBufferWords>;

// Slot index of the nearest object drawn under (x, y), y counted from the top of the view, or -1.
// The modelview matrix must hold the view transform of the last frame; both matrices are left as
// found and the context is back in GL_RENDER mode.
int PickObject(Renderer& renderer, int x, int y);

// The arithmetic of JitterPerspective / JitterFrustum, but the frustum is only multiplied onto the
// current matrix: no matrix-mode change, no identity, no eye translation.
void PickPerspective(double fovy, double aspect, double zNear, double zFar, double pixdx,
                     double pixdy, double eyedx, double eyedy, double focus);
void PickFrustum(double left, double right, double bottom, double top, double zNear, double zFar,
                 double pixdx, double pixdy, double eyedx, double eyedy, double focus);

// The name of the hit record with the smallest minimum depth (the earlier record on a tie), or -1
// when there was no hit or the buffer overflowed.
int NearestHit(GLint hitCount, const PickBuffer& buffer);
