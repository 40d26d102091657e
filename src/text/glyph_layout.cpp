#include "text/glyph_layout.h"

#include <cstring>
#include <vector>

#include "resources/texts.h"
#include "scene/cp932.h"
#include "text/character_codes.h"

namespace {

constexpr size_t kWorkBufferBytes = 128;

void Measure(TextObject& object) {
    object.textWidth = 0.0f;
    object.textBottom = 0.0f;
    object.textHeight = 0.0f;
    for (int32_t i = 0; i < object.glyphCount; ++i) {
        const GlyphMetricsFloat& m = object.glyphMetrics[i];
        const float bottom = m.gmfptGlyphOrigin.y - m.gmfBlackBoxY;
        object.textWidth += m.gmfCellIncX;
        if (i == 0 || bottom < object.textBottom) {
            object.textBottom = bottom;
        }
        if (i == 0 || m.gmfBlackBoxY > object.textHeight) {
            object.textHeight = m.gmfBlackBoxY;
        }
    }
}

}  // namespace

bool GlyphLayout::LayOutGlyph(TextObject& object, uint32_t code, const ResolvedFont* font) {
    if (object.glyphCount < 0 || object.glyphCount >= kMaxGlyphs) {
        return false;  // no room in the object's arrays
    }
    GlyphMetricsFloat& metrics = object.glyphMetrics[object.glyphCount];
    char32_t& shown = object.glyphCharacters[object.glyphCount];
    metrics = GlyphMetricsFloat{};
    shown = 0;
    const char32_t character = source_.Character(code);
    if (!font || character == 0) {
        return false;
    }
    const auto outline = source_.outlines().Outline(*font, character);
    if (!outline) {
        return false;
    }
    metrics = outline->metrics;
    shown = character;
    return true;
}

void GlyphLayout::LayOutWithFallback(TextObject& object, MessageSink& messages) {
    if (LayOut(object, messages)) {
        return;
    }
    object.ClearGlyphs();
    object.SetFont(kDefaultFaceName, 0, kShiftJisCharSet);
    LayOut(object, messages);
}

bool GlyphLayout::LayOut(TextObject& object, MessageSink& messages) {
    char work[kWorkBufferBytes];
    std::memcpy(work, object.text, kWorkBufferBytes);
    // The field holds at most 128 bytes, so the refusal of longer texts happens on the way in.
    const size_t length = strnlen(work, kWorkBufferBytes);
    const std::vector<uint32_t> codes = ScanCharacterCodes(std::string_view(work, length));
    const ResolvedFont* font = codes.empty() ? nullptr : source_.ObjectFont(object);
    bool allBuilt = true;
    for (uint32_t code : codes) {
        if (object.glyphCount >= kMaxGlyphs) {
            break;  // only when glyphs were left over from before
        }
        if (!LayOutGlyph(object, code, font)) {
            allBuilt = false;
        }
        ++object.glyphCount;
    }
    Measure(object);
    if (!allBuilt) {
        messages.ShowMessage(texts::kFontCreationFailed, texts::kFontCreationCaption,
                             MessageOwner::kNone);
        messages.ShowMessage(texts::kFontFallingBack, texts::kFontCreationCaption,
                             MessageOwner::kNone);
    }
    return allBuilt;
}

void GlyphLayout::ApplyTextWithFallback(TextObject& object, std::string_view cp932Text,
                                        MessageSink& messages) {
    if (cp932Text.size() > kWorkBufferBytes) {
        // Refused before anything is cleared, so the object keeps its text and glyphs.
        messages.ShowMessage(texts::kTooManyCharacters, texts::kTooManyCharactersCaption,
                             MessageOwner::kNone);
        return;
    }
    object.ClearGlyphs();
    const size_t room = sizeof object.text - 1;
    // Only a text too long for the field is cut, and never inside a double-byte character.
    object.SetText(cp932Text.size() > room ? Cp932Prefix(cp932Text, room) : cp932Text);
    LayOutWithFallback(object, messages);
}

void GlyphLayout::ApplyFontWithFallback(TextObject& object, std::string_view cp932FaceName,
                                        int32_t italic, uint8_t charSet, MessageSink& messages) {
    object.ClearGlyphs();
    object.SetFont(cp932FaceName, italic, charSet);
    LayOutWithFallback(object, messages);
}

bool GlyphLayout::Relayout(TextObject& object, MessageSink& messages) {
    object.ClearGlyphs();
    return LayOut(object, messages);
}
