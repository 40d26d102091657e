#include "formats/path_names.h"

#include <cctype>
#include <filesystem>

namespace {

constexpr char kSeparators[] = {'/', static_cast<char>(std::filesystem::path::preferred_separator),
                                '\0'};

}  // namespace

std::size_t FileNameStart(const std::string& path) {
    const std::size_t separator = path.find_last_of(kSeparators);
    return separator == std::string::npos ? 0 : separator + 1;
}

std::size_t ExtensionDot(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    return dot != std::string::npos && dot >= FileNameStart(path) ? dot : std::string::npos;
}

std::string LowercaseExtension(const std::string& path) {
    const std::size_t dot = ExtensionDot(path);
    std::string extension = dot == std::string::npos ? std::string() : path.substr(dot + 1);
    for (char& c : extension) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return extension;
}
