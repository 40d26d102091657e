#include "formats/video_animation.h"

// FFmpeg and the H.264 and VP9 encoders are not among the libraries built for Windows: its
// moving pictures are animated WebP, which libwebp writes.
bool VideoAnimationsAvailable() {
    return false;
}

std::unique_ptr<AnimationSink> OpenVideoAnimation(const std::string&, AnimationFileType,
                                                  const AnimationFormat&) {
    return nullptr;
}
