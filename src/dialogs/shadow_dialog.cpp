#include "dialogs/shadow_dialog.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "dialogs/command_ids.h"
#include "resources/texts.h"
#include "scene/number_format.h"

ShadowDialog::ShadowDialog(wxWindow* parent, Scene& scene, UserPrompts& prompts,
                           InvalidateView invalidateView)
    : wxDialog(parent, wxID_ANY, wxString::FromUTF8(texts::kShadowCaption)),
      scene_(scene),
      prompts_(prompts),
      invalidateView_(std::move(invalidateView)) {
    auto* closeButton = new wxButton(this, wxID_OK, wxString::FromUTF8(texts::kPropertyClose));
    closeButton->SetDefault();
    drawShadow_ = new wxCheckBox(this, kDrawShadowCheckId, wxString::FromUTF8(texts::kDrawShadow));

    const char* const labels[4] = {texts::kPlaneA, texts::kPlaneB, texts::kPlaneC, texts::kPlaneD};
    wxTextCtrl* edits[4];
    auto* rows = new wxFlexGridSizer(2, wxSize(6, 8));
    auto* heading = new wxStaticText(this, wxID_ANY, wxString::FromUTF8(texts::kShadowPlane));
    for (int i = 0; i < 4; ++i) {
        edits[i] = CreateValueEdit(this, kPlaneEditIds[i]);
        auto* editRow = new wxBoxSizer(wxHORIZONTAL);
        editRow->Add(edits[i], wxSizerFlags(1).Expand());
        rows->Add(new wxStaticText(this, wxID_ANY, wxString::FromUTF8(labels[i])),
                  wxSizerFlags().CenterVertical());
        rows->Add(editRow, wxSizerFlags().Expand());
    }
    auto* seeHelp = new wxStaticText(this, wxID_ANY, wxString::FromUTF8(texts::kShadowSeeHelp));
    auto* colourButton =
        new wxButton(this, ToWxId(kShadowColourCommand), wxString::FromUTF8(texts::kShadowColour));

    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(drawShadow_, wxSizerFlags().Center().Border(wxLEFT | wxRIGHT | wxTOP, 10));
    top->Add(colourButton, wxSizerFlags().Center().Border(wxLEFT | wxRIGHT | wxTOP, 10));
    top->Add(heading, wxSizerFlags().Border(wxLEFT | wxRIGHT | wxTOP, 10));
    top->Add(rows, wxSizerFlags().Center().Border(wxLEFT | wxRIGHT | wxTOP, 10));
    top->Add(seeHelp, wxSizerFlags().Border(wxLEFT | wxRIGHT | wxTOP, 10));
    top->Add(closeButton, wxSizerFlags().Center().Border(wxALL, 10));
    SetSizer(top);

    drawShadow_->SetValue(scene_.shadow.enabled == 1);
    for (int i = 0; i < 4; ++i) {
        fields_[i] = std::make_unique<SpinField>(edits[i], ToWxId(kPlaneSpinCommands[i]), -400, 400,
                                                 [this, i] { OnSpinNotification(i); });
        fields_[i]->SetText(ShownText(scene_.shadow.plane[i], kLengthFactor));
    }

    drawShadow_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { OnDrawShadow(); });
    colourButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnColour(); });
    Fit();
    CentreOnParent();
}

ShadowDialog::~ShadowDialog() = default;

void ShadowDialog::OnSpinNotification(int coefficient) {
    scene_.modified = 1;
    ReadShownText(fields_[coefficient]->Text(), kLengthFactor, scene_.shadow.plane[coefficient]);
    invalidateView_();
}

void ShadowDialog::OnDrawShadow() {
    scene_.modified = 1;
    scene_.shadow.enabled = scene_.shadow.enabled == 1 ? 0 : 1;
    drawShadow_->SetValue(scene_.shadow.enabled == 1);
    invalidateView_();
}

void ShadowDialog::OnColour() {
    // Pressing the button counts as a change even when the picker is cancelled.
    scene_.modified = 1;
    unsigned char rgb[3] = {0, 0, 0};
    if (!prompts_.ChooseColour(this, rgb)) {
        return;
    }
    float* colour = scene_.shadow.color;
    for (int component = 2; component >= 0; --component) {
        colour[component] = StoredValue(rgb[component], kColourFactor);
    }
    invalidateView_();
}
