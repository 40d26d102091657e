#pragma once
// The program's one top-level window: menus, toolbar, keys and the view's canvas, with the
// enabling of menus and buttons from the state. It owns the document's companions for the run
// (view port, shell state) and hands them to the commands as one context.

#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/toolbar.h>

#include <memory>
#include <string>

#include "app/command_context.h"
#include "app/gl_view.h"
#include "app/modal_dialog_count.h"
#include "app/prompts_message_sink.h"
#include "app/view_mouse.h"
#include "app/view_port.h"
#include "dialogs/user_prompts.h"
#include "document/document.h"
#include "render/client_rect.h"
#include "scene/app_settings.h"
#include "scene/scene.h"
#include "text/glyph_source.h"

class MainFrame : public wxFrame, public ShellWindow, private GlViewHandler, private ViewMouseHost {
  public:
    MainFrame(Scene& scene, AppSettings& settings, UserPrompts& prompts, GlyphSource& glyphSource);
    ~MainFrame() override;

    // False when no GL context could be made; the message has been shown and the frame must go.
    bool HasRenderContext() const { return viewPort_.HasRenderContext(); }

    CommandContext& context() { return context_; }
    Document& document() { return document_; }
    ViewPort& viewPort() { return viewPort_; }
    ShellState& ui() { return ui_; }
    wxToolBar* toolbar() { return toolbar_; }
    wxMenu* objectMenu() { return objectMenu_.get(); }

    wxWindow* window() override { return this; }
    void SetObjectButtons(bool enabled) override;
    void LockForRegionCapture() override;
    void UnlockAfterRegionCapture() override;
    void RefreshUndoMenu() override;
    void ShowCaption(const std::string& suffix) override;
    // Switching on releases the old context first; switching off keeps it until the new one
    // exists. The render cache fills itself again in the new context.
    bool SwitchRenderContext(int antialias) override;
    HelpBook& helpBook() override;

    // Opens the scene file at path (UTF-8) as the Open command would, once the view is set up.
    void OpenWhenReady(const std::string& path) { pendingOpen_ = path; }
    // False while a modal dialog, a region capture or a drawing is under way: a file opened
    // from outside then would swap the scene under it.
    bool MayOpenFromOutside() const;

  private:
    void OnViewPaint() override;
    void OnViewSize(int width, int height) override;
    void OnViewMouse(const ViewMouseEvent& event) override;
    int PickObjectAt(int x, int y) override;
    void RedrawView() override;
    int ChooseFromObjectMenu(int x, int y) override;
    void RunCommand(int command) override;
    bool ChooseCaptureFile(const ClientRect& region) override;
    void OnCommand(wxCommandEvent& event);
    void OnCloseWindow(wxCloseEvent& event);
    void OnDropFiles(wxDropFilesEvent& event);
    // The antialiased preview's button and menu item.
    void EnablePreviewCommand(bool enabled);

    UserPrompts& prompts_;
    PromptsMessageSink messages_;
    Document document_;
    ViewPort viewPort_;
    ShellState ui_;
    CommandContext context_{document_, viewPort_, prompts_, ui_, *this};
    wxToolBar* toolbar_ = nullptr;
    std::unique_ptr<wxMenu> objectMenu_;
    std::unique_ptr<HelpBook> helpBook_;
    std::string pendingOpen_;
    ModalDialogCount modalDialogs_;
    ViewMouse viewMouse_{document_.scene, ui_.mouse, *this};
};
