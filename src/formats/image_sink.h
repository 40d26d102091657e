#pragma once
// Picture files written row band by row band, so a picture larger than memory allows can be
// produced in pieces. Rows come top row first; the file appears only when Finish succeeds.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

enum class ImageFileType { kBmp, kJpeg, kPng };

enum class ImageWriteStatus {
    kOk,
    kCannotWrite,    // the file could not be created, written or put in place
    kWriterMissing,  // no JPEG plug-in or no writer function in it
    kUnsupported,    // the type cannot hold what was asked (alpha in BMP or JPEG)
};

struct ImageFormat {
    int32_t width = 0;
    int32_t height = 0;
    int channels = 3;  // 3: RGB; 4: RGBA with straight alpha
};

class ImageRowSink {
  public:
    virtual ~ImageRowSink() = default;
    // count rows of width * channels bytes, successive rows stride bytes apart.
    virtual bool WriteRows(const uint8_t* rows, int32_t count, std::size_t stride) = 0;
    // Puts the file in place once every row was given; the temporary file goes on any failure,
    // and also when the sink is dropped unfinished.
    virtual ImageWriteStatus Finish() = 0;
};

struct JpegOptions {
    std::string library;  // the plug-in, as FindJpegPlugin names it
    int quality = 50;     // 1 ... 100
    bool progressive = true;
};

// The type named by the path's extension (.png, .jpg, .jpeg, .bmp, any case); false for others.
bool ImageFileTypeFromPath(const std::string& path, ImageFileType& type);

// A sink writing path (file-system encoding). nullptr with status set when it cannot even start.
std::unique_ptr<ImageRowSink> OpenImageFile(const std::string& path, ImageFileType type,
                                            const ImageFormat& format, const JpegOptions& jpeg,
                                            ImageWriteStatus& status);
