#include "text/font_coverage.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include "text/font_resolver.h"

bool FontFamilyCoversJapanese(FontResolver& fonts, std::string_view utf8Family) {
    // Asked the way the glyph builder will ask, so the answer matches what it can build.
    const ResolvedFont* font = fonts.Resolve(utf8Family, 0, 0);
    return font && FT_Get_Char_Index(font->face, U'あ') != 0 &&
           FT_Get_Char_Index(font->face, U'日') != 0;
}
