#include "formats/texture_path.h"

#include <filesystem>
#include <optional>

#include "scene/cp932.h"

namespace fs = std::filesystem;

std::string TextureFileSystemPath(std::string_view cp932Texture, std::string_view cp932SceneFile) {
    const std::optional<std::string> texture = Cp932ToUtf8(cp932Texture);
    if (!texture) {
        return {};
    }
    const std::optional<std::string> sceneFile = Cp932ToUtf8(cp932SceneFile);
    const fs::path relative = fs::u8path(*texture);
    if (!sceneFile || sceneFile->empty() || relative.empty() || relative.is_absolute()) {
        return *texture;
    }
    const fs::path beside = fs::u8path(*sceneFile).parent_path() / relative;
    std::error_code error;
    return fs::is_regular_file(beside, error) ? beside.u8string() : *texture;
}
