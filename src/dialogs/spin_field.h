#pragma once
// A read-only edit with an up-down control beside it. The control keeps its own position (1 at
// first); an arrow press steps from the edit's integer when it lies within the range, stops at
// the limits, writes the new position into the edit and then tells the dialog, which reads the
// edit back.

#include <wx/spinbutt.h>
#include <wx/textctrl.h>

#include <functional>

class SpinField {
  public:
    // The up-down control goes into the edit's sizer, right after the edit.
    SpinField(wxTextCtrl* buddy, int spinId, int lower, int upper, std::function<void()> notify);
    SpinField(const SpinField&) = delete;
    SpinField& operator=(const SpinField&) = delete;

    wxTextCtrl* edit() const { return edit_; }
    wxSpinButton* spin() const { return spin_; }
    int position() const { return position_; }

    // Overwrites the edit's text; the control's own position stays as it is.
    void SetText(const std::string& text);
    std::string Text() const;
    // One arrow press: +1 up, -1 down.
    void Press(int direction);

  private:
    void OnArrow(wxSpinEvent& event, int direction);

    wxTextCtrl* edit_;
    wxSpinButton* spin_;
    int lower_;
    int upper_;
    int position_ = 1;
    std::function<void()> notify_;
};

// A read-only edit as the dialogs' templates have it.
wxTextCtrl* CreateValueEdit(wxWindow* parent, int id);
