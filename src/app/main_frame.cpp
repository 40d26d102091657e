#include "app/main_frame.h"

#include <wx/sizer.h>

#include "render/projection.h"
#include "resources/texts.h"

std::string ComposeTitle(const std::string& suffix) { return texts::kTitlePrefix + suffix; }

MainFrame::MainFrame(Scene& scene, AppSettings& settings, UserPrompts& prompts)
    : wxFrame(nullptr, wxID_ANY, wxString::FromUTF8(texts::kTitlePrefix), wxDefaultPosition,
              wxSize(800, 600)),
      scene_(scene),
      settings_(settings),
      prompts_(prompts),
      renderer_(scene) {
    renderContext_ = CreateRenderContext(this, settings_.antialias, prompts_);
    if (!renderContext_.IsValid()) {
        prompts_.ShowMessage(this, texts::kOpenGlInitFailed, texts::kTitlePrefix,
                             MessageButtons::kOk);
        return;
    }
    renderContext_.canvas->SetHandler(this);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(renderContext_.canvas, 1, wxEXPAND);
    SetSizer(sizer);
    SetTitle(wxString::FromUTF8(ComposeTitle(texts::kNewSceneSuffix)));
}

MainFrame::~MainFrame() {
    if (renderContext_.IsValid()) {
        renderContext_.canvas->SetHandler(nullptr);
        // Names die with the context; nothing may try to delete them afterwards.
        SetGpuResourceReleaser(nullptr);
        ReleaseRenderContext(renderContext_, this, prompts_);
    }
}

bool MainFrame::MakeCurrent() {
    if (!renderContext_.IsValid() || !renderContext_.canvas->IsShownOnScreen()) {
        return false;
    }
    return renderContext_.canvas->SetCurrent(*renderContext_.context);
}

void MainFrame::InvalidateView() {
    if (renderContext_.canvas) {
        renderContext_.canvas->Refresh(false);
    }
}

bool MainFrame::SetUpView() {
    if (!MakeCurrent()) {
        return false;
    }
    ResetSceneSettings(scene_, renderer_);
    SetGpuResourceReleaser(&releaser_);
    InitRenderState();
    glLightfv(GL_LIGHT0, GL_POSITION, scene_.light.position);
    SetLightColors();
    const wxSize size = renderContext_.canvas->GetClientSize() *
                        renderContext_.canvas->GetContentScaleFactor();
    SetViewportToClient(size.x, size.y);
    ResetProjection(1, scene_.backgroundColor, scene_.view.perspective);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        scene_.objects[slot].SetIndex(slot);
    }
    viewReady_ = true;
    return true;
}

void MainFrame::OnViewPaint() {
    if (!viewReady_ && !SetUpView()) {
        return;
    }
    if (!MakeCurrent()) {
        return;
    }
    renderer_.RenderScene(0);
    renderContext_.canvas->SwapBuffers();
}

void MainFrame::OnViewSize(int width, int height) {
    if (viewReady_ && MakeCurrent()) {
        SetViewportToClient(width, height);
    }
}
