#include "render/animation_render.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// One frame's rows, gathered band by band.
class FrameRows : public ImageRowSink {
  public:
    FrameRows(int32_t width, int32_t height, int channels)
        : row_(static_cast<std::size_t>(width) * channels),
          pixels_(row_ * static_cast<std::size_t>(height)) {}

    void Rewind() { filled_ = 0; }
    const uint8_t* pixels() const { return pixels_.data(); }

    bool WriteRows(const uint8_t* rows, int32_t count, std::size_t stride) override {
        for (int32_t i = 0; i < count; ++i, filled_ += row_) {
            if (filled_ + row_ > pixels_.size()) {
                return false;
            }
            std::memcpy(pixels_.data() + filled_, rows + i * stride, row_);
        }
        return true;
    }
    ImageWriteStatus Finish() override { return ImageWriteStatus::kOk; }

  private:
    std::size_t row_;
    std::vector<uint8_t> pixels_;
    std::size_t filled_ = 0;
};

// Puts the objects back however the frames end.
class PoseRestorer {
  public:
    explicit PoseRestorer(Scene& scene) : scene_(scene), rest_(CapturePose(scene)) {}
    ~PoseRestorer() { ApplyPose(scene_, rest_); }
    PoseRestorer(const PoseRestorer&) = delete;
    PoseRestorer& operator=(const PoseRestorer&) = delete;

    const ScenePose& rest() const { return rest_; }

  private:
    Scene& scene_;
    ScenePose rest_;
};

}  // namespace

PictureStatus RenderAnimation(Renderer& renderer, const PictureRequest& request,
                              const MotionSettings& motion, AnimationSink& sink,
                              const PictureProgress& progress) {
    Scene& scene = renderer.scene();
    const PoseRestorer restorer(scene);
    FrameRows frame(request.width, request.height, PictureChannels(request));
    PictureFrames pictures(renderer, request);
    const int frames = MotionFrameCount(motion);
    for (int i = 0; i < frames; ++i) {
        ApplyPose(scene, MotionPose(scene, restorer.rest(), motion, i, frames));
        frame.Rewind();
        const PictureProgress passes = [&progress, i, frames](int64_t done, int64_t total) {
            return !progress || progress(i * total + done, frames * total);
        };
        const PictureStatus status = pictures.Render(frame, passes);
        if (status != PictureStatus::kOk) {
            return status;
        }
        if (!sink.AddFrame(frame.pixels())) {
            return PictureStatus::kCannotWrite;
        }
    }
    return PictureStatus::kOk;
}
