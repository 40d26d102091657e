#pragma once
// Sets how the current object's characters are set: kerning, proportional forms, spacing,
// line distance, alignment and vertical writing. Every change is laid out and shown at once.

#include <wx/checkbox.h>
#include <wx/dialog.h>
#include <wx/radiobox.h>
#include <wx/spinctrl.h>

#include "dialogs/invalidate_view.h"
#include "scene/message_sink.h"
#include "scene/text_object.h"
#include "text/glyph_layout.h"

inline constexpr int kTypographyKerningId = 1201;
inline constexpr int kTypographyProportionalId = 1202;
inline constexpr int kTypographyTrackingId = 1203;
inline constexpr int kTypographyFaceLineDistanceId = 1204;
inline constexpr int kTypographyLineDistanceId = 1205;
inline constexpr int kTypographyAlignmentId = 1206;
inline constexpr int kTypographyVerticalId = 1207;
inline constexpr int kTypographyUprightLatinId = 1208;

class TypographyDialog : public wxDialog {
  public:
    // The view's GL context must be current while the dialog runs.
    TypographyDialog(wxWindow* parent, TextObject& object, GlyphLayout& glyphs,
                     MessageSink& messages, InvalidateView invalidateView);

  private:
    void ShowSettings();
    TypographySettings ReadSettings() const;
    void Apply();

    TextObject& object_;
    GlyphLayout& glyphs_;
    MessageSink& messages_;
    InvalidateView invalidateView_;
    wxCheckBox* kerning_;
    wxCheckBox* proportional_;
    wxSpinCtrlDouble* tracking_;
    wxCheckBox* faceLineDistance_;
    wxSpinCtrlDouble* lineDistance_;
    wxRadioBox* alignment_;
    wxCheckBox* vertical_;
    wxCheckBox* uprightLatin_;
};
