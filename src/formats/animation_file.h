#pragma once
// Moving pictures written one frame at a time, so that memory does not grow with their length:
// animated WebP, animated PNG, GIF, H.264 MP4 and VP9 WebM. The file appears only when Finish
// succeeds; a writer dropped unfinished leaves nothing behind.

#include <cstdint>
#include <memory>
#include <string>

enum class AnimationFileType { kWebp, kPng, kGif, kMp4, kWebm };

struct AnimationFormat {
    int32_t width = 0;
    int32_t height = 0;
    int channels = 3;  // 3: RGB; 4: RGBA with straight alpha
    int fps = 30;
};

class AnimationSink {
  public:
    virtual ~AnimationSink() = default;
    // One frame of height rows of width * channels bytes, top row first, packed.
    virtual bool AddFrame(const uint8_t* pixels) = 0;
    // Ends the file and puts it in place.
    virtual bool Finish() = 0;
};

// The type named by the path's extension (.webp, .png, .gif, .mp4, .webm, any case).
bool AnimationFileTypeFromPath(const std::string& path, AnimationFileType& type);
// MP4 is made for players, which expect no alpha; the others keep transparency.
bool AnimationKeepsAlpha(AnimationFileType type);
// False for the types this build of the program cannot write at all.
bool AnimationFileTypeAvailable(AnimationFileType type);
// nullptr when the file cannot even be started (no temporary file, no encoder).
std::unique_ptr<AnimationSink> OpenAnimationFile(const std::string& path, AnimationFileType type,
                                                 const AnimationFormat& format);
