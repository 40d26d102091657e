// Undo and redo of a text edit on the W2 scene, against building that one object again: a step
// rebuilds only the slot it changed, so each should cost about one rebuild.
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include "document/edit_restore.h"
#include "support/gl_bench_host.h"
#include "support/scene_bench.h"
#include "support/workloads.h"

namespace {

constexpr int kViewWidth = 800;
constexpr int kViewHeight = 600;
constexpr int kEditedSlot = 13;

SceneBench* bench = nullptr;

void BM_W2RebuildOneObject(benchmark::State& state) {
    TextObject& object = bench->scene.objects[kEditedSlot];
    for (auto _ : state) {
        bench->Build(object);
        glFinish();
    }
}

// The edit replaces the object's 63 characters by the next object's, as the text dialog does.
void BM_W2UndoOrRedoTextEdit(benchmark::State& state) {
    Scene& scene = bench->scene;
    EditHistory history;
    const SceneState before = CaptureSceneState(scene);
    TextObject& object = scene.objects[kEditedSlot];
    bench->glyphs.ApplyTextWithFallback(object, std::string(scene.objects[kEditedSlot + 1].Text()),
                                        bench->messages);
    history.Record(DiffSceneStates(before, CaptureSceneState(scene)).value());
    bool undo = true;
    for (auto _ : state) {
        RestoreEdit(scene, bench->glyphs, bench->pictures, undo ? history.Undo() : history.Redo(),
                    bench->messages);
        glFinish();
        undo = !undo;
    }
    // Back to W2 for the next run: the last move was a redo when an undo would come next.
    if (undo) {
        RestoreEdit(scene, bench->glyphs, bench->pictures, history.Undo(), bench->messages);
    }
}

// What every edit command adds: the scene's values before and after, and the comparison.
void BM_W2RecordStep(benchmark::State& state) {
    Scene& scene = bench->scene;
    EditHistory history;
    float& x = scene.objects[kEditedSlot].position[0];
    for (auto _ : state) {
        const SceneState before = CaptureSceneState(scene);
        x = x > 0.0f ? -1.0f : 1.0f;
        history.Record(DiffSceneStates(before, CaptureSceneState(scene)).value());
    }
}

BENCHMARK(BM_W2RebuildOneObject)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_W2UndoOrRedoTextEdit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_W2RecordStep)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    return RunSceneBenchmarkProgram(argc, argv, kViewWidth, kViewHeight, bench, [](SceneBench& b) {
        return BuildW2(b.scene, b.glyphs, b.messages);
    });
}
