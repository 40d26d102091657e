#include "dialogs/surface_dialog.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <algorithm>
#include <cmath>
#include <iterator>

#include "dialogs/labelled_rows.h"
#include "resources/texts.h"
#include "scene/surface_material.h"

namespace {

constexpr double kStep = 0.01;
constexpr int kDigits = 2;

// In the order of MaterialPreset's values.
constexpr const char* kPresetNames[] = {texts::kSurfacePresetNone, texts::kSurfaceGold,
                                        texts::kSurfaceSilver,     texts::kSurfaceCopper,
                                        texts::kSurfaceChrome,     texts::kSurfaceGlossyPlastic,
                                        texts::kSurfaceMatte,      texts::kSurfaceOriginalColour};
static_assert(std::size(kPresetNames) == kLastMaterialPreset + 1);

wxSpinCtrlDouble* CreateUnitControl(wxWindow* parent, int id, double min) {
    auto* control = new wxSpinCtrlDouble(parent, id, wxEmptyString, wxDefaultPosition,
                                         wxDefaultSize, wxSP_ARROW_KEYS, min, 1.0, min, kStep);
    control->SetDigits(kDigits);
    return control;
}

// A byte has finer steps than the field's hundredths, so each shown value keeps its own byte.
uint8_t ReadByte(const wxSpinCtrlDouble* control) {
    const double shown = std::round(control->GetValue() / kStep) * kStep;
    return static_cast<uint8_t>(std::lround(shown * 255.0));
}

}  // namespace

SurfaceDialog::SurfaceDialog(wxWindow* parent, TextObject& object, InvalidateView invalidateView)
    : wxDialog(parent, wxID_ANY, wxString::FromUTF8(texts::kSurfaceCaption)),
      object_(object),
      invalidateView_(std::move(invalidateView)) {
    preset_ = new wxChoice(this, kSurfacePresetId);
    for (const char* name : kPresetNames) {
        preset_->Append(wxString::FromUTF8(name));
    }
    metallic_ = CreateUnitControl(this, kSurfaceMetallicId, 0.0);
    roughness_ = CreateUnitControl(this, kSurfaceRoughnessId, kMinRoughness);
    auto* closeButton = new wxButton(this, wxID_OK, wxString::FromUTF8(texts::kPropertyClose));
    closeButton->SetDefault();

    auto* rows = LabelledRows(this, {{texts::kSurfacePreset, preset_},
                                     {texts::kSurfaceMetallic, metallic_},
                                     {texts::kSurfaceRoughness, roughness_}});
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(rows, wxSizerFlags().Border(wxLEFT | wxRIGHT | wxTOP, 10));
    top->Add(closeButton, wxSizerFlags().Center().Border(wxALL, 10));
    SetSizer(top);
    ShowSettings();

    preset_->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { OnPreset(); });
    metallic_->Bind(wxEVT_SPINCTRLDOUBLE, [this](wxSpinDoubleEvent&) { OnMetallic(); });
    roughness_->Bind(wxEVT_SPINCTRLDOUBLE, [this](wxSpinDoubleEvent&) { OnRoughness(); });
    SetEscapeId(wxID_OK);
    Fit();
    CentreOnParent();
}

void SurfaceDialog::ShowSettings() {
    const SurfaceSettings& surface = object_.surface;
    preset_->SetSelection(static_cast<int>(surface.preset));
    const SurfaceMaterial resolved = ResolveSurface(object_);
    metallic_->SetValue(resolved.metallic);
    roughness_->SetValue(resolved.roughness);
}

// The preset's values; "none" keeps the values and drops only the preset's colour.
void SurfaceDialog::OnPreset() {
    const auto preset = static_cast<MaterialPreset>(preset_->GetSelection());
    SurfaceSettings surface = object_.surface;
    if (preset != MaterialPreset::kNone) {
        surface = PresetSurface(preset);
    }
    surface.preset = preset;
    Apply(surface);
}

// Edited values keep the preset, which still gives a metal its colour.
void SurfaceDialog::OnMetallic() {
    SurfaceSettings surface = object_.surface;
    surface.metallic = ReadByte(metallic_);
    Apply(surface);
}

void SurfaceDialog::OnRoughness() {
    SurfaceSettings surface = object_.surface;
    // 0 would mean "from the shininess": the least byte that reads as the field's value.
    surface.roughness = std::max<uint8_t>(1, ReadByte(roughness_));
    Apply(surface);
}

void SurfaceDialog::Apply(const SurfaceSettings& surface) {
    if (surface == object_.surface) {
        ShowSettings();
        return;
    }
    object_.surface = surface;
    // Not a picking, but the object is no longer as saved: closing must ask.
    object_.touched = 1;
    ShowSettings();
    invalidateView_();
}
