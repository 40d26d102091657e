#include "render/capture.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdlib>
#include <new>

#include "formats/image_sink.h"
#include "render/viewport_pixels.h"
#include "resources/texts.h"

namespace {

ImageFileType FileTypeOf(int32_t captureType) {
    switch (captureType) {
        case kCaptureJpeg:
            return ImageFileType::kJpeg;
        case kCapturePng:
            return ImageFileType::kPng;
        default:
            return ImageFileType::kBmp;
    }
}

}  // namespace

CaptureStatus CaptureStatusOf(ImageWriteStatus status) {
    switch (status) {
        case ImageWriteStatus::kOk:
            return CaptureStatus::kOk;
        case ImageWriteStatus::kWriterMissing:
            return CaptureStatus::kWriterMissing;
        case ImageWriteStatus::kCannotWrite:
        case ImageWriteStatus::kUnsupported:
            break;
    }
    return CaptureStatus::kCannotWrite;
}

CapturedImage ReadFramePixels(const ClientRect& rect, int32_t viewWidth, int32_t viewHeight) {
    const ClientRect r = rect.Ordered();
    CapturedImage image;
    image.width = r.Width();
    image.height = r.Height();
    image.rgb.assign(static_cast<std::size_t>(image.width) * image.height * 3, 0);
    // Parts of a drag that left the view stay black.
    const int32_t xa = std::max(r.left, 0);
    const int32_t xb = std::min(r.right, viewWidth);
    const int32_t ya = std::max(r.top, 0);
    const int32_t yb = std::min(r.bottom, viewHeight);
    if (xa >= xb || ya >= yb) {
        return image;
    }
    const int32_t w = xb - xa;
    const int32_t h = yb - ya;
    std::vector<uint8_t> rows(static_cast<std::size_t>(w) * h * 3);
    // GL counts rows from the bottom.
    ReadFramebuffer(xa, viewHeight - yb, w, h, 3, rows.data());
    for (int32_t row = 0; row < h; ++row) {
        const int32_t y = yb - 1 - row - r.top;
        std::copy_n(
            rows.data() + static_cast<std::size_t>(row) * w * 3, w * 3,
            image.rgb.data() + (static_cast<std::size_t>(y) * image.width + (xa - r.left)) * 3);
    }
    return image;
}

JpegOptions CaptureJpegOptions(const std::string& library, const AppSettings& settings) {
    JpegOptions jpeg;
    jpeg.library = library;
    jpeg.quality = GetJpegQuality(settings) & 0xFF;
    jpeg.progressive = GetJpegProgressive(settings) == 1;
    return jpeg;
}

CaptureStatus WriteCapture(const CapturedImage& image, const CaptureTarget& target,
                           const AppSettings& settings) {
    if (image.width <= 0 || image.height <= 0) {
        return CaptureStatus::kEmptyRegion;
    }
    try {
        const JpegOptions jpeg = CaptureJpegOptions(target.jpegLibrary, settings);
        ImageWriteStatus status = ImageWriteStatus::kOk;
        std::unique_ptr<ImageRowSink> sink =
            OpenImageFile(target.path, FileTypeOf(target.captureType),
                          {image.width, image.height, 3}, jpeg, status);
        if (!sink) {
            return CaptureStatusOf(status);
        }
        if (!sink->WriteRows(image.rgb.data(), image.height,
                             static_cast<std::size_t>(image.width) * 3)) {
            return CaptureStatus::kCannotWrite;
        }
        return CaptureStatusOf(sink->Finish());
    } catch (const std::bad_alloc&) {
        return CaptureStatus::kCannotWrite;
    }
}

CaptureStatus CaptureFrame(const ClientRect& rect, int32_t viewWidth, int32_t viewHeight,
                           const CaptureTarget& target, const AppSettings& settings) {
    if (rect.Width() <= 0 || rect.Height() <= 0) {
        return CaptureStatus::kEmptyRegion;
    }
    try {
        return WriteCapture(ReadFramePixels(rect, viewWidth, viewHeight), target, settings);
    } catch (const std::bad_alloc&) {
        return CaptureStatus::kCannotWrite;
    }
}

void ReportCaptureStatus(CaptureStatus status, const std::string& utf8Path, MessageSink& messages) {
    switch (status) {
        case CaptureStatus::kOk:
            return;
        case CaptureStatus::kEmptyRegion:
            messages.ShowMessage(texts::kCaptureEmptyRegion, texts::kTitlePrefix,
                                 MessageOwner::kMainWindow);
            return;
        case CaptureStatus::kCannotWrite:
            messages.ShowMessage(std::string(texts::kCaptureWriteFailed) + "\n" + utf8Path,
                                 texts::kTitlePrefix, MessageOwner::kMainWindow);
            return;
        case CaptureStatus::kWriterMissing:
            messages.ShowMessage(texts::kJpegWriterMissing, texts::kTitlePrefix,
                                 MessageOwner::kMainWindow);
            return;
    }
}
