#include <windows.h>

#include "scene/cp932.h"

namespace {

constexpr UINT kCp932 = 932;

std::optional<std::wstring> ToWide(UINT codePage, std::string_view input) {
    if (input.empty()) {
        return std::wstring();
    }
    const int size = static_cast<int>(input.size());
    const int length =
        MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, input.data(), size, nullptr, 0);
    if (length <= 0) {
        return std::nullopt;
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, input.data(), size, wide.data(), length);
    return wide;
}

// CP932 has no "invalid character" flag on the way out: a character it cannot hold becomes the
// default character, which the system reports.
std::optional<std::string> FromWide(UINT codePage, const std::wstring& wide) {
    if (wide.empty()) {
        return std::string();
    }
    const int size = static_cast<int>(wide.size());
    const DWORD flags = codePage == CP_UTF8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* reportDefault = codePage == CP_UTF8 ? nullptr : &usedDefault;
    const int length =
        WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr, reportDefault);
    if (length <= 0 || usedDefault) {
        return std::nullopt;
    }
    std::string out(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, flags, wide.data(), size, out.data(), length, nullptr, nullptr);
    return out;
}

std::optional<std::string> Convert(UINT to, UINT from, std::string_view input) {
    const std::optional<std::wstring> wide = ToWide(from, input);
    return wide ? FromWide(to, *wide) : std::nullopt;
}

}  // namespace

std::optional<std::string> Cp932ToUtf8(std::string_view cp932) {
    return Convert(CP_UTF8, kCp932, cp932);
}

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
    return Convert(kCp932, CP_UTF8, utf8);
}
