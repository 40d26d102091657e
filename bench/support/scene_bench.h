#pragma once
// A scene and its renderer in a view set up as the program sets up a new one, for the benchmarks
// that build and draw text. Call from inside RunWithGlContext.

#include <benchmark/benchmark.h>

#include <string_view>

#include "formats/texture_pictures.h"
#include "render/projection.h"
#include "render/render_cache.h"
#include "render/renderer.h"
#include "scene/message_sink.h"
#include "support/gl_bench_host.h"
#include "text/glyph_layout.h"

class IgnoredMessages : public MessageSink {
  public:
    void ShowMessage(std::string_view, std::string_view, MessageOwner) override {}
};

// The glyph source, the pictures and the context's cache come first: the scene goes before them.
struct SceneBench {
    GlyphSource source;
    TexturePictures pictures;
    GlyphLayout glyphs{source};
    RenderCache cache{source, pictures};
    Scene scene;
    Renderer renderer{scene, cache};
    IgnoredMessages messages;

    // The object laid out and its glyphs' lists in the cache, as a command and the next frame
    // build them. False when a character failed.
    bool Build(TextObject& object) {
        const bool laidOut = glyphs.Relayout(object, messages);
        for (int glyph = 0; glyph < object.glyphCount; ++glyph) {
            cache.GlyphList(object, glyph);
        }
        return laidOut;
    }
    // Every slot free, and the lists they showed freed.
    void Clear() {
        for (TextObject& object : scene.objects) {
            object.ClearGlyphs();
        }
        cache.KeepOnly(scene);
    }
};

// Runs the registered benchmarks when prepare() returns true; the cache frees its lists while the
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
