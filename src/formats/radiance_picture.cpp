#include "formats/radiance_picture.h"

#include <algorithm>
#include <cstdint>
#include <memory>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wconversion"
#pragma GCC diagnostic ignored "-Wsign-conversion"
#pragma GCC diagnostic ignored "-Wshadow"
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wdouble-promotion"
// Private to this file, so the copy the glTF library may bring along does not clash.
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_HDR
#define STBI_NO_STDIO
#include <stb/stb_image.h>
#pragma GCC diagnostic pop

#include "formats/regular_file.h"

namespace {

std::optional<std::vector<unsigned char>> ReadWhole(const std::string& path) {
    const FileHandle file = OpenRegularFile(path);
    if (!file) {
        return std::nullopt;
    }
    std::vector<unsigned char> bytes;
    unsigned char buffer[1 << 16];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        bytes.insert(bytes.end(), buffer, buffer + count);
    }
    if (std::ferror(file.get())) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace

std::optional<RadiancePicture> ReadRadiancePicture(const std::string& path) {
    const auto bytes = ReadWhole(path);
    if (!bytes || bytes->empty() || bytes->size() > static_cast<std::size_t>(INT32_MAX)) {
        return std::nullopt;
    }
    int width = 0;
    int height = 0;
    int channels = 0;
    std::unique_ptr<float, void (*)(void*)> texels(
        stbi_loadf_from_memory(bytes->data(), static_cast<int>(bytes->size()), &width, &height,
                               &channels, 3),
        stbi_image_free);
    if (!texels || width <= 0 || height <= 0) {
        return std::nullopt;
    }
    RadiancePicture picture;
    picture.width = width;
    picture.height = height;
    const std::size_t row = static_cast<std::size_t>(width) * 3;
    picture.rgb.resize(row * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        const float* from = texels.get() + row * static_cast<std::size_t>(height - 1 - y);
        std::copy(from, from + row, picture.rgb.begin() + static_cast<std::ptrdiff_t>(row * y));
    }
    return picture;
}
