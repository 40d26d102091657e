#include "formats/png_writer.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <vector>

namespace {

// libpng reports errors by jumping back to the setjmp of the call that failed; the functions
// holding a setjmp keep no objects with destructors, so the jump skips nothing.
[[noreturn]] void OnPngError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

bool IsPngFormat(const ImageFormat& format) {
    return format.width > 0 && format.height > 0 && (format.channels == 3 || format.channels == 4);
}

void AppendToVector(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void NoFlush(png_structp) {}

// The output (a file or memory) is set before.
bool StartPng(png_structp png, png_infop info, const ImageFormat& format) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    const int colourType = format.channels == 4 ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB;
    png_set_IHDR(png, info, static_cast<png_uint_32>(format.width),
                 static_cast<png_uint_32>(format.height), 8, colourType, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    // Large pictures spend most of their time in zlib; the size gained above this is small.
    png_set_compression_level(png, 3);
    png_write_info(png, info);
    return true;
}

bool PutRows(png_structp png, png_bytepp rows, png_uint_32 count) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_write_rows(png, rows, count);
    return true;
}

bool EndPng(png_structp png, png_infop info) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_write_end(png, info);
    return true;
}

}  // namespace

std::unique_ptr<PngFileWriter> PngFileWriter::Open(const std::string& path,
                                                   const ImageFormat& format) {
    if (!IsPngFormat(format)) {
        return nullptr;
    }
    std::unique_ptr<PngFileWriter> writer(new PngFileWriter);
    writer->rowsLeft_ = format.height;
    writer->temporary_ = std::make_unique<TemporaryFile>(path);
    if (!writer->temporary_->IsOpen()) {
        return nullptr;
    }
    writer->file_ = std::fopen(writer->temporary_->path().c_str(), "wb");
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
    writer->png_ = png;
    if (writer->file_ == nullptr || png == nullptr) {
        return nullptr;
    }
    png_infop info = png_create_info_struct(png);
    writer->info_ = info;
    if (info == nullptr) {
        return nullptr;
    }
    png_init_io(png, writer->file_);
    if (!StartPng(png, info, format)) {
        return nullptr;
    }
    return writer;
}

PngFileWriter::~PngFileWriter() {
    Abandon();
}

void PngFileWriter::Abandon() {
    if (png_ != nullptr) {
        auto png = static_cast<png_structp>(png_);
        auto info = static_cast<png_infop>(info_);
        png_destroy_write_struct(&png, info != nullptr ? &info : nullptr);
        png_ = nullptr;
        info_ = nullptr;
    }
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
    temporary_.reset();
}

bool PngFileWriter::WriteRows(const uint8_t* rows, int32_t count, std::size_t stride) {
    if (failed_ || png_ == nullptr || count < 0 || count > rowsLeft_) {
        failed_ = true;
        return false;
    }
    std::vector<png_bytep> pointers(static_cast<std::size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        // libpng only reads through these.
        pointers[i] = const_cast<png_bytep>(rows + static_cast<std::size_t>(i) * stride);
    }
    if (!PutRows(static_cast<png_structp>(png_), pointers.data(),
                 static_cast<png_uint_32>(count))) {
        failed_ = true;
        return false;
    }
    rowsLeft_ -= count;
    return true;
}

ImageWriteStatus PngFileWriter::Finish() {
    if (failed_ || png_ == nullptr || rowsLeft_ != 0 ||
        !EndPng(static_cast<png_structp>(png_), static_cast<png_infop>(info_))) {
        Abandon();
        return ImageWriteStatus::kCannotWrite;
    }
    // The commit flushes the file to disk.
    const bool flushed = std::fflush(file_) == 0;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!flushed || !closed) {
        Abandon();
        return ImageWriteStatus::kCannotWrite;
    }
    const bool committed = temporary_->Commit();
    Abandon();
    return committed ? ImageWriteStatus::kOk : ImageWriteStatus::kCannotWrite;
}

std::vector<uint8_t> EncodePng(const uint8_t* pixels, int32_t width, int32_t height, int channels) {
    std::vector<uint8_t> out;
    const ImageFormat format{width, height, channels};
    if (!IsPngFormat(format)) {
        return out;
    }
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
    if (png == nullptr) {
        return out;
    }
    png_infop info = png_create_info_struct(png);
    const auto rowBytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(channels);
    std::vector<png_bytep> rows(static_cast<std::size_t>(height));
    for (std::size_t y = 0; y < rows.size(); ++y) {
        // libpng only reads through these.
        rows[y] = const_cast<png_bytep>(pixels + y * rowBytes);
    }
    bool ok = info != nullptr;
    if (ok) {
        png_set_write_fn(png, &out, AppendToVector, NoFlush);
        ok = StartPng(png, info, format) &&
             PutRows(png, rows.data(), static_cast<png_uint_32>(height)) && EndPng(png, info);
    }
    png_destroy_write_struct(&png, info != nullptr ? &info : nullptr);
    if (!ok) {
        out.clear();
    }
    return out;
}
