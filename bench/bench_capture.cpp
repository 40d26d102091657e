// A whole-view capture of a 1024 x 768 view: render, read back, encode and write the BMP file;
// and the same picture through the JPEG plug-in. Needs a display (or Xvfb).
#include <GL/gl.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "formats/jpeg_export.h"
#include "render/capture.h"
#include "support/gl_bench_host.h"
#include "support/scene_bench.h"

namespace {

constexpr int kViewWidth = 1024;
constexpr int kViewHeight = 768;

struct Bench : SceneBench {
    std::string path = "/tmp/vm_bench_capture_" + std::to_string(getpid());
};
Bench* bench = nullptr;

// A typical logo: three lines of Latin text, the shadow on.
bool BuildLogo() {
    const char* lines[] = {"Vellumark", "3D LOGO", "2026"};
    bool built = true;
    for (int i = 0; i < 3; ++i) {
        TextObject& object = bench->scene.objects[i];
        object.SetText(lines[i]);
        built = bench->Build(object) && built;
        object.SetPosition(0.0f, 1.0f - static_cast<float>(i), 0.0f);
    }
    bench->scene.shadow.enabled = 1;
    return built;
}

void Capture(benchmark::State& state, int32_t captureType) {
    AppSettings settings;
    CaptureTarget target;
    target.path = bench->path + (captureType == kCaptureJpeg ? ".jpg" : ".bmp");
    target.captureType = captureType;
    target.jpegLibrary = FindJpegPlugin(ExecutableDir() + "/..");
    const ClientRect whole{0, 0, kViewWidth, kViewHeight};
    for (auto _ : state) {
        bench->renderer.RenderScene(0);
        const CapturedImage image = ReadFramePixels(whole, kViewWidth, kViewHeight);
        if (WriteCapture(image, target, settings) != CaptureStatus::kOk) {
            state.SkipWithError("capture not written");
            break;
        }
    }
    std::remove(target.path.c_str());
}

void BM_CaptureBmp1024x768(benchmark::State& state) {
    Capture(state, kCaptureBmp);
}
void BM_CaptureJpeg1024x768(benchmark::State& state) {
    Capture(state, kCaptureJpeg);
}
// The part of a capture that is not the frame itself.
void BM_RenderOnly1024x768(benchmark::State& state) {
    for (auto _ : state) {
        bench->renderer.RenderScene(0);
        glFinish();
    }
}

BENCHMARK(BM_RenderOnly1024x768)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CaptureBmp1024x768)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CaptureJpeg1024x768)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    return RunSceneBenchmarkProgram(argc, argv, kViewWidth, kViewHeight, bench,
                                    [](Bench&) { return BuildLogo(); });
}
