#include "scene/cp932.h"

#include <iconv.h>

#include <cerrno>

namespace {

std::optional<std::string> Convert(const char* to, const char* from, std::string_view input) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return std::nullopt;
    }
    std::string output(input.size() * 4 + 4, '\0');
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char* out = output.data();
    std::size_t outLeft = output.size();
    const std::size_t result = iconv(cd, &in, &inLeft, &out, &outLeft);
    iconv_close(cd);
    if (result == static_cast<std::size_t>(-1) || inLeft != 0) {
        return std::nullopt;
    }
    output.resize(output.size() - outLeft);
    return output;
}

}  // namespace

std::optional<std::string> Cp932ToUtf8(std::string_view cp932) {
    return Convert("UTF-8", "CP932", cp932);
}

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
    return Convert("CP932", "UTF-8", utf8);
}

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
        const std::size_t width =
            IsDBCSLeadByte(static_cast<unsigned char>(cp932[end])) ? 2 : 1;
        if (end + width > maxBytes || end + width > cp932.size()) {
            break;
        }
        end += width;
    }
    return cp932.substr(0, end);
}
