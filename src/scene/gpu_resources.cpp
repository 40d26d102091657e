#include "scene/gpu_resources.h"

namespace {
GpuResourceReleaser* g_releaser = nullptr;
}

void SetGpuResourceReleaser(GpuResourceReleaser* releaser) { g_releaser = releaser; }

GpuResourceReleaser* GetGpuResourceReleaser() { return g_releaser; }
