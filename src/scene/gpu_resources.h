#pragma once
// The scene owns display-list and texture names but must not depend on GL itself: each object
// keeps the releaser of the context its names were made in, which deletes them there.

#include <cstdint>

class GpuResourceReleaser {
  public:
    virtual ~GpuResourceReleaser() = default;
    virtual void DeleteList(uint32_t list) = 0;
    virtual void DeleteTexture(uint32_t texture) = 0;
};
