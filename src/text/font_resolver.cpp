#include "text/font_resolver.h"

#include <cstdio>

namespace {

std::string CacheKey(std::string_view family, int32_t italic, uint8_t charSet) {
    std::string key(family);
    key += '\0';
    key += italic != 0 ? '1' : '0';
    key += std::to_string(charSet);
    return key;
}

}  // namespace

FontResolver::FontResolver() {
    if (FT_Init_FreeType(&library_) != 0) {
        library_ = nullptr;
    }
}

FontResolver::~FontResolver() {
    if (library_) {
        FT_Done_FreeType(library_);  // closes every face too
    }
}

FT_Face FontResolver::OpenFace(SystemFontMatch& match) {
    const auto key = std::make_pair(match.source, match.index);
    if (auto it = faces_.find(key); it != faces_.end()) {
        return it->second;
    }
    FT_Face face = nullptr;
    FT_Error error = 0;
    if (match.file.empty()) {
        auto& bytes = fontBytes_[match.source];
        if (!bytes) {
            bytes = std::make_unique<std::vector<uint8_t>>(std::move(match.bytes));
        }
        error = FT_New_Memory_Face(library_, bytes->data(), static_cast<FT_Long>(bytes->size()),
                                   match.index, &face);
    } else {
        error = FT_New_Face(library_, match.file.c_str(), match.index, &face);
    }
    if (error != 0 || !FT_IS_SCALABLE(face)) {
        if (face) {
            FT_Done_Face(face);
        }
        face = nullptr;
    }
    faces_[key] = face;
    return face;
}

const ResolvedFont* FontResolver::Resolve(std::string_view utf8Family, int32_t italic,
                                          uint8_t charSet) {
    if (!library_) {
        return nullptr;
    }
    const std::string key = CacheKey(utf8Family, italic, charSet);
    if (auto it = resolved_.find(key); it != resolved_.end()) {
        return it->second.face ? &it->second : nullptr;
    }
    ResolvedFont font;
    if (std::optional<SystemFontMatch> match = system_.Match(utf8Family, italic, charSet)) {
        font.face = OpenFace(*match);
        font.embolden = match->embolden;
        font.matrix = match->matrix;
        char synthesis[96];
        std::snprintf(synthesis, sizeof synthesis, "\n%d\n%d\n%g %g %g %g", match->index,
                      font.embolden ? 1 : 0, static_cast<double>(font.matrix.xx),
                      static_cast<double>(font.matrix.xy), static_cast<double>(font.matrix.yx),
                      static_cast<double>(font.matrix.yy));
        const std::string idKey = match->source + synthesis;
        font.id = ids_.emplace(idKey, static_cast<uint32_t>(ids_.size() + 1)).first->second;
    }
    const ResolvedFont& stored = resolved_.emplace(key, font).first->second;
    return stored.face ? &stored : nullptr;
}
