// 3D model export of the W2 scene to each format: time per file, its size, and the memory the
// export takes beyond what the program already holds (measured once, in a forked copy, so the
// figure is the export's own and not the peak of building the view's lists).
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "export/model_assembly.h"
#include "support/gl_bench_host.h"
#include "support/scene_bench.h"
#include "support/workloads.h"

namespace {

constexpr int kViewWidth = 800;
constexpr int kViewHeight = 600;

SceneBench* bench = nullptr;

std::string TempPath(const char* extension) {
    return "/tmp/vm_bench_export_" + std::to_string(getpid()) + extension;
}

long ResidentBytes() {
    long pages = 0, resident = 0;
    FILE* statm = std::fopen("/proc/self/statm", "r");
    if (statm == nullptr || std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) {
        resident = 0;
    }
    if (statm != nullptr) {
        std::fclose(statm);
    }
    return resident * sysconf(_SC_PAGESIZE);
}

// Peak resident bytes added by one export, in a child that starts as a copy of this process;
// -1 on failure.
double ExportPeakBytes(const std::string& path) {
    int channel[2];
    if (pipe(channel) != 0) {
        return -1.0;
    }
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        const long start = ResidentBytes();
        double grown = -1.0;
        if (ExportSceneModel(bench->scene, bench->source, path, kDefaultPrintSizeMm,
                             bench->messages) == ModelExportStatus::kOk) {
            rusage usage{};
            getrusage(RUSAGE_SELF, &usage);
            grown = static_cast<double>(usage.ru_maxrss) * 1024.0 - static_cast<double>(start);
        }
        const ssize_t written = write(channel[1], &grown, sizeof grown);
        _exit(written == sizeof grown ? 0 : 1);
    }
    close(channel[1]);
    double grown = -1.0;
    if (child < 0 || read(channel[0], &grown, sizeof grown) != sizeof grown) {
        grown = -1.0;
    }
    close(channel[0]);
    if (child > 0) {
        waitpid(child, nullptr, 0);
    }
    return grown;
}

void BM_ExportW2(benchmark::State& state, const char* extension) {
    const std::string path = TempPath(extension);
    const double peak = ExportPeakBytes(path);
    for (auto _ : state) {
        if (ExportSceneModel(bench->scene, bench->source, path, kDefaultPrintSizeMm,
                             bench->messages) != ModelExportStatus::kOk) {
            state.SkipWithError("export failed");
            break;
        }
    }
    std::error_code ignored;
    state.counters["file_MB"] =
        static_cast<double>(std::filesystem::file_size(path, ignored)) / 1e6;
    state.counters["peak_MB"] = peak / 1e6;
    std::filesystem::remove(path, ignored);
    if (std::string(extension) == ".obj") {
        std::filesystem::remove(TempPath(".mtl"), ignored);
    }
}

BENCHMARK_CAPTURE(BM_ExportW2, glb, ".glb")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ExportW2, 3mf, ".3mf")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ExportW2, stl, ".stl")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ExportW2, obj, ".obj")->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    return RunSceneBenchmarkProgram(argc, argv, kViewWidth, kViewHeight, bench, [](SceneBench& b) {
        return BuildW2(b.scene, b.glyphs, b.messages);
    });
}
