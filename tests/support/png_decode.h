#pragma once
// Decodes a PNG file with libpng, so tests check written pictures with a reader not our own.

#include <png.h>

#include <cstdint>
#include <string>
#include <vector>

struct DecodedPng {
    int width = 0;
    int height = 0;
    bool hasAlpha = false;
    std::vector<uint8_t> rgba;  // top row first, 4 bytes a pixel whatever the file holds
};

inline DecodedPng DecodePng(const std::string& path) {
    DecodedPng out;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        return out;
    }
    out.hasAlpha = (image.format & PNG_FORMAT_FLAG_ALPHA) != 0;
    image.format = PNG_FORMAT_RGBA;
    out.rgba.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, out.rgba.data(), 0, nullptr)) {
        out.rgba.clear();
        return out;
    }
    out.width = static_cast<int>(image.width);
    out.height = static_cast<int>(image.height);
    return out;
}
