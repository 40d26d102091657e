// The antialiased render against a plain frame: each pass should cost about one frame, so the
// whole render grows linearly with the level.
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <string>

#include "render/antialias.h"
#include "support/gl_bench_host.h"
#include "support/scene_bench.h"

namespace {

constexpr int kViewWidth = 800;
constexpr int kViewHeight = 600;

SceneBench* bench = nullptr;

// 127 glyphs on three lines: two of 63 kanji (runs of valid CP932 codes) and one Latin letter.
bool BuildScene() {
    const int firstCodes[2] = {0x889F, 0x8940};
    for (int line = 0; line < 2; ++line) {
        std::string text;
        for (int code = firstCodes[line]; code < firstCodes[line] + 63; ++code) {
            text += static_cast<char>(code >> 8);
            text += static_cast<char>(code & 0xFF);
        }
        TextObject& object = bench->scene.objects[line];
        object.SetScale(0.12f, 0.12f, 0.3f);
        object.SetPosition(0.0f, 0.6f - static_cast<float>(line) * 0.5f, 0.0f);
        bench->glyphs.ApplyTextWithFallback(object, text, bench->messages);
    }
    bench->glyphs.ApplyTextWithFallback(bench->scene.objects[2], "A", bench->messages);
    bench->scene.shadow.enabled = 0;
    int glyphs = 0;
    for (const TextObject& object : bench->scene.objects) {
        glyphs += object.glyphCount;
    }
    return glyphs == 127;
}

void BM_PlainFrame(benchmark::State& state) {
    for (auto _ : state) {
        bench->renderer.RenderScene(0);
        glFinish();
    }
}

void BM_AntialiasPass(benchmark::State& state) {
    bench->renderer.RenderScene(0);
    AntialiasRender render(bench->renderer, 8);
    int pass = 0;
    for (auto _ : state) {
        render.RunPass(pass);
        pass = (pass + 1) % 8;
        glFinish();
    }
}

void BM_AntialiasedRender(benchmark::State& state) {
    const int level = static_cast<int>(state.range(0));
    for (auto _ : state) {
        bench->renderer.RenderScene(0);
        glClear(GL_ACCUM_BUFFER_BIT);
        AntialiasRender render(bench->renderer, level);
        for (int pass = 0; pass < render.passCount(); ++pass) {
            render.RunPass(pass);
        }
        render.Finish();
        glFinish();
    }
    state.counters["passes"] = static_cast<double>(level);
}

BENCHMARK(BM_PlainFrame)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AntialiasPass)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AntialiasedRender)->Arg(8)->Arg(66)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    return RunSceneBenchmarkProgram(
        argc, argv, kViewWidth, kViewHeight, bench, [](SceneBench&) { return BuildScene(); }, 1);
}
