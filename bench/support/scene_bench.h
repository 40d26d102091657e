#pragma once
// A scene and its renderer in a view set up as the program sets up a new one, for the benchmarks
// that build and draw text. Call from inside RunWithGlContext.

#include <benchmark/benchmark.h>

#include <string_view>

#include "render/gl_context_names.h"
#include "render/glyph_builder.h"
#include "render/projection.h"
#include "render/renderer.h"
#include "scene/gpu_resources.h"
#include "scene/message_sink.h"
#include "support/gl_bench_host.h"

class IgnoredMessages : public MessageSink {
  public:
    void ShowMessage(std::string_view, std::string_view, MessageOwner) override {}
};

// The glyph source and the context's names come first: the scene's objects go before them.
struct SceneBench {
    GlyphSource source;
    GlContextNames names;
    GlyphBuilder glyphs{source, names};
    Scene scene;
    Renderer renderer{scene};
    IgnoredMessages messages;
};

// Runs the registered benchmarks when prepare() returns true, then frees the glyph lists while the
// context still lives. antialias: the clear values of a context with an accumulation buffer.
template <typename Prepare>
int RunSceneBenchmarks(SceneBench& b, int width, int height, Prepare prepare, int antialias = 0) {
    InitRenderState();
    SetViewportToClient(width, height);
    ResetSceneSettings(b.scene);
    SetLightColors();
    ResetProjection(antialias, b.scene.backgroundColor, b.scene.view.perspective);
    const bool prepared = prepare();
    if (prepared) {
        benchmark::RunSpecifiedBenchmarks();
    }
    for (TextObject& object : b.scene.objects) {
        object.FreeGlyphLists();
    }
    return prepared ? 0 : 1;
}

// The whole of a benchmark program over one scene: wx and a shown view, then a Bench (SceneBench
// or a kind of it) that current points at while prepare(bench) and the benchmarks run.
template <typename Bench, typename Prepare>
int RunSceneBenchmarkProgram(int argc, char** argv, int width, int height, Bench*& current,
                             Prepare prepare, int antialias = 0) {
    return RunWithGlContext(
        argc, argv, width, height,
        [&] {
            Bench b;
            current = &b;
            const int result = RunSceneBenchmarks(
                b, width, height, [&] { return prepare(b); }, antialias);
            current = nullptr;
            return result;
        },
        antialias);
}
