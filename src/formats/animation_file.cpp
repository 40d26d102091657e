#include "formats/animation_file.h"

#include <cctype>

#include "formats/path_names.h"
#include "formats/video_animation.h"
#include "formats/webp_animation.h"

bool AnimationFileTypeFromPath(const std::string& path, AnimationFileType& type) {
    const std::size_t dot = ExtensionDot(path);
    if (dot == std::string::npos) {
        return false;
    }
    std::string extension = path.substr(dot + 1);
    for (char& c : extension) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
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

std::unique_ptr<AnimationSink> OpenAnimationFile(const std::string& path, AnimationFileType type,
                                                 const AnimationFormat& format) {
    if (format.width <= 0 || format.height <= 0 || format.fps <= 0 ||
        (format.channels != 3 && format.channels != 4) ||
        (format.channels == 4 && !AnimationKeepsAlpha(type))) {
        return nullptr;
    }
    if (type == AnimationFileType::kWebp) {
        return OpenWebpAnimation(path, format);
    }
    return OpenVideoAnimation(path, type, format);
}
