// Animations without a window, as `vellumark -o OUT --animate` makes them: a 4-second 30 fps
// turntable of W1 at 800 x 600, level 4, to each format, against 120 times one picture of that
// size and level written to PNG (and drawn alone). Memory is read while the frames stream: what
// the process holds beyond its size after the first few frames must not grow with their number.
#include <GL/gl.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "app/vellumark_app.h"
#include "formats/animation_file.h"
#include "formats/image_sink.h"
#include "render/animation_render.h"
#include "render/offscreen_context.h"
#include "render/picture_render.h"
#include "render/projection.h"
#include "support/scene_bench.h"
#include "support/workloads.h"

namespace {

constexpr int32_t kWidth = 800;
constexpr int32_t kHeight = 600;
constexpr int kLevel = 4;
constexpr int kFrames = 120;

struct Bench : SceneBench {
    std::string stem = "/tmp/vm_bench_animation_" + std::to_string(getpid());
    double pictureSeconds = 0.0;  // one picture to PNG
};
Bench* bench = nullptr;

PictureRequest Request() {
    PictureRequest request;
    request.width = kWidth;
    request.height = kHeight;
    request.level = kLevel;
    return request;
}

double ResidentMegabytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1048576.0;
}

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
    for (auto _ : state) {
        RenderPicture(bench->renderer, request, rows);
    }
}

void Turntable(benchmark::State& state, AnimationFileType type, const char* extension) {
    const PictureRequest request = Request();
    MotionSettings motion;
    motion.seconds = 4.0;
    motion.fps = 30;
    const std::string path = bench->stem + extension;
    double seconds = 0.0;
    double settled = 0.0;
    double growth = 0.0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        auto sink = OpenAnimationFile(path, type, {kWidth, kHeight, 3, motion.fps});
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
    seconds /= static_cast<double>(state.iterations());
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    state.counters["file_kB"] = static_cast<double>(file.tellg()) / 1024.0;
    std::remove(path.c_str());
    state.counters["rss_growth_MB"] = growth;
    if (bench->pictureSeconds > 0.0) {
        state.counters["x_120_pictures"] = seconds / (kFrames * bench->pictureSeconds);
    }
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
void BM_TurntableW1_Apng(benchmark::State& state) {
    Turntable(state, AnimationFileType::kPng, ".png");
}

BENCHMARK(BM_PictureW1_800x600_Level4)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PictureW1_800x600_Level4_DrawOnly)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TurntableW1_WebM)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_TurntableW1_WebP)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_TurntableW1_Gif)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_TurntableW1_Mp4)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_TurntableW1_Apng)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    PrepareProcessEnvironment();
    OffscreenContext context;
    if (!context.IsCurrent()) {
        std::fprintf(stderr, "no offscreen context: %s\n", context.failure().c_str());
        return 1;
    }
    benchmark::AddCustomContext("renderer",
                                reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    Bench b;
    bench = &b;
    // As the command sets up a scene it has read.
    InitRenderState();
    SetLightColors();
    ResetSceneSettings(b.scene);
    const bool built = BuildW1(b.scene, b.glyphs, b.messages);
    if (built) {
        benchmark::RunSpecifiedBenchmarks();
    }
    bench = nullptr;
    return built ? 0 : 1;
}
