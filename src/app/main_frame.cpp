#include "app/main_frame.h"

#include <wx/icon.h>
#include <wx/menu.h>
#include <wx/sizer.h>
#include <wx/utils.h>

#include "app/accelerators.h"
#include "app/capture_commands.h"
#include "app/command_dispatch.h"
#include "app/edit_commands.h"
#include "app/help_book.h"
#include "app/menus.h"
#include "app/scene_commands.h"
#include "app/toolbar.h"
#include "app/unsaved_changes.h"
#include "dialogs/antialias_dialog.h"
#include "dialogs/command_ids.h"
#include "render/picking.h"
#include "render/projection.h"
#include "render/rubber_band.h"
#include "resources/texts.h"
#include "resources/toolbar/program_icon.xpm"

std::string ComposeTitle(const std::string& suffix) {
    return texts::kTitlePrefix + suffix;
}

MainFrame::MainFrame(Scene& scene, AppSettings& settings, UserPrompts& prompts,
                     GlyphSource& glyphSource)
    : wxFrame(nullptr, wxID_ANY, wxString::FromUTF8(texts::kTitlePrefix), wxDefaultPosition,
              wxSize(800, 600)),
      scene_(scene),
      settings_(settings),
      prompts_(prompts),
      messages_(prompts, this),
      glyphs_(glyphSource),
      cache_(glyphSource, pictures_),
      renderer_(scene, cache_) {
    SetIcon(wxIcon(program_icon_xpm));
    renderContext_ = CreateRenderContext(this, settings_.antialias, prompts_);
    if (!renderContext_.IsValid()) {
        prompts_.ShowMessage(this, texts::kOpenGlInitFailed, texts::kTitlePrefix,
                             MessageButtons::kOk);
        return;
    }
    renderContext_.canvas->SetHandler(this);
    renderer_.SetAntialiasRunner(
        [this] { RunAntialiasDialog(this, renderer_, settings_.antialiasLevel); });
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(renderContext_.canvas, 1, wxEXPAND);
    SetSizer(sizer);
    objectMenu_.reset(CreateObjectMenu());
    SetTitle(wxString::FromUTF8(ComposeTitle(texts::kNewSceneSuffix)));
    SetMenuBar(CreateMainMenuBar());
    RefreshUndoMenu(*this);
    toolbar_ = CreateMainToolBar(*this);
    DisableObjectButtons();
    SetAcceleratorTable(CreateShortcutTable());
    Bind(wxEVT_MENU, &MainFrame::OnCommand, this, ToWxId(kFirstCommandId), ToWxId(kLastCommandId));
    Bind(wxEVT_CLOSE_WINDOW, &MainFrame::OnCloseWindow, this);
    // Drops on the canvas reach the frame's client area, which takes them.
    DragAcceptFiles(true);
    Bind(wxEVT_DROP_FILES, &MainFrame::OnDropFiles, this);
}

MainFrame::~MainFrame() {
    // The cache's and the studio look's names die with the context.
    cache_.Abandon();
    renderer_.AbandonStudio();
    if (renderContext_.IsValid()) {
        renderContext_.canvas->SetHandler(nullptr);
        ReleaseRenderContext(renderContext_, this, prompts_);
    }
}

HelpBook& MainFrame::helpBook() {
    if (!helpBook_) {
        helpBook_ = std::make_unique<HelpBook>(this);
    }
    return *helpBook_;
}

bool MainFrame::MakeCurrent() {
    if (!renderContext_.IsValid() || !renderContext_.canvas->IsShownOnScreen()) {
        return false;
    }
    return renderContext_.canvas->SetCurrent(*renderContext_.context);
}

void MainFrame::InvalidateView() {
    // Something changed: the preview gives way to a plain frame.
    heldPreview_.Release();
    if (renderContext_.canvas) {
        renderContext_.canvas->Refresh(false);
    }
}

bool MainFrame::RunInViewContext(const std::function<void()>& work) {
    if (painting_ || !EnsureViewReady()) {
        return false;
    }
    painting_ = true;
    work();
    painting_ = false;
    if (resizedWhilePainting_) {
        resizedWhilePainting_ = false;
        const wxSize size = ViewPixelSize();
        OnViewSize(size.x, size.y);
    }
    // Nothing changed in the scene: a held preview may stay.
    renderContext_.canvas->Refresh(false);
    return true;
}

int MainFrame::ChooseFromObjectMenu(int x, int y) {
    if (!renderContext_.canvas) {
        return 0;
    }
    const wxPoint inFrame = ScreenToClient(renderContext_.canvas->ClientToScreen(wxPoint(x, y)));
    const int chosen = GetPopupMenuSelectionFromUser(*objectMenu_, inFrame);
    return IsCommandWxId(chosen) ? FromWxId(chosen) : 0;
}

void MainFrame::SetObjectButtons(bool enabled) {
    for (const int command : kObjectButtonCommands) {
        toolbar_->EnableTool(ToWxId(command), enabled);
    }
}

void MainFrame::EnableObjectButtons() {
    SetObjectButtons(true);
}

void MainFrame::DisableObjectButtons() {
    SetObjectButtons(false);
}

void MainFrame::LockForRegionCapture() {
    wxMenuBar* bar = GetMenuBar();
    for (size_t position = 0; position < bar->GetMenuCount(); ++position) {
        bar->EnableTop(position, false);
    }
    for (const ToolButton& button : kToolButtons) {
        if (button.command != 0) {
            toolbar_->EnableTool(ToWxId(button.command), false);
        }
    }
}

void MainFrame::UnlockAfterRegionCapture() {
    wxMenuBar* bar = GetMenuBar();
    for (size_t position = 0; position < bar->GetMenuCount(); ++position) {
        bar->EnableTop(position, true);
    }
    for (const int command : kShellButtonCommands) {
        toolbar_->EnableTool(ToWxId(command), true);
    }
}

void MainFrame::ClearSelection() {
    if (scene_.currentObject == -1) {
        return;
    }
    ::ClearSelection(scene_);
    DisableObjectButtons();
    InvalidateView();
}

void MainFrame::OnCommand(wxCommandEvent& event) {
    DispatchCommand(*this, FromWxId(event.GetId()));
}

void MainFrame::OnCloseWindow(wxCloseEvent& event) {
    if (event.CanVeto() && !RunCloseProcedure(*this)) {
        event.Veto();
        return;
    }
    Destroy();
}

bool MainFrame::MayOpenFromOutside() const {
    return !modalDialogs_.AnyOpen() && !painting_ && mouse.regionArmed == 0 &&
           mouse.rubberBand == 0 && mouse.capturePending == 0;
}

void MainFrame::OnDropFiles(wxDropFilesEvent& event) {
    if (event.GetNumberOfFiles() == 0) {
        return;
    }
    // The first file only: there is one scene. Its questions and messages wait until the drop
    // has completed, so the source is not left hanging on them.
    CallAfter([this, path = event.GetFiles()[0].utf8_string()] {
        if (MayOpenFromOutside()) {
            OpenDroppedSceneFile(*this, path);
        } else {
            wxBell();
        }
    });
}

bool MainFrame::EnsureViewReady() {
    if (!(viewReady_ ? MakeCurrent() : SetUpView())) {
        return false;
    }
    ApplyStaleProjection();
    return true;
}

void MainFrame::ApplyStaleProjection() {
    if (projectionStale_) {
        projectionStale_ = false;
        ResetProjection(1, scene_.backgroundColor, scene_.view.perspective);
    }
}

bool MainFrame::SetUpView() {
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
    const wxSize size =
        renderContext_.canvas->GetClientSize() * renderContext_.canvas->GetContentScaleFactor();
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

void MainFrame::OnViewPaint() {
    if (painting_) {
        return;
    }
    if (!viewReady_ && !SetUpView()) {
        return;
    }
    if (!MakeCurrent()) {
        return;
    }
    ApplyStaleProjection();
    painting_ = true;
    const wxSize paintedSize = ViewPixelSize();
    if (mouse.capturePending == 1) {
        // One render serves the screen and the file. It is read before the swap, so windows
        // lying over the view cannot spoil it.
        renderer_.RenderScene(settings_.antialias == 1 ? 1 : 0);
        WritePendingCapture(*this, mouse.captureRect);
        mouse.capturePending = 0;
        mouse.captureRect = ClientRect{};
    } else {
        if (previewRequested == 1) {
            renderer_.RenderScene(1);
            heldPreview_.Take();
        } else if (!heldPreview_.Draw()) {
            heldPreview_.Release();
            renderer_.RenderScene(0);
        }
        if (mouse.rubberBand == 1) {
            // The rectangle is in window coordinates, and so is this projection of the view.
            const wxSize size = renderContext_.canvas->GetClientSize();
            DrawRubberBand(mouse.captureRect, size.x, size.y);
        }
    }
    renderContext_.canvas->SwapBuffers();
    previewRequested = 0;
    painting_ = false;
    if (!pendingOpen_.empty()) {
        // Its messages have no place inside a paint; a dialog opened meanwhile defers it to the
        // paint after the dialog.
        CallAfter([this, path = pendingOpen_] {
            if (MayOpenFromOutside()) {
                OpenSceneFile(*this, path);
            } else {
                OpenWhenReady(path);
            }
        });
        pendingOpen_.clear();
    }
    // Showing the progress window may report the unchanged size again.
    if (resizedWhilePainting_) {
        resizedWhilePainting_ = false;
        const wxSize size = ViewPixelSize();
        if (size != paintedSize) {
            OnViewSize(size.x, size.y);
            InvalidateView();
        }
    }
}

wxSize MainFrame::ViewPixelSize() const {
    return renderContext_.canvas->GetClientSize() * renderContext_.canvas->GetContentScaleFactor();
}

void MainFrame::OnViewMouse(const ViewMouseEvent& event) {
    viewMouse_.Handle(event);
}

int MainFrame::PickObjectAt(int x, int y) {
    if (!EnsureViewReady()) {
        return -1;
    }
    // Mouse positions are window coordinates; the viewport counts the canvas's pixels.
    const double scale = renderContext_.canvas->GetContentScaleFactor();
    return PickObject(renderer_, static_cast<int>(x * scale), static_cast<int>(y * scale));
}

void MainFrame::RedrawView() {
    InvalidateView();
}

void MainFrame::RunCommand(int command) {
    DispatchCommand(*this, command);
}

bool MainFrame::ChooseCaptureFile(const ClientRect& region) {
    return ChooseRegionCaptureFile(*this, region);
}

void MainFrame::OnViewSize(int width, int height) {
    if (painting_) {
        resizedWhilePainting_ = true;
        return;
    }
    if (viewReady_ && MakeCurrent()) {
        SetViewportToClient(width, height);
    }
}
