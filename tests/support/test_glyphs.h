#pragma once
// One glyph source for a whole test program, so the fonts are found and opened once.

#include "text/glyph_source.h"

inline GlyphSource& TestGlyphs() {
    static GlyphSource source;
    return source;
}

inline FontResolver& TestFonts() {
    return TestGlyphs().fonts();
}
