// Pictures without a window, as `vellumark -o` makes them: W1 drawn in the offscreen context at
// level 8 and written to a PNG file, opaque and transparent, at 800 x 600 and 3840 x 2160. Peak
// resident memory is that of the whole run so far, so the small pictures run first.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "formats/image_sink.h"
#include "render/picture_render.h"
#include "support/offscreen_w1.h"

namespace {

struct Bench : SceneBench {
    std::string path = "/tmp/vm_bench_picture_" + std::to_string(getpid()) + ".png";
    // Seconds a 800 x 600 picture took, opaque and transparent, for the ratio of the large ones.
    double smallSeconds[2] = {0.0, 0.0};
};
Bench* bench = nullptr;

double PeakResidentMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void Picture(benchmark::State& state, int32_t width, int32_t height, bool transparent) {
    PictureRequest request;
    request.width = width;
    request.height = height;
    request.level = 8;
    request.transparent = transparent;
    double seconds = 0.0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        ImageWriteStatus status = ImageWriteStatus::kOk;
        auto sink = OpenImageFile(bench->path, ImageFileType::kPng,
                                  {width, height, PictureChannels(request)}, {}, status);
        if (!sink || RenderPicture(bench->renderer, request, *sink) != PictureStatus::kOk ||
            sink->Finish() != ImageWriteStatus::kOk) {
            state.SkipWithError("picture not written");
            break;
        }
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    std::remove(bench->path.c_str());
    if (state.iterations() == 0) {
        return;
    }
    seconds /= static_cast<double>(state.iterations());
    state.counters["peak_MB"] = PeakResidentMegabytes();
    double& small = bench->smallSeconds[transparent ? 1 : 0];
    if (width == 800) {
        small = seconds;
    } else if (small > 0.0) {
        state.counters["x_800x600"] = seconds / small;
    }
}

void BM_PictureW1_800x600_Opaque(benchmark::State& state) {
    Picture(state, 800, 600, false);
}
void BM_PictureW1_800x600_Transparent(benchmark::State& state) {
    Picture(state, 800, 600, true);
}
void BM_PictureW1_3840x2160_Opaque(benchmark::State& state) {
    Picture(state, 3840, 2160, false);
}
void BM_PictureW1_3840x2160_Transparent(benchmark::State& state) {
    Picture(state, 3840, 2160, true);
}

BENCHMARK(BM_PictureW1_800x600_Opaque)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PictureW1_800x600_Transparent)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PictureW1_3840x2160_Opaque)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK(BM_PictureW1_3840x2160_Transparent)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    return RunOffscreenW1Benchmarks(argc, argv, bench);
}
