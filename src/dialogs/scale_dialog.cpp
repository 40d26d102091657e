#include "dialogs/scale_dialog.h"

#include "resources/texts.h"
#include "scene/number_format.h"
#include "text/glyph_layout.h"

namespace {

const VectorDialogLayout kLayout = {
    texts::kScaleCaption, 1002, {texts::kDirectionX, texts::kDirectionY, texts::kDirectionZ},
    kLengthFactor,        1,    100,
};

constexpr int kDepthComponent = 2;

}  // namespace

ScaleDialog::ScaleDialog(wxWindow* parent, TextObject& object, GlyphLayout& glyphs,
                         MessageSink& messages, InvalidateView invalidateView)
    : VectorDialog(parent, kLayout, object.scale, std::move(invalidateView)),
      object_(object),
      glyphs_(glyphs),
      messages_(messages) {}

void ScaleDialog::AfterNotification(int component) {
    if (component != kDepthComponent) {
        return;
    }
    // Rebuilt on every Z notification, even when the value stayed; a failure has been shown.
    glyphs_.Relayout(object_, messages_);
    Invalidate();
}
