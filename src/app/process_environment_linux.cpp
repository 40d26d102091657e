#include <malloc.h>

#include <cstdlib>

#include "app/vellumark_app.h"

void PrepareProcessEnvironment() {
    // Accumulation buffers need GLX; wx's EGL path (Wayland) ignores them.
    setenv("GDK_BACKEND", "x11", 0);
    // Keep the GL driver's large per-frame buffers instead of returning and refaulting them.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
}
