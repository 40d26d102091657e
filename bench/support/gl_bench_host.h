#pragma once
// What every GL benchmark program needs first: wx started, a shown canvas of a fixed size and its
// context current.

#include <functional>

// Calls run() with the context current and returns its result; 1 when no context could be had.
// antialias 1 asks for an accumulation buffer.
int RunWithGlContext(int argc, char** argv, int width, int height, const std::function<int()>& run,
                     int antialias = 0);
