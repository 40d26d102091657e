#pragma once
// Animated WebP through libwebp's animation encoder, which keeps only compressed frames.

#include "formats/animation_file.h"

std::unique_ptr<AnimationSink> OpenWebpAnimation(const std::string& path,
                                                 const AnimationFormat& format);
