#pragma once
// Sets the current object's scale; Z is also the depth its glyphs are extruded to, so a Z
// notification builds them again.

#include "dialogs/vector_dialog.h"
#include "scene/message_sink.h"
#include "scene/text_object.h"
#include "text/glyph_layout.h"

class ScaleDialog : public VectorDialog {
  public:
    // The view's GL context must be current while the dialog runs.
    ScaleDialog(wxWindow* parent, TextObject& object, GlyphLayout& glyphs, MessageSink& messages,
                InvalidateView invalidateView);

  private:
    void AfterNotification(int component) override;

    TextObject& object_;
    GlyphLayout& glyphs_;
    MessageSink& messages_;
};
