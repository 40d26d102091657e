#pragma once
// The scene owns display-list and texture names but must not depend on GL itself: the renderer
// installs the releaser that deletes them in the current context.

#include <cstdint>

class GpuResourceReleaser {
public:
    virtual ~GpuResourceReleaser() = default;
    virtual void DeleteList(uint32_t list) = 0;
    virtual void DeleteTexture(uint32_t texture) = 0;
};

// Installs the process-wide releaser (nullptr: names are forgotten, as when no context exists).
void SetGpuResourceReleaser(GpuResourceReleaser* releaser);
GpuResourceReleaser* GetGpuResourceReleaser();
