// The studio look beside the classic one on the standard workloads, in the offscreen context
// `vellumark -o` draws in. The machine may be shared, so each figure is a ratio of runs taken in
// turn (classic, studio, classic, studio, ...) rather than of separate benchmarks.
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>
#include <string>

#include "formats/image_sink.h"
#include "render/picture_render.h"
#include "render/studio/studio_environment.h"
#include "support/offscreen_w1.h"

namespace {

struct Bench : SceneBench {};
Bench* bench = nullptr;

// Pictures are drawn and their rows dropped: the file writer is the same for both looks.
class DroppedRows : public ImageRowSink {
  public:
    bool WriteRows(const uint8_t*, int32_t, std::size_t) override { return true; }
    ImageWriteStatus Finish() override { return ImageWriteStatus::kOk; }
};

double Seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    glFinish();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

bool DrawPicture(SceneLook look, int32_t width, int32_t height) {
    PictureRequest request;
    request.width = width;
    request.height = height;
    request.level = 8;
    request.look = look;
    DroppedRows rows;
    return RenderPicture(bench->renderer, request, rows) == PictureStatus::kOk;
}

// Runs a and b in turn each iteration; reports their mean times and b / a.
void InTurn(benchmark::State& state, const char* a, const std::function<void()>& first,
            const char* b, const std::function<void()>& second) {
    first();
    second();  // the studio look's environment is made on its first use
    double sums[2] = {0.0, 0.0};
    for (auto _ : state) {
        sums[0] += Seconds(first);
        sums[1] += Seconds(second);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters[std::string(a) + "_ms"] = sums[0] / n * 1000.0;
    state.counters[std::string(b) + "_ms"] = sums[1] / n * 1000.0;
    state.counters["ratio"] = sums[1] / sums[0];
}

void BM_W1_1920x1080_Level8_StudioOverClassic(benchmark::State& state) {
    InTurn(
        state, "classic", [] { DrawPicture(SceneLook::kClassic, 1920, 1080); }, "studio",
        [] { DrawPicture(SceneLook::kStudio, 1920, 1080); });
}

void BM_W1_Level8_Studio_3840x2160_Over800x600(benchmark::State& state) {
    InTurn(
        state, "800x600", [] { DrawPicture(SceneLook::kStudio, 800, 600); }, "3840x2160",
        [] { DrawPicture(SceneLook::kStudio, 3840, 2160); });
}

// The interactive frame of an 800 x 600 view, drawn into a framebuffer of that size.
void ViewFrames(benchmark::State& state, bool w2) {
    if (w2) {
        bench->Clear();
        for (TextObject& object : bench->scene.objects) {
            object.ResetObject();
        }
        BuildW2(bench->scene, bench->glyphs, bench->messages);
    }
    Framebuffer framebuffer(800, 600);
    glViewport(0, 0, 800, 600);
    ResetProjection(0, bench->scene.backgroundColor, bench->scene.view.perspective);
    StudioSettings& studio = bench->scene.studio;
    InTurn(
        state, "classic",
        [&studio] {
            studio.look = SceneLook::kClassic;
            bench->renderer.RenderScene(0);
        },
        "studio",
        [&studio] {
            studio.look = SceneLook::kStudio;
            bench->renderer.RenderScene(0);
        });
    studio.look = SceneLook::kClassic;
}

void BM_W1_ViewFrame_800x600_StudioOverClassic(benchmark::State& state) {
    ViewFrames(state, false);
}
void BM_W2_ViewFrame_800x600_StudioOverClassic(benchmark::State& state) {
    ViewFrames(state, true);
}

// The built-in studio's maps made afresh, programs included, as on the look's first use.
void BM_StudioEnvironmentPreparation(benchmark::State& state) {
    const StudioGlFunctions gl = LoadStudioGlFunctions();
    for (auto _ : state) {
        StudioEnvironment environment(gl);
        std::string log;
        if (!environment.Prepare(nullptr, log)) {
            state.SkipWithError(log.c_str());
            break;
        }
        glFinish();
    }
}

BENCHMARK(BM_StudioEnvironmentPreparation)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_W1_1920x1080_Level8_StudioOverClassic)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK(BM_W1_Level8_Studio_3840x2160_Over800x600)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(2);
BENCHMARK(BM_W1_ViewFrame_800x600_StudioOverClassic)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(10);
// Last: it replaces W1 by W2.
BENCHMARK(BM_W2_ViewFrame_800x600_StudioOverClassic)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    return RunOffscreenW1Benchmarks(argc, argv, bench);
}
