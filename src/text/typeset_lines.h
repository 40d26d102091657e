#pragma once
// Sets a text of one or more lines in a font: each line shaped, then lines stacked downwards or
// columns laid from right to left, each aligned, with the tracking between characters.
// Coordinates in em: x from 0 to width; y = 0 on the last line's baseline (rows) or at the foot
// of the longest column, so the block stands on the object's position as one line does.

#include <string_view>
#include <vector>

#include "scene/text_object.h"
#include "scene/typography.h"
#include "text/text_shaper.h"

struct SetGlyph {
    uint32_t glyph = 0;      // index in the font, 0 where it has none for the character
    char32_t character = 0;  // the first character the glyph stands for
    GlyphPlacement place;
};

struct SetLines {
    std::vector<SetGlyph> glyphs;
    float width = 0.0f;  // the longest line's advance, or the breadth of the columns
};

// Latin letters, digits and their punctuation, which lie sideways in a column unless asked to
// stand upright.
bool LiesSidewaysInColumn(char32_t character);

// text holds line feeds between lines; each line is shaped on its own.
SetLines TypesetLines(TextShaper& shaper, const ResolvedFont& font, std::u32string_view text,
                      const TypographySettings& typography);
