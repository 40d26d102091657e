#include "dialogs/material_dialog.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "dialogs/command_ids.h"
#include "resources/texts.h"
#include "scene/number_format.h"

namespace {

wxStaticText* Label(wxWindow* parent, const char* text) {
    return new wxStaticText(parent, wxID_ANY, wxString::FromUTF8(text));
}

}  // namespace

MaterialDialog::MaterialDialog(wxWindow* parent, TextObject& object, UserPrompts& prompts,
                               InvalidateView invalidateView)
    : wxDialog(parent, wxID_ANY, wxString::FromUTF8(texts::kMaterialCaption)),
      object_(object),
      prompts_(prompts),
      invalidateView_(std::move(invalidateView)) {
    auto* closeButton =
        new wxButton(this, kMaterialCloseId, wxString::FromUTF8(texts::kPropertyClose));
    closeButton->SetDefault();

    wxTextCtrl* edits[3][3];
    for (int column = 0; column < 3; ++column) {
        for (int component = 0; component < 3; ++component) {
            edits[column][component] = CreateValueEdit(this, kMaterialEditIds[column][component]);
        }
    }
    const char* const rowLabels[3] = {texts::kRedComponent, texts::kGreenComponent,
                                      texts::kBlueComponent};
    const char* const headings[3][2] = {{texts::kDiffuseHeading, texts::kDiffuseNote},
                                        {texts::kSpecularHeading, texts::kSpecularNote},
                                        {texts::kAmbientHeading, texts::kAmbientNote}};

    // Four columns: the R/G/B labels, then diffuse, specular and ambient.
    auto* grid = new wxFlexGridSizer(4, wxSize(8, 6));
    for (int line = 0; line < 2; ++line) {
        grid->AddSpacer(0);
        for (const auto& heading : headings) {
            grid->Add(Label(this, heading[line]), wxSizerFlags().Center());
        }
    }
    for (int component = 0; component < 3; ++component) {
        grid->Add(Label(this, rowLabels[component]), wxSizerFlags().CenterVertical());
        for (int column = 0; column < 3; ++column) {
            auto* cell = new wxBoxSizer(wxHORIZONTAL);
            cell->Add(edits[column][component], wxSizerFlags(1).Expand());
            grid->Add(cell, wxSizerFlags().Expand());
        }
    }
    grid->AddSpacer(0);
    for (int column = 0; column < 3; ++column) {
        auto* picker = new wxButton(this, kMaterialPickerIds[column],
                                    wxString::FromUTF8(texts::kCreateColour));
        picker->Bind(wxEVT_BUTTON, [this, column](wxCommandEvent&) { OnPicker(column); });
        grid->Add(picker, wxSizerFlags().Expand());
    }

    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(grid, wxSizerFlags().Border(wxALL, 10));
    top->Add(closeButton, wxSizerFlags().Center().Border(wxALL, 10));
    SetSizer(top);

    // Opened in the order diffuse, specular, ambient; R, G, B within each.
    for (int column = 0; column < 3; ++column) {
        for (int component = 0; component < 3; ++component) {
            auto& field = fields_[column][component];
            field = std::make_unique<SpinField>(
                edits[column][component], ToWxId(kMaterialSpinCommands[column][component]), 0, 255,
                [this, column, component] { OnSpinNotification(column, component); });
            field->SetText(ShownText(Colour(column)[component], kColourFactor));
        }
    }

    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { EndDialog(kMaterialCloseId); }, kMaterialCloseId);
    SetEscapeId(kMaterialCloseId);
    Fit();
    CentreOnParent();
}

MaterialDialog::~MaterialDialog() = default;

float* MaterialDialog::Colour(int column) const {
    switch (column) {
        case 0:
            return object_.diffuse;
        case 1:
            return object_.specular;
        default:
            return object_.ambient;
    }
}

void MaterialDialog::OnSpinNotification(int column, int component) {
    ReadShownText(fields_[column][component]->Text(), kColourFactor, Colour(column)[component]);
    invalidateView_();
}

void MaterialDialog::OnPicker(int column) {
    // The picker opens on black: it is not preset to the column's colour.
    unsigned char rgb[3] = {0, 0, 0};
    if (!prompts_.ChooseColour(this, rgb)) {
        return;
    }
    float* colour = Colour(column);
    for (int component = 2; component >= 0; --component) {
        colour[component] = StoredValue(rgb[component], kColourFactor);
    }
    // Only the edits change: each control steps on from whatever its edit now shows.
    for (int component = 0; component < 3; ++component) {
        fields_[column][component]->SetText(ShownText(colour[component], kColourFactor));
    }
    invalidateView_();
}
