#include "render/font_coverage.h"

#include <fontconfig/fontconfig.h>

#include <string>

bool FontFamilyCoversJapanese(std::string_view utf8Family) {
    if (!FcInit()) {
        return false;
    }
    const std::string family(utf8Family);
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcObjectSet* properties = FcObjectSetBuild(FC_CHARSET, nullptr);
    FcFontSet* fonts = FcFontList(nullptr, pattern, properties);
    bool covers = false;
    for (int i = 0; fonts && i < fonts->nfont && !covers; ++i) {
        FcCharSet* charset = nullptr;
        if (FcPatternGetCharSet(fonts->fonts[i], FC_CHARSET, 0, &charset) == FcResultMatch) {
            covers = FcCharSetHasChar(charset, 0x3042) && FcCharSetHasChar(charset, 0x65E5);
        }
    }
    if (fonts) {
        FcFontSetDestroy(fonts);
    }
    FcObjectSetDestroy(properties);
    FcPatternDestroy(pattern);
    return covers;
}
