#pragma once
// Writes the picture of the view, or a dragged part of it, to a BMP, JPEG or PNG file. The pixels
// are read from the frame just rendered, before it is swapped: what the user sees, whatever lies
// over the window.

#include <cstdint>
#include <string>
#include <vector>

#include "formats/image_sink.h"
#include "formats/jpeg_contract.h"
#include "render/client_rect.h"
#include "scene/app_settings.h"
#include "scene/message_sink.h"

struct CapturedImage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> rgb;  // top row first, rows packed
    VmImageRecord Record() const { return {width, height, width * 3, rgb.data()}; }
};

// The rectangle (corners in any order) of the back buffer of a view viewWidth x viewHeight;
// parts outside the view stay black.
CapturedImage ReadFramePixels(const ClientRect& rect, int32_t viewWidth, int32_t viewHeight);

enum class CaptureStatus {
    kOk,
    kEmptyRegion,    // nothing to write
    kCannotWrite,    // the file could not be created or written
    kWriterMissing,  // no JPEG plug-in or no writer function in it
};

// What a picture file writer's status means to the user.
CaptureStatus CaptureStatusOf(ImageWriteStatus status);

struct CaptureTarget {
    std::string path;  // file-system path
    int32_t captureType = kCaptureBmp;
    std::string jpegLibrary;  // the plug-in to load, as FindJpegPlugin names it
};

// The JPEG writer's options of a capture: the plug-in given, the preferences' quality and
// progression.
JpegOptions CaptureJpegOptions(const std::string& library, const AppSettings& settings);

// The whole file or nothing: a failed write, running out of memory included, leaves no file, and
// no partial one, behind.
CaptureStatus WriteCapture(const CapturedImage& image, const CaptureTarget& target,
                           const AppSettings& settings);
// Reads the region from the frame just rendered and writes it; never throws, so it is safe
// inside a paint.
CaptureStatus CaptureFrame(const ClientRect& rect, int32_t viewWidth, int32_t viewHeight,
                           const CaptureTarget& target, const AppSettings& settings);
// Tells the user why a capture wrote nothing; silent for kOk.
void ReportCaptureStatus(CaptureStatus status, const std::string& utf8Path, MessageSink& messages);
