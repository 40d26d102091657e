#include "text/glyph_source.h"

#include <optional>
#include <string>

#include "scene/cp932.h"
#include "text/character_codes.h"

const ResolvedFont* GlyphSource::ObjectFont(const TextObject& object) {
    const std::optional<std::string> family = Cp932ToUtf8(object.FaceName());
    return fonts_.Resolve(family ? *family : std::string(), object.italic, object.charSet);
}

char32_t GlyphSource::Character(uint32_t code) {
    if (auto it = characters_.find(code); it != characters_.end()) {
        return it->second;
    }
    return characters_.emplace(code, CodeToUnicode(code)).first->second;
}
