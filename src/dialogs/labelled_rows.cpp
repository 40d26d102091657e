#include "dialogs/labelled_rows.h"

#include <wx/stattext.h>

wxFlexGridSizer* LabelledRows(wxWindow* parent,
                              std::initializer_list<std::pair<const char*, wxWindow*>> labelled) {
    auto* rows = new wxFlexGridSizer(2, wxSize(8, 8));
    for (const auto& [label, control] : labelled) {
        rows->Add(new wxStaticText(parent, wxID_ANY, wxString::FromUTF8(label)),
                  wxSizerFlags().CenterVertical());
        rows->Add(control, wxSizerFlags().Expand());
    }
    return rows;
}
