#include "text/glyph_layout.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "resources/texts.h"
#include "scene/cp932.h"
#include "text/character_codes.h"
#include "text/typeset_lines.h"

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

constexpr uint32_t kLineFeed = 0x0A;

// Text without a line break in the default typography is set as it always was, character after
// character along the advances.
bool NeedsTypesetting(const TextObject& object, const std::vector<uint32_t>& codes) {
    return !object.typography.IsDefault() ||
           std::find(codes.begin(), codes.end(), kLineFeed) != codes.end();
}

// The glyph's ink as placed, a column's sideways glyphs turned; false when it has none.
bool InkRange(const GlyphMetricsFloat& m, const GlyphPlacement& place, float& bottom, float& top) {
    if (m.gmfBlackBoxX <= 0.0f || m.gmfBlackBoxY <= 0.0f) {
        return false;
    }
    if (place.sideways) {
        bottom = place.y - (m.gmfptGlyphOrigin.x + m.gmfBlackBoxX);
        top = place.y - m.gmfptGlyphOrigin.x;
    } else {
        top = place.y + m.gmfptGlyphOrigin.y;
        bottom = top - m.gmfBlackBoxY;
    }
    return true;
}

}  // namespace

bool GlyphLayout::PlaceTypeset(TextObject& object, const std::vector<uint32_t>& codes,
                               const ResolvedFont& font) {
    bool allBuilt = true;
    std::u32string text;
    for (const uint32_t code : codes) {
        const char32_t character = code == kLineFeed ? U'\n' : source_.Character(code);
        if (character == 0) {
            allBuilt = false;
        } else {
            text.push_back(character);
        }
    }
    const SetLines set = TypesetLines(source_.shaper(), font, text, object.typography);
    object.typeset = true;
    object.textWidth = set.width;
    object.textBottom = object.textHeight = 0.0f;
    bool inked = false;
    for (const SetGlyph& glyph : set.glyphs) {
        if (object.glyphCount >= kMaxGlyphs) {
            break;  // only a shaper that splits characters gets here
        }
        const int32_t i = object.glyphCount++;
        object.glyphIndices[i] = glyph.glyph;
        object.glyphPlacements[i] = glyph.place;
        object.glyphCharacters[i] = 0;
        object.glyphMetrics[i] = GlyphMetricsFloat{};
        const auto outline = glyph.glyph == 0
                                 ? nullptr
                                 : source_.outlines().Outline(font, GlyphId::OfIndex(glyph.glyph));
        if (!outline) {
            allBuilt = false;
            continue;
        }
        object.glyphCharacters[i] = glyph.character;
        object.glyphMetrics[i] = outline->metrics;
        float bottom = 0.0f, top = 0.0f;
        if (InkRange(outline->metrics, glyph.place, bottom, top)) {
            object.textBottom = inked ? std::min(object.textBottom, bottom) : bottom;
            object.textHeight = inked ? std::max(object.textHeight, top) : top;
            inked = true;
        }
    }
    if (object.glyphCount == 0) {
        // Nothing but line breaks: the object stays, drawing nothing, as a blank does.
        object.glyphCount = 1;
        object.glyphCharacters[0] = 0;
        object.glyphMetrics[0] = GlyphMetricsFloat{};
    }
    return allBuilt;
}

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
    const bool allBuilt = Place(object);
    if (!allBuilt) {
        messages.ShowMessage(texts::kFontCreationFailed, texts::kFontCreationCaption,
                             MessageOwner::kNone);
        messages.ShowMessage(texts::kFontFallingBack, texts::kFontCreationCaption,
                             MessageOwner::kNone);
    }
    return allBuilt;
}

bool GlyphLayout::Place(TextObject& object) {
    char work[kWorkBufferBytes];
    std::memcpy(work, object.text, kWorkBufferBytes);
    // The field holds at most 128 bytes, so the refusal of longer texts happens on the way in.
    const size_t length = strnlen(work, kWorkBufferBytes);
    const std::vector<uint32_t> codes = ScanCharacterCodes(std::string_view(work, length));
    const ResolvedFont* font = codes.empty() ? nullptr : source_.ObjectFont(object);
    if (font != nullptr && object.glyphCount == 0 && NeedsTypesetting(object, codes)) {
        return PlaceTypeset(object, codes, *font);
    }
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
