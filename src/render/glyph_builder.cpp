#include "render/glyph_builder.h"

#include <cstring>

#include "resources/texts.h"
#include "scene/cp932.h"

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

bool GlyphBuilder::BuildGlyphIn(TextObject& object, uint32_t code, const ResolvedFont* font) {
    if (object.glyphCount < 0 || object.glyphCount >= kMaxGlyphs) {
        return false;  // no room in the object's arrays
    }
    const uint32_t list = lists_.NewList();
    object.releaser = &lists_;
    object.lastList = list;
    object.glyphLists[object.glyphCount] = list;
    GlyphMetricsFloat& metrics = object.glyphMetrics[object.glyphCount];
    metrics = GlyphMetricsFloat{};
    const char32_t character = source_.Character(code);
    if (!font || character == 0) {
        return false;
    }
    const auto outline = source_.outlines().Outline(*font, character);
    if (!outline) {
        return false;
    }
    metrics = outline->metrics;
    lists_.Compile(
        list, source_.outlines().Solid(*font, character, *outline, object.scale[2], object.bevel),
        metrics.gmfCellIncX);
    return true;
}

void GlyphBuilder::BuildWithFallback(TextObject& object, MessageSink& messages) {
    if (BuildGlyphLists(object, messages)) {
        return;
    }
    object.FreeGlyphLists();
    object.SetFont(kDefaultFaceName, 0, kShiftJisCharSet);
    BuildGlyphLists(object, messages);
}

bool GlyphBuilder::BuildGlyphLists(TextObject& object, MessageSink& messages) {
    char work[kWorkBufferBytes];
    std::memcpy(work, object.text, kWorkBufferBytes);
    // The field holds at most 128 bytes, so the refusal of longer texts happens on the way in.
    const size_t length = strnlen(work, kWorkBufferBytes);
    const std::vector<uint32_t> codes = ScanCharacterCodes(std::string_view(work, length));
    const ResolvedFont* font = codes.empty() ? nullptr : source_.ObjectFont(object);
    bool allBuilt = true;
    for (uint32_t code : codes) {
        if (object.glyphCount >= kMaxGlyphs) {
            break;  // only when lists were left over from before
        }
        if (!BuildGlyphIn(object, code, font)) {
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

void GlyphBuilder::ApplyTextWithFallback(TextObject& object, std::string_view cp932Text,
                                         MessageSink& messages) {
    if (cp932Text.size() > kWorkBufferBytes) {
        // Refused before anything is freed, so the object keeps its text and lists.
        messages.ShowMessage(texts::kTooManyCharacters, texts::kTooManyCharactersCaption,
                             MessageOwner::kNone);
        return;
    }
    object.FreeGlyphLists();
    const size_t room = sizeof object.text - 1;
    // Only a text too long for the field is cut, and never inside a double-byte character.
    object.SetText(cp932Text.size() > room ? Cp932Prefix(cp932Text, room) : cp932Text);
    BuildWithFallback(object, messages);
}

void GlyphBuilder::ApplyFontWithFallback(TextObject& object, std::string_view cp932FaceName,
                                         int32_t italic, uint8_t charSet, MessageSink& messages) {
    object.FreeGlyphLists();
    object.SetFont(cp932FaceName, italic, charSet);
    BuildWithFallback(object, messages);
}

bool GlyphBuilder::RebuildGlyphLists(TextObject& object, MessageSink& messages) {
    object.FreeGlyphLists();
    return BuildGlyphLists(object, messages);
}
