#pragma once
// One glyph of a font, named by the character it shows (text set character by character) or by
// its index in the font (shaped text, whose substitutions choose glyphs no character names). One
// number either way, so caches keep both kinds apart under a single key.

#include <cstdint>

#include "scene/text_object.h"

class GlyphId {
  public:
    static constexpr GlyphId OfCharacter(char32_t character) { return GlyphId(character); }
    static constexpr GlyphId OfIndex(uint32_t index) { return GlyphId(kIndexBit | index); }
    // Glyph i of the object as its layout recorded it; none when it draws nothing.
    static GlyphId OfObjectGlyph(const TextObject& object, int i) {
        if (object.glyphCharacters[i] == 0) {
            return GlyphId(0);
        }
        return object.typeset ? OfIndex(object.glyphIndices[i])
                              : OfCharacter(object.glyphCharacters[i]);
    }

    bool IsNone() const { return bits_ == 0; }
    bool ByIndex() const { return (bits_ & kIndexBit) != 0; }
    uint32_t Number() const { return bits_ & ~kIndexBit; }
    uint32_t Bits() const { return bits_; }
    bool operator==(GlyphId other) const { return bits_ == other.bits_; }
    bool operator<(GlyphId other) const { return bits_ < other.bits_; }

  private:
    // Far above the last Unicode character.
    static constexpr uint32_t kIndexBit = 0x80000000u;
    constexpr explicit GlyphId(uint32_t bits) : bits_(bits) {}
    uint32_t bits_;
};
