#pragma once
// Lays a text object's CP932 string out in its font: the character and metrics of each glyph,
// where it goes when the text is typeset, the text's extent, and the messages when a character
// cannot be built. Needs no GL: the views draw the glyphs from what is recorded here.

#include <cstdint>
#include <string_view>
#include <vector>

#include "scene/message_sink.h"
#include "scene/text_object.h"
#include "text/glyph_source.h"

class GlyphLayout {
  public:
    explicit GlyphLayout(GlyphSource& source) : source_(source) {}

    GlyphSource& source() { return source_; }

    // Lays out every character (glyphCount must be 0). False when any character failed; the
    // failure messages have then been shown once.
    bool LayOut(TextObject& object, MessageSink& messages);
    // The same without a word to the user.
    bool Place(TextObject& object);
    // Forgets the old glyphs and lays out again without the fallback: after a load, an undo, a
    // depth change.
    bool Relayout(TextObject& object, MessageSink& messages);

    // The calling pattern of every text or font change: clear, set, lay out, and when that
    // fails, clear again and lay out once more in the default font. The caller redraws.
    void ApplyTextWithFallback(TextObject& object, std::string_view cp932Text,
                               MessageSink& messages);
    void ApplyFontWithFallback(TextObject& object, std::string_view cp932FaceName, int32_t italic,
                               uint8_t charSet, MessageSink& messages);

  private:
    bool LayOutGlyph(TextObject& object, uint32_t code, const ResolvedFont* font);
    // Shaped and placed as the object's typography asks, lines at the line feeds.
    bool PlaceTypeset(TextObject& object, const std::vector<uint32_t>& codes,
                      const ResolvedFont& font);
    void LayOutWithFallback(TextObject& object, MessageSink& messages);

    GlyphSource& source_;
};
