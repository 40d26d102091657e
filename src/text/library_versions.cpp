#include "text/library_versions.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include "text/system_fonts.h"

std::string FontLibraryVersions() {
    std::string freetype = "FreeType";
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) == 0) {
        FT_Int major = 0, minor = 0, patch = 0;
        FT_Library_Version(library, &major, &minor, &patch);
        FT_Done_FreeType(library);
        freetype +=
            " " + std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(patch);
    }
    return freetype + ", " + SystemFontServiceVersion();
}
