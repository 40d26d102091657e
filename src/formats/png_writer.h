#pragma once
// PNG files through libpng: 8-bit RGB, or RGBA with straight alpha.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "formats/image_sink.h"
#include "formats/replace_file.h"

class PngFileWriter : public ImageRowSink {
  public:
    ~PngFileWriter() override;
    // nullptr when the temporary file or the encoder could not be set up.
    static std::unique_ptr<PngFileWriter> Open(const std::string& path, const ImageFormat& format);

    bool WriteRows(const uint8_t* rows, int32_t count, std::size_t stride) override;
    ImageWriteStatus Finish() override;

  private:
    PngFileWriter() = default;
    void Abandon();

    std::unique_ptr<TemporaryFile> temporary_;
    std::FILE* file_ = nullptr;
    void* png_ = nullptr;   // png_structp
    void* info_ = nullptr;  // png_infop
    int32_t rowsLeft_ = 0;
    bool failed_ = false;
};

// A whole PNG file in memory, for pictures that travel inside other files (textures of 3D
// models): rows packed, row 0 first in the file. Empty on failure.
std::vector<uint8_t> EncodePng(const uint8_t* pixels, int32_t width, int32_t height, int channels);
