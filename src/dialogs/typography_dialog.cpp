#include "dialogs/typography_dialog.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <cmath>

#include "dialogs/labelled_rows.h"
#include "resources/texts.h"

namespace {

constexpr double kEmStep = 0.01;
constexpr double kMilli = 1000.0;
// What the line distance shows while the face's own is used.
constexpr double kShownFaceLineDistance = 1.0;

wxSpinCtrlDouble* CreateEmControl(wxWindow* parent, int id, int minMilliEm, int maxMilliEm) {
    auto* control = new wxSpinCtrlDouble(parent, id, wxEmptyString, wxDefaultPosition,
                                         wxDefaultSize, wxSP_ARROW_KEYS, minMilliEm / kMilli,
                                         maxMilliEm / kMilli, 0.0, kEmStep);
    control->SetDigits(2);
    return control;
}

// The controls show hundredths; storing their rounded value keeps what the user saw.
int ReadMilliEm(const wxSpinCtrlDouble* control) {
    return static_cast<int>(std::lround(control->GetValue() * 100.0)) * 10;
}

// The radio box lists left, centre, right.
int AlignmentChoice(TextAlignment alignment) {
    switch (alignment) {
        case TextAlignment::kLeft:
            return 0;
        case TextAlignment::kRight:
            return 2;
        case TextAlignment::kCentre:
            break;
    }
    return 1;
}

TextAlignment AlignmentOfChoice(int choice) {
    return choice == 0   ? TextAlignment::kLeft
           : choice == 2 ? TextAlignment::kRight
                         : TextAlignment::kCentre;
}

}  // namespace

TypographyDialog::TypographyDialog(wxWindow* parent, TextObject& object, GlyphLayout& glyphs,
                                   MessageSink& messages, InvalidateView invalidateView)
    : wxDialog(parent, wxID_ANY, wxString::FromUTF8(texts::kTypographyCaption)),
      object_(object),
      glyphs_(glyphs),
      messages_(messages),
      invalidateView_(std::move(invalidateView)) {
    kerning_ =
        new wxCheckBox(this, kTypographyKerningId, wxString::FromUTF8(texts::kTypographyKerning));
    proportional_ = new wxCheckBox(this, kTypographyProportionalId,
                                   wxString::FromUTF8(texts::kTypographyProportional));
    tracking_ =
        CreateEmControl(this, kTypographyTrackingId, kMinTrackingMilliEm, kMaxTrackingMilliEm);
    lineDistance_ = CreateEmControl(this, kTypographyLineDistanceId, kMinLineDistanceMilliEm,
                                    kMaxLineDistanceMilliEm);
    faceLineDistance_ = new wxCheckBox(this, kTypographyFaceLineDistanceId,
                                       wxString::FromUTF8(texts::kTypographyFaceLineDistance));
    const wxString alignments[] = {wxString::FromUTF8(texts::kTypographyAlignLeft),
                                   wxString::FromUTF8(texts::kTypographyAlignCentre),
                                   wxString::FromUTF8(texts::kTypographyAlignRight)};
    alignment_ = new wxRadioBox(this, kTypographyAlignmentId,
                                wxString::FromUTF8(texts::kTypographyAlignment), wxDefaultPosition,
                                wxDefaultSize, 3, alignments, 3);
    vertical_ =
        new wxCheckBox(this, kTypographyVerticalId, wxString::FromUTF8(texts::kTypographyVertical));
    uprightLatin_ = new wxCheckBox(this, kTypographyUprightLatinId,
                                   wxString::FromUTF8(texts::kTypographyUprightLatin));
    auto* closeButton = new wxButton(this, wxID_OK, wxString::FromUTF8(texts::kPropertyClose));
    closeButton->SetDefault();

    auto* rows = LabelledRows(this, {{texts::kTypographyTracking, tracking_},
                                     {texts::kTypographyLineDistance, lineDistance_}});
    const wxSizerFlags spaced = wxSizerFlags().Border(wxLEFT | wxRIGHT | wxTOP, 10);
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(kerning_, spaced);
    top->Add(proportional_, spaced);
    top->Add(rows, spaced);
    top->Add(faceLineDistance_, spaced);
    top->Add(alignment_, wxSizerFlags(spaced).Expand());
    top->Add(vertical_, spaced);
    top->Add(uprightLatin_, spaced);
    top->Add(closeButton, wxSizerFlags().Center().Border(wxALL, 10));
    SetSizer(top);
    ShowSettings();

    for (wxCheckBox* box : {kerning_, proportional_, faceLineDistance_, vertical_, uprightLatin_}) {
        box->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { Apply(); });
    }
    tracking_->Bind(wxEVT_SPINCTRLDOUBLE, [this](wxSpinDoubleEvent&) { Apply(); });
    lineDistance_->Bind(wxEVT_SPINCTRLDOUBLE, [this](wxSpinDoubleEvent&) { Apply(); });
    alignment_->Bind(wxEVT_RADIOBOX, [this](wxCommandEvent&) { Apply(); });
    SetEscapeId(wxID_OK);
    Fit();
    CentreOnParent();
}

void TypographyDialog::ShowSettings() {
    const TypographySettings& t = object_.typography;
    kerning_->SetValue(t.kerning);
    proportional_->SetValue(t.proportional);
    tracking_->SetValue(t.trackingMilliEm / kMilli);
    const bool faceLines = t.lineDistanceMilliEm == 0;
    faceLineDistance_->SetValue(faceLines);
    lineDistance_->SetValue(faceLines ? kShownFaceLineDistance : t.lineDistanceMilliEm / kMilli);
    lineDistance_->Enable(!faceLines);
    alignment_->SetSelection(AlignmentChoice(t.alignment));
    vertical_->SetValue(t.vertical);
    uprightLatin_->SetValue(t.uprightLatin);
    uprightLatin_->Enable(t.vertical);
}

TypographySettings TypographyDialog::ReadSettings() const {
    TypographySettings t;
    t.kerning = kerning_->GetValue();
    t.proportional = proportional_->GetValue();
    t.trackingMilliEm = static_cast<int16_t>(ReadMilliEm(tracking_));
    t.lineDistanceMilliEm =
        faceLineDistance_->GetValue() ? 0 : static_cast<uint16_t>(ReadMilliEm(lineDistance_));
    t.alignment = AlignmentOfChoice(alignment_->GetSelection());
    t.vertical = vertical_->GetValue();
    t.uprightLatin = t.vertical && uprightLatin_->GetValue();
    return t;
}

void TypographyDialog::Apply() {
    const TypographySettings typography = ReadSettings();
    if (typography == object_.typography) {
        ShowSettings();
        return;
    }
    object_.typography = typography;
    // Not a picking, but the object is no longer as saved: closing must ask.
    object_.touched = 1;
    ShowSettings();
    // A failure has been shown; the object keeps the glyphs that could be built.
    glyphs_.Relayout(object_, messages_);
    invalidateView_();
}
