#include "formats/background_animation.h"

#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

namespace {

class BackgroundAnimation : public AnimationSink {
  public:
    BackgroundAnimation(std::unique_ptr<AnimationSink> inner, std::size_t frameBytes)
        : inner_(std::move(inner)),
          slots_{std::vector<uint8_t>(frameBytes), std::vector<uint8_t>(frameBytes)},
          worker_([this] { Encode(); }) {}

    ~BackgroundAnimation() override {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            stopping_ = true;
        }
        changed_.notify_all();
        worker_.join();
    }
    BackgroundAnimation(const BackgroundAnimation&) = delete;
    BackgroundAnimation& operator=(const BackgroundAnimation&) = delete;

    bool AddFrame(const uint8_t* pixels) override {
        std::unique_lock<std::mutex> lock(mutex_);
        // The slot is free once the frame two before this one is encoded.
        changed_.wait(lock, [this] { return failed_ || encoded_ + 2 > handed_; });
        if (failed_) {
            return false;
        }
        std::vector<uint8_t>& slot = slots_[handed_ % 2];
        lock.unlock();
        std::memcpy(slot.data(), pixels, slot.size());
        lock.lock();
        ++handed_;
        changed_.notify_all();
        return true;
    }

    bool Finish() override {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return failed_ || encoded_ == handed_; });
        if (failed_) {
            return false;
        }
        // The encoding thread waits for frames that will not come: the encoder is this thread's.
        lock.unlock();
        return inner_->Finish();
    }

  private:
    void Encode() {
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            changed_.wait(lock, [this] { return stopping_ || (handed_ > encoded_ && !failed_); });
            if (stopping_) {
                return;
            }
            const std::vector<uint8_t>& slot = slots_[encoded_ % 2];
            lock.unlock();
            const bool added = inner_->AddFrame(slot.data());
            lock.lock();
            failed_ = !added;
            ++encoded_;
            changed_.notify_all();
        }
    }

    std::unique_ptr<AnimationSink> inner_;
    std::vector<uint8_t> slots_[2];
    std::mutex mutex_;
    std::condition_variable changed_;
    int64_t handed_ = 0;
    int64_t encoded_ = 0;
    bool failed_ = false;
    bool stopping_ = false;
    std::thread worker_;  // last: it starts once everything above is made
};

}  // namespace

std::unique_ptr<AnimationSink> EncodeInBackground(std::unique_ptr<AnimationSink> inner,
                                                  std::size_t frameBytes) {
    if (!inner) {
        return nullptr;
    }
    return std::make_unique<BackgroundAnimation>(std::move(inner), frameBytes);
}
