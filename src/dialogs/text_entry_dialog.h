#pragma once
// The dialog in which the user types the string of the current text object.

#include <wx/dialog.h>
#include <wx/textctrl.h>

#include "dialogs/document_host.h"

class TextEntryDialog : public wxDialog {
  public:
    static constexpr int kCloseButtonId = 1000;
    static constexpr int kTextId = 1001;
    static constexpr int kApplyButtonId = 1002;

    // Works on the scene's current object, which must be a slot index.
    explicit TextEntryDialog(DocumentHost& host);
    int slot() const { return slot_; }

  private:
    void OnApply(wxCommandEvent& event);
    void OnCloseButton(wxCommandEvent& event);
    // Enter applies as the default button would; Ctrl+Enter breaks the line.
    void OnTextKey(wxKeyEvent& event);

    DocumentHost& host_;
    int slot_;
    wxTextCtrl* text_ = nullptr;
};
