#pragma once
// Asks for one whole number within a range, with the program's Japanese buttons. A value that is
// not a whole number within the range is refused with a message and the dialog stays open.

#include <wx/dialog.h>
#include <wx/textctrl.h>

#include "dialogs/user_prompts.h"

class NumberEntryDialog : public wxDialog {
  public:
    static constexpr int kValueId = 6101;

    NumberEntryDialog(wxWindow* parent, const NumberRequest& request, UserPrompts& prompts);
    // The accepted number, once the dialog has ended with wxID_OK.
    long value() const { return value_; }

  private:
    void OnOk(wxCommandEvent& event);

    NumberRequest request_;
    UserPrompts& prompts_;
    wxTextCtrl* field_;
    long value_ = 0;
};
