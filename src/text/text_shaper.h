#pragma once
// Glyph choice and positions of a run of text in a resolved font, from HarfBuzz: kerning,
// ligatures, proportional forms and the vertical forms of a column.

#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "text/font_resolver.h"

struct hb_buffer_t;
struct hb_font_t;

// In em; a column's advances run down, so its yAdvance is negative.
struct ShapedGlyph {
    uint32_t glyph = 0;    // index in the font, 0 where the font has none for the character
    uint32_t cluster = 0;  // the first character of the run it stands for
    float xAdvance = 0.0f;
    float yAdvance = 0.0f;
    float xOffset = 0.0f;
    float yOffset = 0.0f;
};

struct ShapingOptions {
    bool vertical = false;
    bool kerning = false;
    bool proportional = false;
    // Only for columns without Latin in them: vrt2 would also turn Latin letters.
    bool rotatedAlternates = false;
};

// Font-wide measures in em.
struct FaceMeasures {
    float lineHeight = 1.0f;  // from baseline to baseline
    float ascender = 0.8f;
    float descender = -0.2f;
};

// Keeps a HarfBuzz font per resolved font, for the life of the resolver that opened the faces.
class TextShaper {
  public:
    TextShaper();
    ~TextShaper();
    TextShaper(const TextShaper&) = delete;
    TextShaper& operator=(const TextShaper&) = delete;

    std::vector<ShapedGlyph> Shape(const ResolvedFont& font, std::u32string_view text,
                                   const ShapingOptions& options);
    static FaceMeasures Measures(const ResolvedFont& font);

  private:
    hb_font_t* FontOf(const ResolvedFont& font);

    hb_buffer_t* buffer_;
    std::unordered_map<uint32_t, hb_font_t*> fonts_;
};
