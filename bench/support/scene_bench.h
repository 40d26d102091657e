#pragma once
// A scene and its renderer in a view set up as the program sets up a new one, for the benchmarks
// that build and draw text. Call from inside RunWithGlContext.

#include <benchmark/benchmark.h>

#include <string_view>

#include "render/gl_resource_releaser.h"
#include "render/message_sink.h"
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

// Runs the registered benchmarks after prepare(), then frees the glyph lists while the context
// still lives.
template <typename Prepare>
int RunSceneBenchmarks(SceneBench& b, int width, int height, Prepare prepare) {
    SetGpuResourceReleaser(&b.releaser);
    InitRenderState();
    SetViewportToClient(width, height);
    ResetSceneSettings(b.scene, b.renderer);
    SetLightColors();
    ResetProjection(0, b.scene.backgroundColor, b.scene.view.perspective);
    prepare();
    benchmark::RunSpecifiedBenchmarks();
    for (TextObject& object : b.scene.objects) {
        object.FreeGlyphLists();
    }
    SetGpuResourceReleaser(nullptr);
    return 0;
}
