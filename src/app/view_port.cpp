#include "app/view_port.h"

#include "render/projection.h"

ViewPort::ViewPort(wxWindow* owner, Document& document, UserPrompts& prompts)
    : owner_(owner),
      scene_(document.scene),
      settings_(document.settings),
      prompts_(prompts),
      cache_(document.glyphs.source(), document.pictures),
      renderer_(document.scene, cache_) {}

ViewPort::~ViewPort() {
    // The names die with the context.
    cache_.Abandon();
    renderer_.AbandonStudio();
}

void ViewPort::Adopt(const RenderContext& context, GlViewHandler* handler) {
    context_ = context;
    if (context_.IsValid()) {
        context_.canvas->SetHandler(handler);
    }
}

void ViewPort::Release() {
    if (!context_.IsValid()) {
        return;
    }
    viewReady_ = false;
    context_.canvas->SetHandler(nullptr);
    // Deleting the names later would hit the next context's.
    cache_.Abandon();
    renderer_.AbandonStudio();
    ReleaseRenderContext(context_, owner_, prompts_);
}

void ViewPort::SetUpRecreated() {
    contextRecreated_ = true;
    SetUpView();
    InvalidateView();
}

bool ViewPort::MakeCurrent() {
    if (!context_.IsValid() || !context_.canvas->IsShownOnScreen()) {
        return false;
    }
    return context_.canvas->SetCurrent(*context_.context);
}

bool ViewPort::EnsureViewReady() {
    if (!(viewReady_ ? MakeCurrent() : SetUpView())) {
        return false;
    }
    ApplyStaleProjection();
    return true;
}

wxSize ViewPort::PixelSize() const {
    return context_.canvas->GetClientSize() * context_.canvas->GetContentScaleFactor();
}

void ViewPort::InvalidateView() {
    heldPreview_.Release();
    if (context_.canvas) {
        context_.canvas->Refresh(false);
    }
}

bool ViewPort::RunInViewContext(const std::function<void()>& work) {
    if (painting_ || !EnsureViewReady()) {
        return false;
    }
    painting_ = true;
    work();
    painting_ = false;
    if (resizedWhilePainting_) {
        resizedWhilePainting_ = false;
        const wxSize size = PixelSize();
        Resize(size.x, size.y);
    }
    // Nothing changed in the scene: a held preview may stay.
    context_.canvas->Refresh(false);
    return true;
}

bool ViewPort::Paint(const std::function<void()>& draw) {
    if (painting_) {
        return false;
    }
    if (!viewReady_ && !SetUpView()) {
        return false;
    }
    if (!MakeCurrent()) {
        return false;
    }
    ApplyStaleProjection();
    painting_ = true;
    const wxSize paintedSize = PixelSize();
    draw();
    context_.canvas->SwapBuffers();
    painting_ = false;
    // Showing the progress window may report the unchanged size again.
    if (resizedWhilePainting_) {
        resizedWhilePainting_ = false;
        const wxSize size = PixelSize();
        if (size != paintedSize) {
            Resize(size.x, size.y);
            InvalidateView();
        }
    }
    return true;
}

void ViewPort::DrawScene(bool preview) {
    if (preview) {
        renderer_.RenderScene(1);
        heldPreview_.Take();
    } else if (!heldPreview_.Draw()) {
        heldPreview_.Release();
        renderer_.RenderScene(0);
    }
}

void ViewPort::Resize(int width, int height) {
    if (painting_) {
        resizedWhilePainting_ = true;
        return;
    }
    if (viewReady_ && MakeCurrent()) {
        SetViewportToClient(width, height);
    }
}

void ViewPort::ApplyStaleProjection() {
    if (projectionStale_) {
        projectionStale_ = false;
        ResetProjection(1, scene_.backgroundColor, scene_.view.perspective);
    }
}

bool ViewPort::SetUpView() {
    if (!MakeCurrent()) {
        return false;
    }
    if (!sceneSettingsReset_) {
        ResetSceneSettings(scene_);
        sceneSettingsReset_ = true;
    }
    InitRenderState();
    renderer_.PlaceLight();
    SetLightColors();
    const wxSize size = PixelSize();
    SetViewportToClient(size.x, size.y);
    // At start-up the clear values always include the accumulation buffer's.
    ResetProjection(contextRecreated_ ? settings_.antialias : 1, scene_.backgroundColor,
                    scene_.view.perspective);
    projectionStale_ = false;
    contextRecreated_ = false;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        scene_.objects[slot].SetIndex(slot);
    }
    viewReady_ = true;
    return true;
}
