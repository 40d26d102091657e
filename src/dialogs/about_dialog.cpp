#include "dialogs/about_dialog.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include "resources/texts.h"
#include "resources/toolbar/program_icon.xpm"
#include "text/library_versions.h"

wxString AboutLibrariesLine() {
    return wxString::Format("%s, %s", wxVERSION_STRING, wxString::FromUTF8(FontLibraryVersions()));
}

AboutDialog::AboutDialog(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, wxString::FromUTF8(texts::kAboutCaption)) {
    auto* icon = new wxStaticBitmap(this, wxID_ANY, wxBitmap(program_icon_xpm));
    auto* lines = new wxBoxSizer(wxVERTICAL);
    lines->Add(new wxStaticText(this, wxID_ANY, wxString::FromUTF8(texts::kAboutProgram)));
    lines->Add(new wxStaticText(this, wxID_ANY, AboutLibrariesLine()), 0, wxTOP | wxLEFT,
               FromDIP(8));
    auto* top = new wxBoxSizer(wxHORIZONTAL);
    top->Add(icon, 0, wxRIGHT, FromDIP(16));
    top->Add(lines, 0, wxALIGN_CENTER_VERTICAL);
    auto* ok = new wxButton(this, wxID_OK, wxString::FromUTF8(texts::kAboutOk));
    ok->SetDefault();
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(top, 0, wxALL, FromDIP(16));
    column->Add(ok, 0, wxALIGN_CENTER_HORIZONTAL | wxBOTTOM, FromDIP(12));
    SetSizerAndFit(column);
    CentreOnParent();
}

void ShowAboutDialog(wxWindow* parent) {
    AboutDialog dialog(parent);
    dialog.ShowModal();
}
