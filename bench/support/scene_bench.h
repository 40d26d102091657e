#pragma once
// A scene and its renderer in a view set up as the program sets up a new one, for the benchmarks
// that build and draw text. Call from inside RunWithGlContext.

#include <benchmark/benchmark.h>

#include <string_view>

#include "render/gl_resource_releaser.h"
#include "scene/message_sink.h"
#include "render/projection.h"
#include "render/renderer.h"
#include "scene/gpu_resources.h"

class IgnoredMessages : public MessageSink {
  public:
    void ShowMessage(std::string_view, std::string_view, MessageOwner) override {}
};

struct SceneBench {
    Scene scene;
    Renderer renderer{scene};
    IgnoredMessages messages;
    GlResourceReleaser releaser;
};

// Runs the registered benchmarks when prepare() returns true, then frees the glyph lists while the
// context still lives. antialias: the clear values of a context with an accumulation buffer.
template <typename Prepare>
int RunSceneBenchmarks(SceneBench& b, int width, int height, Prepare prepare, int antialias = 0) {
    SetGpuResourceReleaser(&b.releaser);
    InitRenderState();
    SetViewportToClient(width, height);
    ResetSceneSettings(b.scene, b.renderer);
    SetLightColors();
    ResetProjection(antialias, b.scene.backgroundColor, b.scene.view.perspective);
    const bool prepared = prepare();
    if (prepared) {
        benchmark::RunSpecifiedBenchmarks();
    }
    for (TextObject& object : b.scene.objects) {
        object.FreeGlyphLists();
    }
    SetGpuResourceReleaser(nullptr);
    return prepared ? 0 : 1;
}
