#pragma once

#include <string_view>

class FontResolver;

// True when an installed font of this family (UTF-8 name) has Japanese kana and kanji.
bool FontFamilyCoversJapanese(FontResolver& fonts, std::string_view utf8Family);
