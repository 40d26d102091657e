#include "formats/path_names.h"

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
