#include "formats/animation_file.h"

#include "formats/background_animation.h"
#include "formats/path_names.h"
#include "formats/video_animation.h"
#include "formats/webp_animation.h"

bool AnimationFileTypeFromPath(const std::string& path, AnimationFileType& type) {
    const std::string extension = LowercaseExtension(path);
    if (extension == "webp") {
        type = AnimationFileType::kWebp;
    } else if (extension == "png") {
        type = AnimationFileType::kPng;
    } else if (extension == "gif") {
        type = AnimationFileType::kGif;
    } else if (extension == "mp4") {
        type = AnimationFileType::kMp4;
    } else if (extension == "webm") {
        type = AnimationFileType::kWebm;
    } else {
        return false;
    }
    return true;
}

bool AnimationKeepsAlpha(AnimationFileType type) {
    return type != AnimationFileType::kMp4;
}

bool AnimationFileTypeAvailable(AnimationFileType type) {
    return type == AnimationFileType::kWebp || VideoAnimationsAvailable();
}

std::unique_ptr<AnimationSink> OpenAnimationFile(const std::string& path, AnimationFileType type,
                                                 const AnimationFormat& format) {
    if (format.width <= 0 || format.height <= 0 || format.fps <= 0 ||
        (format.channels != 3 && format.channels != 4) ||
        (format.channels == 4 && !AnimationKeepsAlpha(type))) {
        return nullptr;
    }
    const std::size_t frameBytes =
        static_cast<std::size_t>(format.width) * format.height * format.channels;
    return EncodeInBackground(type == AnimationFileType::kWebp
                                  ? OpenWebpAnimation(path, format)
                                  : OpenVideoAnimation(path, type, format),
                              frameBytes);
}
