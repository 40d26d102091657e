#include "render/glyph_builder.h"

#include <GL/gl.h>

#include <cstring>
#include <unordered_map>

#include "render/outline_display_list.h"
#include "resources/texts.h"
#include "scene/cp932.h"
#include "text/font_resolver.h"
#include "text/outline_glyph_cache.h"

namespace {

constexpr size_t kWorkBufferBytes = 128;

class GlListTarget : public GlyphListTarget {
  public:
    uint32_t NewList() override { return glGenLists(1); }
    void Compile(uint32_t list, const GlyphMesh& mesh, float advance) override {
        CompileGlyphList(list, mesh, advance);
    }
};

GlyphListTarget* g_target = nullptr;

GlyphListTarget& ListTarget() {
    static GlListTarget glTarget;
    return g_target ? *g_target : glTarget;
}

const ResolvedFont* ResolveObjectFont(const TextObject& object) {
    const std::optional<std::string> family = Cp932ToUtf8(object.FaceName());
    return FontResolver::Instance().Resolve(family ? *family : std::string(), object.italic,
                                            object.charSet);
}

bool BuildGlyphIn(TextObject& object, uint32_t code, const ResolvedFont* font) {
    if (object.glyphCount < 0 || object.glyphCount >= kMaxGlyphs) {
        return false;  // no room in the object's arrays
    }
    const uint32_t list = ListTarget().NewList();
    object.lastList = list;
    object.glyphLists[object.glyphCount] = list;
    GlyphMetricsFloat& metrics = object.glyphMetrics[object.glyphCount];
    metrics = GlyphMetricsFloat{};
    const char32_t character = CharacterCodeToUnicode(code);
    if (!font || character == 0) {
        return false;
    }
    const auto outline = CachedGlyphOutline(*font, character);
    if (!outline) {
        return false;
    }
    metrics = outline->metrics;
    ListTarget().Compile(
        list, CachedGlyphSolid(*font, character, *outline, object.scale[2], object.bevel),
        metrics.gmfCellIncX);
    return true;
}

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

void BuildWithFallback(TextObject& object, MessageSink& messages) {
    if (BuildGlyphLists(object, messages)) {
        return;
    }
    object.FreeGlyphLists();
    object.SetFont(kDefaultFaceName, 0, kShiftJisCharSet);
    BuildGlyphLists(object, messages);
}

}  // namespace

char32_t CharacterCodeToUnicode(uint32_t code) {
    static std::unordered_map<uint32_t, char32_t> known;
    if (auto it = known.find(code); it != known.end()) {
        return it->second;
    }
    const char32_t character = CodeToUnicode(code);
    known.emplace(code, character);
    return character;
}

void SetGlyphListTarget(GlyphListTarget* target) {
    g_target = target;
}

bool BuildGlyph(TextObject& object, uint32_t code) {
    return BuildGlyphIn(object, code, ResolveObjectFont(object));
}

bool BuildGlyphLists(TextObject& object, MessageSink& messages) {
    char work[kWorkBufferBytes];
    std::memcpy(work, object.text, kWorkBufferBytes);
    // The field holds at most 128 bytes, so the refusal of longer texts happens on the way in.
    const size_t length = strnlen(work, kWorkBufferBytes);
    const std::vector<uint32_t> codes = ScanCharacterCodes(std::string_view(work, length));
    const ResolvedFont* font = codes.empty() ? nullptr : ResolveObjectFont(object);
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

void ApplyTextWithFallback(TextObject& object, std::string_view cp932Text, MessageSink& messages) {
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

void ApplyFontWithFallback(TextObject& object, std::string_view cp932FaceName, int32_t italic,
                           uint8_t charSet, MessageSink& messages) {
    object.FreeGlyphLists();
    object.SetFont(cp932FaceName, italic, charSet);
    BuildWithFallback(object, messages);
}

bool RebuildGlyphLists(TextObject& object, MessageSink& messages) {
    object.FreeGlyphLists();
    return BuildGlyphLists(object, messages);
}
