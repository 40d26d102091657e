#pragma once
// Sets the current object's scale; Z is also the depth its glyphs are extruded to, so a Z
// notification builds them again.

#include "dialogs/vector_dialog.h"
#include "render/glyph_builder.h"
#include "scene/message_sink.h"
#include "scene/text_object.h"

class ScaleDialog : public VectorDialog {
  public:
    // The view's GL context must be current while the dialog runs.
    ScaleDialog(wxWindow* parent, TextObject& object, GlyphBuilder& glyphs, MessageSink& messages,
                InvalidateView invalidateView);

  private:
    void AfterNotification(int component) override;

    TextObject& object_;
    GlyphBuilder& glyphs_;
    MessageSink& messages_;
};
