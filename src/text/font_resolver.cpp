#include "text/font_resolver.h"

#include <cstdio>

namespace {

// Windows Japanese faces that no Linux machine has, mapped to what Debian's Japanese font
// packages install; the generic family comes last so lang=ja still picks a Japanese face.
struct Alias {
    const char* windowsFace;
    const char* preferred;
};
constexpr char kMincho[] = "IPAexMincho,IPAMincho,Noto Serif CJK JP,serif";
constexpr char kPMincho[] = "IPAPMincho,IPAexMincho,Noto Serif CJK JP,serif";
constexpr char kGothic[] = "IPAexGothic,IPAGothic,Noto Sans CJK JP,sans-serif";
constexpr char kPGothic[] = "IPAPGothic,IPAexGothic,Noto Sans CJK JP,sans-serif";
constexpr Alias kAliases[] = {
    {"ＭＳ 明朝", kMincho},     {"MS Mincho", kMincho},        {"游明朝", kMincho},
    {"Yu Mincho", kMincho},     {"ＭＳ Ｐ明朝", kPMincho},     {"MS PMincho", kPMincho},
    {"ＭＳ ゴシック", kGothic}, {"MS Gothic", kGothic},        {"游ゴシック", kGothic},
    {"Yu Gothic", kGothic},     {"ＭＳ Ｐゴシック", kPGothic}, {"MS PGothic", kPGothic},
    {"MS UI Gothic", kPGothic}, {"メイリオ", kPGothic},        {"Meiryo", kPGothic},
    {"Meiryo UI", kPGothic},
};

std::string AliasConfiguration() {
    std::string xml = "<?xml version=\"1.0\"?>\n<fontconfig>\n";
    for (const Alias& alias : kAliases) {
        xml += "<alias binding=\"same\"><family>";
        xml += alias.windowsFace;
        xml += "</family><prefer>";
        std::string_view rest = alias.preferred;
        while (!rest.empty()) {
            const size_t comma = rest.find(',');
            xml += "<family>";
            xml += rest.substr(0, comma);
            xml += "</family>";
            rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
        }
        xml += "</prefer></alias>\n";
    }
    return xml + "</fontconfig>\n";
}

std::string CacheKey(std::string_view family, int32_t italic, uint8_t charSet) {
    std::string key(family);
    key += '\0';
    key += italic != 0 ? '1' : '0';
    key += std::to_string(charSet);
    return key;
}

}  // namespace

std::string_view LanguageOfCharSet(uint8_t charSet) {
    switch (charSet) {
        case 128:
            return "ja";
        case 129:
            return "ko";
        case 134:
            return "zh-cn";
        case 136:
            return "zh-tw";
        default:
            return "";
    }
}

FontResolver::FontResolver() {
    if (FT_Init_FreeType(&library_) != 0) {
        library_ = nullptr;
    }
    config_ = FcInitLoadConfigAndFonts();
    if (config_ &&
        !FcConfigParseAndLoadFromMemory(
            config_, reinterpret_cast<const FcChar8*>(AliasConfiguration().c_str()), FcTrue)) {
        std::fputs("font aliases could not be loaded\n", stderr);
    }
}

FontResolver::~FontResolver() {
    if (library_) {
        FT_Done_FreeType(library_);  // closes every face too
    }
    if (config_) {
        FcConfigDestroy(config_);
    }
}

FT_Face FontResolver::OpenFace(const std::string& file, int index) {
    const auto key = std::make_pair(file, index);
    if (auto it = faces_.find(key); it != faces_.end()) {
        return it->second;
    }
    FT_Face face = nullptr;
    if (FT_New_Face(library_, file.c_str(), index, &face) != 0 || !FT_IS_SCALABLE(face)) {
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
    if (!library_ || !config_) {
        return nullptr;
    }
    const std::string key = CacheKey(utf8Family, italic, charSet);
    if (auto it = resolved_.find(key); it != resolved_.end()) {
        return it->second.face ? &it->second : nullptr;
    }
    FcPattern* pattern = FcPatternCreate();
    const std::string family(utf8Family);
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, FC_WEIGHT_BOLD);
    FcPatternAddInteger(pattern, FC_SLANT, italic != 0 ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_OUTLINE, FcTrue);
    const std::string language(LanguageOfCharSet(charSet));
    if (!language.empty()) {
        FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>(language.c_str()));
    }
    FcConfigSubstitute(config_, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config_, pattern, &result);
    FcPatternDestroy(pattern);

    ResolvedFont font;
    FcChar8* file = nullptr;
    if (match && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
        int index = 0;
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
        font.face = OpenFace(reinterpret_cast<const char*>(file), index);
        FcBool embolden = FcFalse;
        if (FcPatternGetBool(match, FC_EMBOLDEN, 0, &embolden) == FcResultMatch) {
            font.embolden = embolden == FcTrue;
        }
        FcMatrix* matrix = nullptr;
        if (FcPatternGetMatrix(match, FC_MATRIX, 0, &matrix) == FcResultMatch && matrix) {
            font.matrix = {static_cast<float>(matrix->xx), static_cast<float>(matrix->xy),
                           static_cast<float>(matrix->yx), static_cast<float>(matrix->yy)};
        }
        char synthesis[96];
        std::snprintf(synthesis, sizeof synthesis, "\n%d\n%d\n%g %g %g %g", index,
                      font.embolden ? 1 : 0, static_cast<double>(font.matrix.xx),
                      static_cast<double>(font.matrix.xy), static_cast<double>(font.matrix.yx),
                      static_cast<double>(font.matrix.yy));
        const std::string idKey = reinterpret_cast<const char*>(file) + std::string(synthesis);
        font.id = ids_.emplace(idKey, static_cast<uint32_t>(ids_.size() + 1)).first->second;
    }
    if (match) {
        FcPatternDestroy(match);
    }
    const ResolvedFont& stored = resolved_.emplace(key, font).first->second;
    return stored.face ? &stored : nullptr;
}
