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

void MainFrame::ReleaseViewContext() {
    if (!renderContext_.IsValid()) {
        return;
    }
    viewReady_ = false;
    renderContext_.canvas->SetHandler(nullptr);
    // The names die with the context; deleting them later would hit the next context's.
    cache_.Abandon();
    renderer_.AbandonStudio();
    ReleaseRenderContext(renderContext_, this, prompts_);
}

bool MainFrame::SwitchRenderContext(int antialias) {
    const bool releaseFirst = antialias == 1;
    if (releaseFirst) {
        EnablePreviewCommand(true);
        ReleaseViewContext();
    }
    RenderContext fresh = CreateRenderContext(this, antialias, prompts_);
    if (!fresh.IsValid()) {
        return false;
    }
    if (!releaseFirst) {
        EnablePreviewCommand(false);
        ReleaseViewContext();
    }
    renderContext_ = fresh;
    renderContext_.canvas->SetHandler(this);
    GetSizer()->Add(renderContext_.canvas, 1, wxEXPAND);
    Layout();
    // The keyboard focus went with the old canvas, and the shortcuts with it.
    renderContext_.canvas->SetFocus();
    contextRecreated_ = true;
    // Sets up at once when the new canvas is already realised, else at its first paint.
    SetUpView();
    InvalidateView();
    return true;
}
