#pragma once
// Animated PNG, GIF, MP4 and WebM through FFmpeg's libraries: each frame goes through a filter
// graph (pixel format, palette) to the encoder and the muxer, which writes a temporary file.
// The Windows program is built without FFmpeg and writes none of them.

#include "formats/animation_file.h"

// Whether this build writes these types at all.
bool VideoAnimationsAvailable();
std::unique_ptr<AnimationSink> OpenVideoAnimation(const std::string& path, AnimationFileType type,
                                                  const AnimationFormat& format);
