// The file formats: a full scene written and read back, a texture decoded, a capture encoded and
// written. No display needed.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "formats/bmp_reader.h"
#include "formats/bmp_writer.h"
#include "formats/scene_file.h"
#include "render/capture.h"

namespace {

std::string TempPath(const char* name) {
    return "/tmp/vm_bench_" + std::to_string(getpid()) + "_" + name;
}

void FillScene(Scene& scene) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        TextObject& object = scene.objects[slot];
        object.SetText("\x83\x8d\x83\x53 logo " + std::to_string(slot));
        object.glyphCount = 8;  // live without glyph lists: only the file is measured
        object.SetPosition(static_cast<float>(slot), 0.5f, -1.0f);
        object.SetTextureFile("/home/user/textures/wood.bmp");
    }
}

void BM_WriteAndReadFullScene(benchmark::State& state) {
    Scene scene;
    FillScene(scene);
    const std::string path = TempPath("scene.vmk");
    Scene loaded;
    for (auto _ : state) {
        if (WriteSceneFile(path, scene) != SceneFileStatus::kOk ||
            ReadSceneFile(path, loaded) != SceneFileStatus::kOk) {
            state.SkipWithError("scene file round trip failed");
            break;
        }
        benchmark::DoNotOptimize(loaded.objects[31].position[0]);
    }
    for (TextObject& object : scene.objects) {
        object.glyphCount = 0;
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_WriteAndReadFullScene)->Unit(benchmark::kMicrosecond);

void BM_DecodeTexture256(benchmark::State& state) {
    std::vector<uint8_t> rgb(256 * 256 * 3);
    for (std::size_t i = 0; i < rgb.size(); ++i) {
        rgb[i] = static_cast<uint8_t>(i * 31);
    }
    const std::vector<uint8_t> file = EncodeBmp24({256, 256, 256 * 3, rgb.data()});
    const std::string path = TempPath("texture.bmp");
    FILE* out = std::fopen(path.c_str(), "wb");
    std::fwrite(file.data(), 1, file.size(), out);
    std::fclose(out);
    for (auto _ : state) {
        const BmpResult result = ReadBmpFile(path, kBmpRgb);
        if (result.status != BmpStatus::kOk) {
            state.SkipWithError("decode failed");
            break;
        }
        benchmark::DoNotOptimize(result.image.texels.data());
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_DecodeTexture256)->Unit(benchmark::kMicrosecond);

void BM_WriteCapture1024x768(benchmark::State& state) {
    CapturedImage image;
    image.width = 1024;
    image.height = 768;
    image.rgb.assign(1024 * 768 * 3, 128);
    const CaptureTarget target{TempPath("capture.bmp"), kCaptureBmp, ""};
    const AppSettings settings;
    for (auto _ : state) {
        if (WriteCapture(image, target, settings) != CaptureStatus::kOk) {
            state.SkipWithError("capture write failed");
            break;
        }
    }
    std::remove(target.path.c_str());
}
BENCHMARK(BM_WriteCapture1024x768)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
