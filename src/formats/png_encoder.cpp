#include "formats/png_encoder.h"

#include <png.h>

#include <csetjmp>

namespace {

void Append(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void Flush(png_structp) {}

// libpng reports errors by longjmp, so the state that must survive it lives outside this frame.
bool Encode(png_structp png, png_infop info, const uint8_t* pixels, int32_t width, int32_t height,
            int channels, std::vector<uint8_t>& out) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_set_write_fn(png, &out, Append, Flush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 channels == 4 ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const auto rowBytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(channels);
    for (int32_t y = 0; y < height; ++y) {
        png_write_row(png, pixels + static_cast<std::size_t>(y) * rowBytes);
    }
    png_write_end(png, info);
    return true;
}

}  // namespace

std::vector<uint8_t> EncodePng(const uint8_t* pixels, int32_t width, int32_t height, int channels) {
    std::vector<uint8_t> out;
    if (width <= 0 || height <= 0 || (channels != 3 && channels != 4)) {
        return out;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr) {
        return out;
    }
    png_infop info = png_create_info_struct(png);
    const bool ok = info != nullptr && Encode(png, info, pixels, width, height, channels, out);
    png_destroy_write_struct(&png, &info);
    if (!ok) {
        out.clear();
    }
    return out;
}
