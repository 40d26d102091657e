#include "scene/cp932.h"

std::optional<std::string> Utf8ToCp932Exactly(std::string_view utf8) {
    std::optional<std::string> cp932 = Utf8ToCp932(utf8);
    if (!cp932 || Cp932ToUtf8(*cp932) != utf8) {
        return std::nullopt;
    }
    return cp932;
}

std::string_view Cp932Prefix(std::string_view cp932, std::size_t maxBytes) {
    std::size_t end = 0;
    while (end < cp932.size()) {
        const std::size_t width = IsCp932LeadByte(static_cast<unsigned char>(cp932[end])) ? 2 : 1;
        if (end + width > maxBytes || end + width > cp932.size()) {
            break;
        }
        end += width;
    }
    return cp932.substr(0, end);
}
