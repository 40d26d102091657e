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
#include "render/rubber_band.h"
#include "resources/texts.h"
#include "resources/toolbar/program_icon.xpm"

MainFrame::MainFrame(Scene& scene, AppSettings& settings, UserPrompts& prompts,
                     GlyphSource& glyphSource)
    : wxFrame(nullptr, wxID_ANY, wxString::FromUTF8(texts::kTitlePrefix), wxDefaultPosition,
              wxSize(800, 600)),
      prompts_(prompts),
      messages_(prompts, this),
      document_(scene, settings, glyphSource, messages_),
      viewPort_(this, document_, prompts) {
    SetIcon(wxIcon(program_icon_xpm));
    viewPort_.Adopt(CreateRenderContext(this, settings.antialias, prompts_), this);
    if (!viewPort_.HasRenderContext()) {
        prompts_.ShowMessage(this, texts::kOpenGlInitFailed, texts::kTitlePrefix,
                             MessageButtons::kOk);
        return;
    }
    viewPort_.renderer().SetAntialiasRunner([this] {
        RunAntialiasDialog(this, viewPort_.renderer(), document_.settings.antialiasLevel);
    });
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(viewPort_.canvas(), 1, wxEXPAND);
    SetSizer(sizer);
    objectMenu_.reset(CreateObjectMenu());
    ShowCaption(texts::kNewSceneSuffix);
    SetMenuBar(CreateMainMenuBar());
    RefreshUndoMenu();
    toolbar_ = CreateMainToolBar(*this);
    SetObjectButtons(false);
    SetAcceleratorTable(CreateShortcutTable());
    Bind(wxEVT_MENU, &MainFrame::OnCommand, this, ToWxId(kFirstCommandId), ToWxId(kLastCommandId));
    Bind(wxEVT_CLOSE_WINDOW, &MainFrame::OnCloseWindow, this);
    // Drops on the canvas reach the frame's client area, which takes them.
    DragAcceptFiles(true);
    Bind(wxEVT_DROP_FILES, &MainFrame::OnDropFiles, this);
}

MainFrame::~MainFrame() {
    viewPort_.Release();
}

HelpBook& MainFrame::helpBook() {
    if (!helpBook_) {
        helpBook_ = std::make_unique<HelpBook>(this);
    }
    return *helpBook_;
}

void MainFrame::ShowCaption(const std::string& suffix) {
    SetTitle(wxString::FromUTF8(ComposeTitle(suffix)));
}

void MainFrame::RefreshUndoMenu() {
    ::RefreshUndoMenu(GetMenuBar(), document_.history);
}

int MainFrame::ChooseFromObjectMenu(int x, int y) {
    GlView* canvas = viewPort_.canvas();
    if (!canvas) {
        return 0;
    }
    const wxPoint inFrame = ScreenToClient(canvas->ClientToScreen(wxPoint(x, y)));
    const int chosen = GetPopupMenuSelectionFromUser(*objectMenu_, inFrame);
    return IsCommandWxId(chosen) ? FromWxId(chosen) : 0;
}

void MainFrame::SetObjectButtons(bool enabled) {
    for (const int command : kObjectButtonCommands) {
        toolbar_->EnableTool(ToWxId(command), enabled);
    }
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

void MainFrame::OnCommand(wxCommandEvent& event) {
    DispatchCommand(context_, FromWxId(event.GetId()));
}

void MainFrame::OnCloseWindow(wxCloseEvent& event) {
    if (event.CanVeto() && !RunCloseProcedure(context_)) {
        event.Veto();
        return;
    }
    Destroy();
}

bool MainFrame::MayOpenFromOutside() const {
    return !modalDialogs_.AnyOpen() && !viewPort_.IsPainting() && ui_.mouse.regionArmed == 0 &&
           ui_.mouse.rubberBand == 0 && ui_.mouse.capturePending == 0;
}

void MainFrame::OnDropFiles(wxDropFilesEvent& event) {
    if (event.GetNumberOfFiles() == 0) {
        return;
    }
    // The first file only: there is one scene. Its questions and messages wait until the drop
    // has completed, so the source is not left hanging on them.
    CallAfter([this, path = event.GetFiles()[0].utf8_string()] {
        if (MayOpenFromOutside()) {
            OpenDroppedSceneFile(context_, path);
        } else {
            wxBell();
        }
    });
}

void MainFrame::OnViewPaint() {
    const bool painted = viewPort_.Paint([this] {
        ViewMouseState& mouse = ui_.mouse;
        if (mouse.capturePending == 1) {
            // One render serves the screen and the file. It is read before the swap, so windows
            // lying over the view cannot spoil it.
            viewPort_.renderer().RenderScene(document_.settings.antialias == 1 ? 1 : 0);
            WritePendingCapture(context_, mouse.captureRect);
            mouse.capturePending = 0;
            mouse.captureRect = ClientRect{};
        } else {
            viewPort_.DrawScene(ui_.previewRequested == 1);
            if (mouse.rubberBand == 1) {
                // The rectangle is in window coordinates, and so is this projection of the view.
                const wxSize size = viewPort_.canvas()->GetClientSize();
                DrawRubberBand(mouse.captureRect, size.x, size.y);
            }
        }
    });
    if (!painted) {
        return;
    }
    ui_.previewRequested = 0;
    if (!pendingOpen_.empty()) {
        // Its messages have no place inside a paint; a dialog opened meanwhile defers it to the
        // paint after the dialog.
        CallAfter([this, path = pendingOpen_] {
            if (MayOpenFromOutside()) {
                OpenSceneFile(context_, path);
            } else {
                OpenWhenReady(path);
            }
        });
        pendingOpen_.clear();
    }
}

void MainFrame::OnViewSize(int width, int height) {
    viewPort_.Resize(width, height);
}

void MainFrame::OnViewMouse(const ViewMouseEvent& event) {
    viewMouse_.Handle(event);
}

int MainFrame::PickObjectAt(int x, int y) {
    if (!viewPort_.EnsureViewReady()) {
        return -1;
    }
    // Mouse positions are window coordinates; the viewport counts the canvas's pixels.
    const double scale = viewPort_.canvas()->GetContentScaleFactor();
    return PickObject(viewPort_.renderer(), static_cast<int>(x * scale),
                      static_cast<int>(y * scale));
}

void MainFrame::RedrawView() {
    viewPort_.InvalidateView();
}

void MainFrame::RunCommand(int command) {
    DispatchCommand(context_, command);
}

bool MainFrame::ChooseCaptureFile(const ClientRect& region) {
    return ChooseRegionCaptureFile(context_, region);
}
