#pragma once
// The version dialog: the program icon, name and version, the libraries, and an OK button.

#include <wx/dialog.h>

class AboutDialog : public wxDialog {
  public:
    explicit AboutDialog(wxWindow* parent);
};

void ShowAboutDialog(wxWindow* parent);
// The second line: the libraries the program is built on, with their versions.
wxString AboutLibrariesLine();
