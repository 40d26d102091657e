#pragma once
// Everything glyph solids are made from, kept by whoever owns it (the window, a command-line run,
// a test): the fonts, their shaper, the cached outlines and bevel insets, and the characters of
// CP932 codes.

#include <cstdint>
#include <memory>
#include <string_view>
#include <unordered_map>

#include "scene/text_object.h"
#include "text/font_resolver.h"
#include "text/outline_glyph_cache.h"
#include "text/text_shaper.h"

class GlyphSource {
  public:
    FontResolver& fonts() { return fonts_; }
    GlyphOutlineCache& outlines() { return outlines_; }
    TextShaper& shaper() { return shaper_; }

    // The object's face, italic flag and character set; nullptr when nothing usable matches.
    const ResolvedFont* ObjectFont(const TextObject& object);
    // Unicode of a CP932 character code (0 when it has none); the answers are kept, as the same
    // codes come again and again.
    char32_t Character(uint32_t code);

  private:
    FontResolver fonts_;
    // After the fonts: its shaping fonts hold their faces and must go first.
    TextShaper shaper_;
    GlyphOutlineCache outlines_;
    std::unordered_map<uint32_t, char32_t> characters_;
};
