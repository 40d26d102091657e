#pragma once
// What the user typed, turned into the CP932 bytes a text object stores.

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "scene/cp932.h"

struct TypedText {
    // At most the byte limit, cut before a character that would not fit whole.
    std::string cp932;
    // The first character (UTF-8) that CP932 cannot hold; empty when there is none.
    std::string refused;
};

// Bytes of the UTF-8 sequence that starts with lead (1 for a stray byte, which then fails).
inline std::size_t Utf8SequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead <= 0xF7) {
        return 4;
    }
    if (lead >= 0xE0) {
        return lead <= 0xEF ? 3 : 1;
    }
    return lead >= 0xC0 ? 2 : 1;
}

// Converts character by character so that a character beyond the limit is dropped whole and a
// character CP932 lacks is named rather than replaced.
inline TypedText ConvertTypedText(std::string_view utf8, std::size_t maxBytes) {
    TypedText result;
    std::size_t at = 0;
    while (at < utf8.size() && result.cp932.size() < maxBytes) {
        const std::size_t length =
            std::min(Utf8SequenceLength(static_cast<unsigned char>(utf8[at])), utf8.size() - at);
        const std::string_view character = utf8.substr(at, length);
        const std::optional<std::string> converted = Utf8ToCp932(character);
        if (!converted || converted->empty()) {
            result.refused = std::string(character);
            return result;
        }
        if (result.cp932.size() + converted->size() > maxBytes) {
            break;
        }
        result.cp932 += *converted;
        at += length;
    }
    return result;
}
