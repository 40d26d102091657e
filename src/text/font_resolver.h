#pragma once
// Finds the font for a face name, italic flag and character set through the system's font
// service and keeps the FreeType faces open.

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "text/outline_flattener.h"
#include "text/system_fonts.h"

struct ResolvedFont {
    FT_Face face = nullptr;
    // Synthetic bold and slant, where the match asks for them.
    bool embolden = false;
    OutlineMatrix matrix;
    // The same number for the same file, index and synthesis: a key for geometry caches.
    uint32_t id = 0;
};

// Owns a FreeType library and the system font service, and the faces opened through them.
class FontResolver {
  public:
    FontResolver();
    ~FontResolver();
    FontResolver(const FontResolver&) = delete;
    FontResolver& operator=(const FontResolver&) = delete;

    // utf8Family as stored by the object (converted); bold is always asked for. nullptr when
    // nothing usable matches. The result stays valid for the life of the resolver.
    const ResolvedFont* Resolve(std::string_view utf8Family, int32_t italic, uint8_t charSet);

  private:
    FT_Face OpenFace(SystemFontMatch& match);

    FT_Library library_ = nullptr;
    SystemFonts system_;
    std::map<std::pair<std::string, int>, FT_Face> faces_;
    // Fonts the system handed over as bytes: FreeType reads them in place for the faces' life.
    std::map<std::string, std::unique_ptr<std::vector<uint8_t>>> fontBytes_;
    std::map<std::string, uint32_t> ids_;
    std::map<std::string, ResolvedFont> resolved_;
};
