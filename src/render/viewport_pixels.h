#pragma once
// Pictures between the drawn frame and memory (rows bottom-up, as GL has them).

#include <cstdint>

// The current viewport's size; 0 x 0 when it has none.
void CurrentViewportSize(int& width, int& height);
// Reads width x height pixels of 3 (RGB) or 4 (RGBA) bytes at (x, y) from the lower-left corner
// of the current read buffer (the view's back buffer, or a picture's framebuffer object), rows
// packed bottom-up: every read-back of a drawn frame goes through here.
void ReadFramebuffer(int x, int y, int width, int height, int channels, uint8_t* out);
// Draws width x height RGB bytes over the viewport, unlit and untested, leaving the state as found.
void DrawViewportPixels(int width, int height, const uint8_t* rgb);
