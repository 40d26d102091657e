// One pick over a scene of 32 live objects, in a real GL context (run under a display or Xvfb).
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <string_view>

#include "formats/texture_pictures.h"
#include "render/picking.h"
#include "render/projection.h"
#include "render/render_cache.h"
#include "render/renderer.h"
#include "scene/cp932.h"
#include "support/gl_bench_host.h"
#include "tests/support/window_projection.h"
#include "text/glyph_layout.h"

namespace {

constexpr int kViewWidth = 800;
constexpr int kViewHeight = 600;

// Reports the builder's messages instead of showing them.
class StderrSink : public MessageSink {
  public:
    void ShowMessage(std::string_view text, std::string_view, MessageOwner) override {
        std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
    }
};

struct ScreenPoint {
    int x, y;
};

struct PickBench {
    GlyphSource source;
    TexturePictures pictures;
    GlyphLayout glyphs{source};
    RenderCache cache{source, pictures};
    Scene scene;
    Renderer renderer{scene, cache};
    ScreenPoint overText{0, 0};
};
PickBench* bench = nullptr;

// 32 objects of Japanese and Latin text in the default font, in an 8 x 4 grid across the view;
// neighbours overlap at different depths.
bool FillScene(PickBench& b) {
    StderrSink sink;
    const std::string text = Utf8ToCp932("日本Logo").value();
    for (int slot = 0; slot < kSlotCount; ++slot) {
        TextObject& object = b.scene.objects[slot];
        object.SetIndex(slot);
        object.SetText(text);
        object.SetScale(0.25f, 0.25f, 0.3f);
        object.SetPosition(-2.8f + 0.8f * static_cast<float>(slot % 8),
                           -1.85f + 0.9f * static_cast<float>(slot / 8),
                           -0.05f * static_cast<float>(slot));
        if (!b.glyphs.LayOut(object, sink)) {
            return false;
        }
    }
    return true;
}

// Where the first character of an object lands in the frame drawn: a point over text.
ScreenPoint FirstCharacterOf(const TextObject& object) {
    const float left = object.position[0] - object.textWidth * object.scale[0] / 2.0f;
    const float half = object.glyphMetrics[0].gmfCellIncX * object.scale[0] / 2.0f;
    const WindowProjection p =
        ProjectToWindow(left + half, object.position[1] + half, object.position[2]);
    return {static_cast<int>(p.x), p.RowFromTop()};
}

void BM_PickObject(benchmark::State& state) {
    const ScreenPoint at = state.range(0) == 1 ? bench->overText : ScreenPoint{4, 4};
    int hit = -1;
    for (auto _ : state) {
        hit = PickObject(bench->renderer, at.x, at.y);
        benchmark::DoNotOptimize(hit);
    }
    state.counters["slot"] = hit;
}
// 1: over slot 19's first character, which the nearer slot 18 overlaps; 0: over background.
BENCHMARK(BM_PickObject)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    return RunWithGlContext(argc, argv, kViewWidth, kViewHeight, [] {
        bool ok = false;
        PickBench b;
        bench = &b;
        InitRenderState();
        SetViewportToClient(kViewWidth, kViewHeight);
        ResetProjection(0, b.scene.backgroundColor, b.scene.view.perspective);
        if (FillScene(b)) {
            b.renderer.RenderScene(0);  // picking needs the view transform of a frame
            b.overText = FirstCharacterOf(b.scene.objects[19]);
            benchmark::RunSpecifiedBenchmarks();
            ok = true;
        }
        for (TextObject& object : b.scene.objects) {
            object.glyphCount = 0;  // the lists die with the context
        }
        bench = nullptr;
        return ok ? 0 : 1;
    });
}
