#pragma once
// An animation encoded on a thread of its own, so that the next frame is drawn meanwhile. Each
// frame is copied into one of two slots; the drawing waits only when both are still taken.

#include <cstddef>

#include "formats/animation_file.h"

// Wraps inner, whose AddFrame then runs on the encoding thread and Finish on the caller's once
// every frame is encoded. nullptr when inner is.
std::unique_ptr<AnimationSink> EncodeInBackground(std::unique_ptr<AnimationSink> inner,
                                                  std::size_t frameBytes);
