#include "formats/webp_animation.h"

#include <webp/encode.h>
#include <webp/mux.h>

#include <cmath>

#include "formats/replace_file.h"

namespace {

// Lossy with alpha: logos are smooth shading, where lossless files grow many times larger.
constexpr float kQuality = 90.0f;
// 0 fastest ... 6 smallest; the frames are many, the gain above this small.
constexpr int kMethod = 2;

class WebpAnimation : public AnimationSink {
  public:
    explicit WebpAnimation(const std::string& path, const AnimationFormat& format)
        : path_(path), format_(format) {
        WebPAnimEncoderOptions options;
        if (!WebPAnimEncoderOptionsInit(&options) || !WebPConfigInit(&config_)) {
            return;
        }
        options.anim_params.loop_count = 0;  // for ever
        config_.quality = kQuality;
        config_.method = kMethod;
        encoder_ = WebPAnimEncoderNew(format.width, format.height, &options);
    }
    ~WebpAnimation() override {
        if (encoder_ != nullptr) {
            WebPAnimEncoderDelete(encoder_);
        }
    }
    WebpAnimation(const WebpAnimation&) = delete;
    WebpAnimation& operator=(const WebpAnimation&) = delete;

    bool IsOpen() const { return encoder_ != nullptr; }

    bool AddFrame(const uint8_t* pixels) override {
        WebPPicture picture;
        if (!WebPPictureInit(&picture)) {
            return false;
        }
        picture.use_argb = 1;
        picture.width = format_.width;
        picture.height = format_.height;
        const int stride = format_.width * format_.channels;
        const bool imported = format_.channels == 4
                                  ? WebPPictureImportRGBA(&picture, pixels, stride) != 0
                                  : WebPPictureImportRGB(&picture, pixels, stride) != 0;
        const bool added =
            imported && WebPAnimEncoderAdd(encoder_, &picture, Timestamp(frames_), &config_) != 0;
        WebPPictureFree(&picture);
        ++frames_;
        return added;
    }

    bool Finish() override {
        if (WebPAnimEncoderAdd(encoder_, nullptr, Timestamp(frames_), nullptr) == 0) {
            return false;
        }
        WebPData data;
        WebPDataInit(&data);
        const bool written = WebPAnimEncoderAssemble(encoder_, &data) != 0 &&
                             ReplaceFileContents(path_, data.bytes, data.size);
        WebPDataClear(&data);
        return written;
    }

  private:
    // Milliseconds, rounded from the exact time so that the whole keeps its length.
    int Timestamp(int frame) const {
        return static_cast<int>(std::lround(frame * 1000.0 / format_.fps));
    }

    std::string path_;
    AnimationFormat format_;
    WebPConfig config_{};
    WebPAnimEncoder* encoder_ = nullptr;
    int frames_ = 0;
};

}  // namespace

std::unique_ptr<AnimationSink> OpenWebpAnimation(const std::string& path,
                                                 const AnimationFormat& format) {
    auto animation = std::make_unique<WebpAnimation>(path, format);
    if (!animation->IsOpen()) {
        return nullptr;
    }
    return animation;
}
