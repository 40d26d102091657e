#include "text/character_codes.h"

#include <optional>
#include <string>

#include "scene/cp932.h"

namespace {

char32_t DecodeUtf8(const std::string& utf8) {
    const auto* s = reinterpret_cast<const unsigned char*>(utf8.data());
    const std::size_t n = utf8.size();
    if (n == 1 && s[0] < 0x80) {
        return s[0];
    }
    if (n == 2 && (s[0] & 0xE0) == 0xC0) {
        return static_cast<char32_t>(((s[0] & 0x1F) << 6) | (s[1] & 0x3F));
    }
    if (n == 3 && (s[0] & 0xF0) == 0xE0) {
        return static_cast<char32_t>(((s[0] & 0x0F) << 12) | ((s[1] & 0x3F) << 6) | (s[2] & 0x3F));
    }
    return 0;  // CP932 maps every character into the basic plane, as one code point
}

}  // namespace

std::vector<uint32_t> ScanCharacterCodes(std::string_view cp932) {
    std::vector<uint32_t> codes;
    for (std::size_t i = 0; i < cp932.size();) {
        const auto byte = static_cast<unsigned char>(cp932[i]);
        if (IsCp932LeadByte(byte)) {
            const unsigned trail = i + 1 < cp932.size() ? static_cast<unsigned char>(cp932[i + 1])
                                                        : 0u;  // the terminating NUL
            codes.push_back(byte * 256u + trail);
            i += 2;
        } else {
            codes.push_back(byte);
            i += 1;
        }
    }
    return codes;
}

char32_t CodeToUnicode(uint32_t code) {
    if (code == 0 || (code & 0xFF) == 0) {
        return 0;
    }
    char bytes[2];
    std::size_t length = 0;
    if (code > 0xFF) {
        bytes[length++] = static_cast<char>(code >> 8);
    }
    bytes[length++] = static_cast<char>(code & 0xFF);
    const std::optional<std::string> utf8 = Cp932ToUtf8(std::string_view(bytes, length));
    return utf8 ? DecodeUtf8(*utf8) : 0;
}
