#pragma once
// Whole-viewport RGB pictures between the back buffer and memory (rows bottom-up, as GL has them).

#include <cstdint>

// The current viewport's size; 0 x 0 when it has none.
void CurrentViewportSize(int& width, int& height);
// Reads width x height RGB bytes from the back buffer's lower-left corner.
void ReadViewportPixels(int width, int height, uint8_t* rgb);
// Draws width x height RGB bytes over the viewport, unlit and untested, leaving the state as found.
void DrawViewportPixels(int width, int height, const uint8_t* rgb);
