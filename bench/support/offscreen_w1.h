#pragma once
// The start of the benchmarks of the windowless commands: the offscreen context `vellumark -o`
// draws in, and W1 built there as the command sets up a scene it has read.

#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <cstdio>

#include "app/vellumark_app.h"
#include "render/offscreen_context.h"
#include "render/projection.h"
#include "support/scene_bench.h"
#include "support/workloads.h"

// Makes a Bench (a SceneBench) in the context, points current at it while the registered
// benchmarks run, and frees its glyph lists before the context goes.
template <class Bench>
int RunOffscreenW1Benchmarks(int argc, char** argv, Bench*& current) {
    benchmark::Initialize(&argc, argv);
    PrepareProcessEnvironment();
    OffscreenContext context;
    if (!context.IsCurrent()) {
        std::fprintf(stderr, "no offscreen context: %s\n", context.failure().c_str());
        return 1;
    }
    benchmark::AddCustomContext("renderer",
                                reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    Bench b;
    current = &b;
    InitRenderState();
    SetLightColors();
    ResetSceneSettings(b.scene);
    const bool built = BuildW1(b.scene, b.glyphs, b.messages);
    if (built) {
        benchmark::RunSpecifiedBenchmarks();
    }
    current = nullptr;
    return built ? 0 : 1;
}
