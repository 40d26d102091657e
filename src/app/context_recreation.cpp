// Switching the view to a context with or without an accumulation buffer: a window's visual
// cannot change on X11, so the canvas is replaced together with its context.
#include <wx/sizer.h>

#include "app/main_frame.h"
#include "dialogs/command_ids.h"

void MainFrame::EnablePreviewCommand(bool enabled) {
    if (toolbar_) {
        toolbar_->EnableTool(ToWxId(kCmdPreview), enabled);
    }
    if (wxMenuBar* bar = GetMenuBar()) {
        bar->Enable(ToWxId(kCmdPreview), enabled);
    }
}

bool MainFrame::SwitchRenderContext(int antialias) {
    const bool releaseFirst = antialias == 1;
    if (releaseFirst) {
        EnablePreviewCommand(true);
        viewPort_.Release();
    }
    RenderContext fresh = CreateRenderContext(this, antialias, prompts_);
    if (!fresh.IsValid()) {
        return false;
    }
    if (!releaseFirst) {
        EnablePreviewCommand(false);
        viewPort_.Release();
    }
    viewPort_.Adopt(fresh, this);
    GetSizer()->Add(viewPort_.canvas(), 1, wxEXPAND);
    Layout();
    // The keyboard focus went with the old canvas, and the shortcuts with it.
    viewPort_.canvas()->SetFocus();
    viewPort_.SetUpRecreated();
    return true;
}
