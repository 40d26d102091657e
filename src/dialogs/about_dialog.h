#pragma once
// The version dialog: the program icon, name and version, and an OK button.

#include <wx/dialog.h>

class AboutDialog : public wxDialog {
  public:
    explicit AboutDialog(wxWindow* parent);
};

void ShowAboutDialog(wxWindow* parent);
