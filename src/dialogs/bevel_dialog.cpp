#include "dialogs/bevel_dialog.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <cmath>

#include "dialogs/labelled_rows.h"
#include "resources/texts.h"
#include "text/glyph_layout.h"

namespace {

constexpr double kSizeStep = 0.005;
constexpr int kSizeDigits = 3;

wxSpinCtrlDouble* CreateSizeControl(wxWindow* parent, int id) {
    auto* control =
        new wxSpinCtrlDouble(parent, id, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                             wxSP_ARROW_KEYS, 0.0, kMaxBevelSize, 0.0, kSizeStep);
    control->SetDigits(kSizeDigits);
    return control;
}

// The controls show three decimals; storing their rounded value keeps what the user saw.
float ReadSize(const wxSpinCtrlDouble* control) {
    const double scale = std::pow(10.0, kSizeDigits);
    return static_cast<float>(std::round(control->GetValue() * scale) / scale);
}

}  // namespace

BevelDialog::BevelDialog(wxWindow* parent, TextObject& object, GlyphLayout& glyphs,
                         MessageSink& messages, InvalidateView invalidateView)
    : wxDialog(parent, wxID_ANY, wxString::FromUTF8(texts::kBevelCaption)),
      object_(object),
      glyphs_(glyphs),
      messages_(messages),
      invalidateView_(std::move(invalidateView)) {
    profile_ = new wxChoice(this, kBevelProfileId);
    for (const char* name : {texts::kBevelNone, texts::kBevelChamfer, texts::kBevelRound}) {
        profile_->Append(wxString::FromUTF8(name));
    }
    width_ = CreateSizeControl(this, kBevelWidthId);
    depth_ = CreateSizeControl(this, kBevelDepthId);
    segments_ = new wxSpinCtrl(this, kBevelSegmentsId, wxEmptyString, wxDefaultPosition,
                               wxDefaultSize, wxSP_ARROW_KEYS, 1, kMaxBevelSegments, 1);
    backToo_ = new wxCheckBox(this, kBevelBackTooId, wxString::FromUTF8(texts::kBevelBackToo));
    auto* closeButton = new wxButton(this, wxID_OK, wxString::FromUTF8(texts::kPropertyClose));
    closeButton->SetDefault();

    auto* rows = LabelledRows(this, {{texts::kBevelProfile, profile_},
                                     {texts::kBevelWidth, width_},
                                     {texts::kBevelDepth, depth_},
                                     {texts::kBevelSegments, segments_}});
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(rows, wxSizerFlags().Border(wxLEFT | wxRIGHT | wxTOP, 10));
    top->Add(backToo_, wxSizerFlags().Border(wxLEFT | wxRIGHT | wxTOP, 10));
    top->Add(closeButton, wxSizerFlags().Center().Border(wxALL, 10));
    SetSizer(top);
    ShowSettings();

    profile_->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { Apply(); });
    width_->Bind(wxEVT_SPINCTRLDOUBLE, [this](wxSpinDoubleEvent&) { Apply(); });
    depth_->Bind(wxEVT_SPINCTRLDOUBLE, [this](wxSpinDoubleEvent&) { Apply(); });
    segments_->Bind(wxEVT_SPINCTRL, [this](wxSpinEvent&) { Apply(); });
    backToo_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { Apply(); });
    SetEscapeId(wxID_OK);
    Fit();
    CentreOnParent();
}

void BevelDialog::ShowSettings() {
    const BevelSettings& bevel = object_.bevel;
    profile_->SetSelection(static_cast<int>(bevel.profile));
    width_->SetValue(bevel.width);
    depth_->SetValue(bevel.depth);
    segments_->SetValue(bevel.segments);
    backToo_->SetValue(bevel.backToo);
    const bool active = bevel.profile != BevelProfile::kNone;
    width_->Enable(active);
    depth_->Enable(active);
    segments_->Enable(bevel.profile == BevelProfile::kRound);
    backToo_->Enable(active);
}

void BevelDialog::Apply() {
    BevelSettings bevel;
    bevel.profile = static_cast<BevelProfile>(profile_->GetSelection());
    bevel.width = ReadSize(width_);
    bevel.depth = ReadSize(depth_);
    bevel.segments = segments_->GetValue();
    bevel.backToo = backToo_->GetValue();
    if (bevel == object_.bevel) {
        return;
    }
    object_.bevel = bevel;
    // Not a picking, but the object is no longer as saved: closing must ask.
    object_.touched = 1;
    ShowSettings();
    // A failure has been shown; the object keeps the glyphs that could be built.
    glyphs_.Relayout(object_, messages_);
    invalidateView_();
}
