#include "app/vellumark_app.h"

#include <malloc.h>

#include <cstdlib>

#include "app/main_frame.h"

void PrepareProcessEnvironment() {
    // Accumulation buffers need GLX; wx's EGL path (Wayland) ignores them.
    setenv("GDK_BACKEND", "x11", 0);
    // Keep the GL driver's large per-frame buffers instead of returning and refaulting them.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
}

bool VellumarkApp::OnInit() {
    // The command line was read before the toolkit started: wxApp::OnInit would parse it again.
    prompts_ = std::make_unique<WxUserPrompts>(glyphSource_.fonts());
    auto* frame = new MainFrame(scene_, settings_, *prompts_, glyphSource_);
    if (!frame->HasRenderContext()) {
        frame->Destroy();
        return false;
    }
    frame->Show();
    frame->OpenWhenReady(scenePath_);
    return true;
}
