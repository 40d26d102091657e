#pragma once
// What a command works on, handed to it by the window: the document, the view port, the user's
// pickers and message boxes, the shell's state between events, and the window's menus, buttons
// and caption. Commands include this header, never the window's.

#include <wx/window.h>

#include <cstdint>
#include <string>

#include "app/view_mouse.h"
#include "app/view_port.h"
#include "dialogs/document_host.h"
#include "dialogs/user_prompts.h"
#include "document/document.h"

class HelpBook;

// The caption: the title prefix followed by the suffix (UTF-8).
std::string ComposeTitle(const std::string& suffix);

// The shell's state that the commands, the mouse and the painting share.
struct ShellState {
    // The drag anchor and the region capture's flags and rectangle.
    ViewMouseState mouse;
    int32_t previewRequested = 0;
    // Kept between uses of the font picker.
    FontRequest fontScratch;
};

// The window around the view, whose menus, buttons and caption follow the state.
class ShellWindow {
  public:
    virtual ~ShellWindow() = default;
    // The owner of dialogs and message boxes.
    virtual wxWindow* window() = 0;
    // The nine object buttons of the toolbar.
    virtual void SetObjectButtons(bool enabled) = 0;
    // While a region is dragged out nothing else may start: every menu and button is off.
    virtual void LockForRegionCapture() = 0;
    // Gives back the menus and the buttons that do not need a picked object.
    virtual void UnlockAfterRegionCapture() = 0;
    // Greys Undo and Redo when there is nothing to move over and names the step otherwise.
    virtual void RefreshUndoMenu() = 0;
    // The caption: the title prefix followed by suffix (UTF-8).
    virtual void ShowCaption(const std::string& suffix) = 0;
    // Replaces the view's canvas and context by ones with (1) or without (0) an accumulation
    // buffer; false when no context could be made (its message has been shown).
    virtual bool SwitchRenderContext(int antialias) = 0;
    virtual HelpBook& helpBook() = 0;
};

class CommandContext : public DocumentHost {
  public:
    CommandContext(Document& document, ViewPort& view, UserPrompts& prompts, ShellState& ui,
                   ShellWindow& shell)
        : document_(document), view_(view), prompts_(prompts), ui_(ui), shell_(shell) {}

    Document& document() { return document_; }
    ViewPort& view() { return view_; }
    ShellState& ui() { return ui_; }
    ShellWindow& shell() { return shell_; }

    // Highlight off, no current object, object buttons greyed, view redrawn (when one was set).
    void ClearSelection();

    wxWindow* window() override { return shell_.window(); }
    Scene& scene() override { return document_.scene; }
    UserPrompts& prompts() override { return prompts_; }
    MessageSink& messages() override { return document_.messages; }
    GlyphLayout& glyphs() override { return document_.glyphs; }
    TexturePictures& pictures() override { return document_.pictures; }
    void InvalidateView() override { view_.InvalidateView(); }
    void EnableObjectButtons() override { shell_.SetObjectButtons(true); }
    void DisableObjectButtons() override { shell_.SetObjectButtons(false); }

  private:
    Document& document_;
    ViewPort& view_;
    UserPrompts& prompts_;
    ShellState& ui_;
    ShellWindow& shell_;
};
