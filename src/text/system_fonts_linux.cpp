#include <fontconfig/fontconfig.h>

#include <cstdio>

#include "text/system_fonts.h"

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

// fontconfig's language of a Windows character set ("" when it implies none).
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

}  // namespace

struct SystemFonts::State {
    FcConfig* config = nullptr;
};

SystemFonts::SystemFonts() : state_(std::make_unique<State>()) {
    state_->config = FcInitLoadConfigAndFonts();
    if (state_->config &&
        !FcConfigParseAndLoadFromMemory(
            state_->config, reinterpret_cast<const FcChar8*>(AliasConfiguration().c_str()),
            FcTrue)) {
        std::fputs("font aliases could not be loaded\n", stderr);
    }
}

SystemFonts::~SystemFonts() {
    if (state_->config) {
        FcConfigDestroy(state_->config);
    }
}

std::optional<SystemFontMatch> SystemFonts::Match(std::string_view utf8Family, int32_t italic,
                                                  uint8_t charSet) {
    if (!state_->config) {
        return std::nullopt;
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
    FcConfigSubstitute(state_->config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(state_->config, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match) {
        return std::nullopt;
    }
    std::optional<SystemFontMatch> found;
    FcChar8* file = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
        found.emplace();
        found->file = reinterpret_cast<const char*>(file);
        found->source = found->file;
        FcPatternGetInteger(match, FC_INDEX, 0, &found->index);
        FcBool embolden = FcFalse;
        if (FcPatternGetBool(match, FC_EMBOLDEN, 0, &embolden) == FcResultMatch) {
            found->embolden = embolden == FcTrue;
        }
        FcMatrix* matrix = nullptr;
        if (FcPatternGetMatrix(match, FC_MATRIX, 0, &matrix) == FcResultMatch && matrix) {
            found->matrix = {static_cast<float>(matrix->xx), static_cast<float>(matrix->xy),
                             static_cast<float>(matrix->yx), static_cast<float>(matrix->yy)};
        }
    }
    FcPatternDestroy(match);
    return found;
}

std::string SystemFontServiceVersion() {
    const int fc = FcGetVersion();
    return "fontconfig " + std::to_string(fc / 10000) + "." + std::to_string(fc / 100 % 100) + "." +
           std::to_string(fc % 100);
}
