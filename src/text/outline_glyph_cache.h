#pragma once
// Filled glyph outlines kept per (font, glyph), so repeated characters, rebuilt objects, depth
// changes and reopened scenes skip the outline and tessellation work; and the inset front faces
// of bevels, kept per (font, glyph, width, steps, back bevelled or not). A glyph is named by
// character or by index.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "text/outline_bevel.h"
#include "text/outline_glyph.h"

class GlyphOutlineCache {
  public:
    // nullptr when the glyph cannot be built (see BuildGlyphOutline).
    std::shared_ptr<const GlyphOutline> Outline(const ResolvedFont& font, GlyphId glyph);
    std::shared_ptr<const GlyphOutline> Outline(const ResolvedFont& font, char32_t character) {
        return Outline(font, GlyphId::OfCharacter(character));
    }
    std::shared_ptr<const BevelledFace> Inset(const ResolvedFont& font, GlyphId glyph,
                                              const GlyphOutline& outline,
                                              const BevelSettings& bevel);
    bool HasInset(const ResolvedFont& font, GlyphId glyph, const BevelSettings& bevel) const;
    // Makes the insets of these glyphs that are not kept yet side by side, one per processor
    // core: a glyph's inset costs more than all the rest of its bevelled solid, and each glyph's
    // is its own. Outlines may be nullptr (glyphs that draw nothing).
    struct InsetRequest {
        GlyphId glyph;
        std::shared_ptr<const GlyphOutline> outline;
    };
    void PrepareInsets(const ResolvedFont& font, const std::vector<InsetRequest>& glyphs,
                       const BevelSettings& bevel);
    // The same for every glyph a laid-out object shows, in its font.
    void PrepareInsets(const ResolvedFont& font, const TextObject& object,
                       const BevelSettings& bevel);
    // The glyph's solid at this depth with this bevel, from cached outlines and insets.
    GlyphMesh Solid(const ResolvedFont& font, GlyphId glyph, const GlyphOutline& outline,
                    float depth, const BevelSettings& bevel);
    GlyphMesh Solid(const ResolvedFont& font, char32_t character, const GlyphOutline& outline,
                    float depth, const BevelSettings& bevel) {
        return Solid(font, GlyphId::OfCharacter(character), outline, depth, bevel);
    }
    void Clear();

  private:
    struct Key {
        uint32_t font;
        uint32_t glyph;  // GlyphId::Bits
        bool operator==(const Key& other) const {
            return font == other.font && glyph == other.glyph;
        }
    };
    struct KeyHash {
        size_t operator()(const Key& k) const { return size_t{k.font} * 1000003u ^ k.glyph; }
    };
    struct InsetKey {
        Key glyph;
        uint32_t widthBits;
        int steps;
        bool backToo;
        bool operator==(const InsetKey& other) const {
            return glyph == other.glyph && widthBits == other.widthBits && steps == other.steps &&
                   backToo == other.backToo;
        }
    };
    struct InsetKeyHash {
        size_t operator()(const InsetKey& k) const {
            return KeyHash{}(k.glyph) ^ (size_t{k.widthBits} * 31u +
                                         static_cast<size_t>(k.steps) * 2u + (k.backToo ? 1u : 0u));
        }
    };
    static InsetKey KeyOf(const ResolvedFont& font, GlyphId glyph, const BevelSettings& bevel);
    // Starts again rather than grow without end.
    void MakeRoom(size_t bytes);

    std::unordered_map<Key, std::shared_ptr<const GlyphOutline>, KeyHash> outlines_;
    std::unordered_map<InsetKey, std::shared_ptr<const BevelledFace>, InsetKeyHash> insets_;
    size_t bytes_ = 0;
};
