#pragma once

// Projects geometry onto plane (a, b, c, d) from light (x, y, z, w); column-major for
// glMultMatrixf. A light lying in the plane yields a degenerate matrix.
void PlanarShadowMatrix(float matrix[16], const float plane[4], const float light[4]);
