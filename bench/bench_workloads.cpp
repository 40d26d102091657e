// The standard workloads W1 and W2: building their glyphs cold (empty outline cache) and cached,
// one frame, and the antialiased render at level 8; W1 also with a round bevel, whose build should
// stay within three times the plain one. Frames drawn from the glyphs' vertex buffers against the
// display lists the view uses.
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <functional>

#include "render/antialias.h"
#include "scene/cp932.h"
#include "support/buffer_draw_source.h"
#include "support/gl_bench_host.h"
#include "support/scene_bench.h"
#include "support/workloads.h"
#include "text/character_codes.h"
#include "text/font_resolver.h"
#include "text/outline_glyph_cache.h"

namespace {

constexpr int kViewWidth = 800;
constexpr int kViewHeight = 600;

SceneBench* bench = nullptr;

using Workload = std::function<bool(Scene&, GlyphLayout&, MessageSink&)>;

// Each benchmark starts from empty slots, whichever workload ran before.
void Load(const Workload& build, const BevelSettings& bevel) {
    bench->Clear();
    for (TextObject& object : bench->scene.objects) {
        object.ResetObject();
        object.bevel = bevel;
    }
    build(bench->scene, bench->glyphs, bench->messages);
}

BevelSettings RoundBevel() {
    BevelSettings bevel;
    bevel.profile = BevelProfile::kRound;
    bevel.width = 0.02f;
    bevel.depth = 0.02f;
    bevel.segments = 4;
    return bevel;
}

// Every live object's solids as the view draws them once, from the (by then warm) cache.
void CountTriangles(benchmark::State& state) {
    int64_t triangles = 0;
    int64_t glyphs = 0;
    for (const TextObject& object : bench->scene.objects) {
        if (!object.IsLive()) {
            continue;
        }
        const ResolvedFont* font = bench->source.fonts().Resolve(
            Cp932ToUtf8(object.FaceName()).value_or(""), object.italic, object.charSet);
        for (uint32_t code : ScanCharacterCodes(object.Text())) {
            const char32_t character = bench->source.Character(code);
            const auto outline =
                font ? bench->source.outlines().Outline(*font, character) : nullptr;
            if (outline) {
                triangles += static_cast<int64_t>(
                    bench->source.outlines()
                        .Solid(*font, character, *outline, object.scale[2], object.bevel)
                        .TriangleCount());
                ++glyphs;
            }
        }
    }
    state.counters["triangles"] = static_cast<double>(triangles);
    state.counters["glyphs"] = static_cast<double>(glyphs);
    state.counters["triangles/glyph"] =
        glyphs ? static_cast<double>(triangles) / static_cast<double>(glyphs) : 0.0;
}

// Lays every object out again and builds its lists; cold empties the outline cache first,
// outside the timing.
void BuildWorkload(benchmark::State& state, const Workload& build, bool cold,
                   const BevelSettings& bevel) {
    Load(build, bevel);
    for (auto _ : state) {
        state.PauseTiming();
        bench->Clear();
        if (cold) {
            bench->source.outlines().Clear();
        }
        glFinish();
        state.ResumeTiming();
        for (TextObject& object : bench->scene.objects) {
            if (!object.Text().empty()) {
                bench->Build(object);
            }
        }
        glFinish();
    }
    CountTriangles(state);
}

// Frames of a built scene: the first, which makes the glyphs' geometry, goes untimed.
void DrawWorkload(benchmark::State& state, const Workload& build, int level, bool buffers) {
    Load(build, BevelSettings{});
    BufferDrawSource bufferSource(bench->cache);
    if (buffers) {
        bench->renderer.SetSource(bufferSource);
    }
    bench->renderer.RenderScene(0);
    glFinish();
    for (auto _ : state) {
        bench->renderer.RenderScene(0);
        if (level > 1) {
            glClear(GL_ACCUM_BUFFER_BIT);
            AntialiasRender render(bench->renderer, level);
            for (int pass = 0; pass < render.passCount(); ++pass) {
                render.RunPass(pass);
            }
            render.Finish();
        }
        glFinish();
    }
    bench->renderer.SetSource(bench->cache);
    CountTriangles(state);
}

void RegisterWorkload(const char* name, const Workload& build) {
    const std::string prefix = name;
    for (const bool cold : {true, false}) {
        benchmark::RegisterBenchmark((prefix + (cold ? "/Build/cold" : "/Build/cached")).c_str(),
                                     [build, cold](benchmark::State& state) {
                                         BuildWorkload(state, build, cold, BevelSettings{});
                                     })
            ->Unit(benchmark::kMillisecond);
    }
    for (const bool buffers : {false, true}) {
        const std::string geometry = buffers ? "/VertexBuffers" : "";
        for (const int level : {1, 8}) {
            benchmark::RegisterBenchmark(
                (prefix + (level == 1 ? "/Frame" : "/Level8") + geometry).c_str(),
                [build, level, buffers](benchmark::State& state) {
                    DrawWorkload(state, build, level, buffers);
                })
                ->Unit(benchmark::kMillisecond);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RegisterWorkload("W1", BuildW1);
    RegisterWorkload("W2", BuildW2);
    for (const bool cold : {true, false}) {
        benchmark::RegisterBenchmark(
            cold ? "W1/RoundBevel/Build/cold" : "W1/RoundBevel/Build/cached",
            [cold](benchmark::State& state) { BuildWorkload(state, BuildW1, cold, RoundBevel()); })
            ->Unit(benchmark::kMillisecond);
    }
    return RunSceneBenchmarkProgram(
        argc, argv, kViewWidth, kViewHeight, bench, [](SceneBench&) { return true; }, 1);
}
