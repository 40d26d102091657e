#pragma once
// Sets the current object's bevel. Every change is applied at once: the object's glyphs are built
// again with it and the view redrawn, as the other property dialogs do with their values.

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/dialog.h>
#include <wx/spinctrl.h>

#include "dialogs/invalidate_view.h"
#include "scene/message_sink.h"
#include "scene/text_object.h"
#include "text/glyph_layout.h"

inline constexpr int kBevelProfileId = 1101;
inline constexpr int kBevelWidthId = 1102;
inline constexpr int kBevelDepthId = 1103;
inline constexpr int kBevelSegmentsId = 1104;
inline constexpr int kBevelBackTooId = 1105;

class BevelDialog : public wxDialog {
  public:
    // The view's GL context must be current while the dialog runs.
    BevelDialog(wxWindow* parent, TextObject& object, GlyphLayout& glyphs, MessageSink& messages,
                InvalidateView invalidateView);

  private:
    void ShowSettings();
    void Apply();

    TextObject& object_;
    GlyphLayout& glyphs_;
    MessageSink& messages_;
    InvalidateView invalidateView_;
    wxChoice* profile_;
    wxSpinCtrlDouble* width_;
    wxSpinCtrlDouble* depth_;
    wxSpinCtrl* segments_;
    wxCheckBox* backToo_;
};
