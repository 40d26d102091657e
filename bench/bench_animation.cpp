// Animations without a window, as `vellumark -o OUT --animate` makes them: a 4-second 30 fps
// turntable of W1 at 800 x 600, level 4, to WebM, WebP, GIF and MP4, against 120 times one
// picture of that size and level written to PNG (x_120_pictures) and drawn alone (x_120_draws),
// and against the same 120 frames drawn and dropped (x_frames_drawn), which is timed over a
// stretch as long and so suffers a busy machine alike.
// Processor time of all threads is compared too (x_120_draws_cpu): on a busy machine it varies
// far less than wall time. Memory is read while the frames stream: what the process holds beyond
// its size after the first ten frames must not grow with their number.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

#include "formats/animation_file.h"
#include "formats/image_sink.h"
#include "render/animation_render.h"
#include "render/picture_render.h"
#include "support/offscreen_w1.h"

namespace {

constexpr int32_t kWidth = 800;
constexpr int32_t kHeight = 600;
constexpr int kLevel = 4;
constexpr int kFrames = 120;

struct Bench : SceneBench {
    std::string stem = "/tmp/vm_bench_animation_" + std::to_string(getpid());
    double pictureSeconds = 0.0;  // one picture to PNG
    double drawSeconds = 0.0;     // one picture drawn, written nowhere
    double drawCpuSeconds = 0.0;  // the same in processor time, every thread's
    double framesSeconds = 0.0;   // the turntable's frames drawn, encoded nowhere
};
Bench* bench = nullptr;

PictureRequest Request() {
    PictureRequest request;
    request.width = kWidth;
    request.height = kHeight;
    request.level = kLevel;
    return request;
}

// Less disturbed than wall time by other programs on a busy machine.
double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double ResidentMegabytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1048576.0;
}

class NullFrames : public AnimationSink {
  public:
    bool AddFrame(const uint8_t*) override { return true; }
    bool Finish() override { return true; }
};

class NullRows : public ImageRowSink {
  public:
    bool WriteRows(const uint8_t*, int32_t, std::size_t) override { return true; }
    ImageWriteStatus Finish() override { return ImageWriteStatus::kOk; }
};

void BM_PictureW1_800x600_Level4(benchmark::State& state) {
    const PictureRequest request = Request();
    const std::string path = bench->stem + ".png";
    double seconds = 0.0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        ImageWriteStatus status = ImageWriteStatus::kOk;
        auto sink = OpenImageFile(path, ImageFileType::kPng, {kWidth, kHeight, 3}, {}, status);
        if (!sink || RenderPicture(bench->renderer, request, *sink) != PictureStatus::kOk ||
            sink->Finish() != ImageWriteStatus::kOk) {
            state.SkipWithError("picture not written");
            break;
        }
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    std::remove(path.c_str());
    bench->pictureSeconds = seconds / static_cast<double>(std::max<int64_t>(state.iterations(), 1));
}

void BM_PictureW1_800x600_Level4_DrawOnly(benchmark::State& state) {
    const PictureRequest request = Request();
    NullRows rows;
    double seconds = 0.0;
    const double cpuStart = ProcessCpuSeconds();
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        RenderPicture(bench->renderer, request, rows);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    const double iterations = static_cast<double>(std::max<int64_t>(state.iterations(), 1));
    bench->drawSeconds = seconds / iterations;
    bench->drawCpuSeconds = (ProcessCpuSeconds() - cpuStart) / iterations;
}

// type none: the frames are drawn and dropped, 120 pictures over the same stretch of time.
void Turntable(benchmark::State& state, std::optional<AnimationFileType> type,
               const char* extension) {
    const PictureRequest request = Request();
    MotionSettings motion;
    motion.seconds = 4.0;
    motion.fps = 30;
    const std::string path = bench->stem + extension;
    double seconds = 0.0;
    const double cpuStart = ProcessCpuSeconds();
    double settled = 0.0;
    double growth = 0.0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        std::unique_ptr<AnimationSink> sink =
            type ? OpenAnimationFile(path, *type, {kWidth, kHeight, 3, motion.fps})
                 : std::make_unique<NullFrames>();
        const PictureProgress frames = [&](int64_t done, int64_t total) {
            if (settled == 0.0 && done * kFrames >= 10 * total) {
                settled = ResidentMegabytes();
            }
            if (done == total) {
                growth = ResidentMegabytes() - settled;
            }
            return true;
        };
        if (!sink ||
            RenderAnimation(bench->renderer, request, motion, *sink, frames) !=
                PictureStatus::kOk ||
            !sink->Finish()) {
            state.SkipWithError("animation not written");
            break;
        }
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    if (state.iterations() == 0) {
        return;
    }
    const double iterations = static_cast<double>(state.iterations());
    seconds /= iterations;
    const double cpuSeconds = (ProcessCpuSeconds() - cpuStart) / iterations;
    if (type) {
        std::ifstream file(path, std::ios::binary | std::ios::ate);
        state.counters["file_kB"] = static_cast<double>(file.tellg()) / 1024.0;
        std::remove(path.c_str());
    }
    state.counters["rss_growth_MB"] = growth;
    if (!type) {
        bench->framesSeconds = seconds;
    } else if (bench->framesSeconds > 0.0) {
        state.counters["x_frames_drawn"] = seconds / bench->framesSeconds;
    }
    if (bench->pictureSeconds > 0.0 && bench->drawSeconds > 0.0) {
        state.counters["x_120_pictures"] = seconds / (kFrames * bench->pictureSeconds);
        state.counters["x_120_draws"] = seconds / (kFrames * bench->drawSeconds);
        state.counters["x_120_draws_cpu"] = cpuSeconds / (kFrames * bench->drawCpuSeconds);
    }
}

void BM_TurntableW1_DrawnOnly(benchmark::State& state) {
    Turntable(state, std::nullopt, "");
}
void BM_TurntableW1_WebM(benchmark::State& state) {
    Turntable(state, AnimationFileType::kWebm, ".webm");
}
void BM_TurntableW1_WebP(benchmark::State& state) {
    Turntable(state, AnimationFileType::kWebp, ".webp");
}
void BM_TurntableW1_Gif(benchmark::State& state) {
    Turntable(state, AnimationFileType::kGif, ".gif");
}
void BM_TurntableW1_Mp4(benchmark::State& state) {
    Turntable(state, AnimationFileType::kMp4, ".mp4");
}

BENCHMARK(BM_PictureW1_800x600_Level4)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PictureW1_800x600_Level4_DrawOnly)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TurntableW1_DrawnOnly)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_TurntableW1_WebM)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_TurntableW1_WebP)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_TurntableW1_Gif)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_TurntableW1_Mp4)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    return RunOffscreenW1Benchmarks(argc, argv, bench);
}
