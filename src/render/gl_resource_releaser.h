#pragma once
// Deletes a slot's display lists and textures in the current GL context.

#include "scene/gpu_resources.h"

class GlResourceReleaser : public GpuResourceReleaser {
public:
    void DeleteList(uint32_t list) override;
    void DeleteTexture(uint32_t texture) override;
};
