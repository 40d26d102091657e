#include "dialogs/picture_dialog_layout.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "resources/texts.h"

void LayOutPictureDialog(wxDialog& dialog, const PictureDialogParts& parts) {
    auto* fields = new wxFlexGridSizer(2, 6, 8);
    for (const auto& [label, control] : parts.fields) {
        fields->Add(new wxStaticText(&dialog, wxID_ANY, wxString::FromUTF8(label)), 0,
                    wxALIGN_CENTER_VERTICAL);
        fields->Add(control, 0, wxEXPAND);
    }
    auto* left = new wxBoxSizer(wxVERTICAL);
    left->Add(fields, 0);
    left->Add(parts.transparent, 0, wxTOP, 10);
    auto* right = new wxBoxSizer(wxVERTICAL);
    right->Add(new wxStaticText(&dialog, wxID_ANY, wxString::FromUTF8(parts.previewLabel)), 0,
               wxBOTTOM, 4);
    right->Add(parts.preview, 1, wxEXPAND);
    auto* upper = new wxBoxSizer(wxHORIZONTAL);
    upper->Add(left, 0, wxRIGHT, 12);
    upper->Add(right, 1, wxEXPAND);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    auto* ok = new wxButton(&dialog, wxID_OK, wxString::FromUTF8(parts.okLabel));
    ok->SetDefault();
    buttons->Add(ok, 0, wxRIGHT, 8);
    // A wxID_CANCEL button also makes Esc and the close box cancel.
    buttons->Add(
        new wxButton(&dialog, wxID_CANCEL, wxString::FromUTF8(texts::kSizedCaptureCancel)));
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(upper, 1, wxALL | wxEXPAND, 10);
    column->Add(buttons, 0, wxLEFT | wxRIGHT | wxBOTTOM | wxALIGN_RIGHT, 10);
    dialog.SetSizerAndFit(column);
    dialog.CentreOnParent();
}
