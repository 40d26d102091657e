#include "dialogs/vector_dialog.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "dialogs/command_ids.h"
#include "resources/texts.h"
#include "scene/number_format.h"

VectorDialog::VectorDialog(wxWindow* parent, const VectorDialogLayout& layout, float* components,
                           InvalidateView invalidateView)
    : wxDialog(parent, wxID_ANY, wxString::FromUTF8(layout.caption)),
      components_(components),
      factor_(layout.factor),
      invalidateView_(std::move(invalidateView)) {
    auto* closeButton =
        new wxButton(this, layout.closeId, wxString::FromUTF8(texts::kPropertyClose));
    closeButton->SetDefault();

    auto* rows = new wxFlexGridSizer(2, wxSize(8, 8));
    wxTextCtrl* edits[3];
    for (int i = 0; i < 3; ++i) {
        edits[i] = CreateValueEdit(this, kVectorEditIds[i]);
    }
    for (int i = 0; i < 3; ++i) {
        auto* label = new wxStaticText(this, wxID_ANY, wxString::FromUTF8(layout.labels[i]));
        auto* editRow = new wxBoxSizer(wxHORIZONTAL);
        editRow->Add(edits[i], wxSizerFlags(1).Expand());
        rows->Add(label, wxSizerFlags().CenterVertical());
        rows->Add(editRow, wxSizerFlags().Expand());
    }

    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(rows, wxSizerFlags().Border(wxALL, 10));
    top->Add(closeButton, wxSizerFlags().Center().Border(wxALL, 10));
    SetSizer(top);

    for (int i = 0; i < 3; ++i) {
        fields_[i] =
            std::make_unique<SpinField>(edits[i], ToWxId(kVectorSpinCommands[i]), layout.lower,
                                        layout.upper, [this, i] { OnSpinNotification(i); });
        fields_[i]->SetText(ShownText(components_[i], factor_));
    }

    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent& event) { EndDialog(event.GetId()); }, layout.closeId);
    SetEscapeId(layout.closeId);
    Fit();
    CentreOnParent();
}

VectorDialog::~VectorDialog() = default;

void VectorDialog::OnSpinNotification(int component) {
    BeforeNotification();
    ReadShownText(fields_[component]->Text(), factor_, components_[component]);
    invalidateView_();
    AfterNotification(component);
}
