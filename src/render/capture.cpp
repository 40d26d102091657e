#include "render/capture.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdlib>
#include <new>

#include "formats/image_sink.h"
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

CaptureRegion OrderCaptureCorners(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    CaptureRegion region;
    region.x0 = std::min(left, right);
    region.y0 = std::min(top, bottom);
    region.width = std::abs(right - left);
    region.height = std::abs(bottom - top);
    return region;
}

CapturedImage ReadFramePixels(const CaptureRegion& region, int32_t viewWidth, int32_t viewHeight) {
    CapturedImage image;
    image.width = region.width;
    image.height = region.height;
    image.rgb.assign(static_cast<std::size_t>(region.width) * region.height * 3, 0);
    // Parts of a drag that left the view stay black.
    const int32_t xa = std::max(region.x0, 0);
    const int32_t xb = std::min(region.x0 + region.width, viewWidth);
    const int32_t ya = std::max(region.y0, 0);
    const int32_t yb = std::min(region.y0 + region.height, viewHeight);
    if (xa >= xb || ya >= yb) {
        return image;
    }
    const int32_t w = xb - xa;
    const int32_t h = yb - ya;
    std::vector<uint8_t> rows(static_cast<std::size_t>(w) * h * 3);
    GLint alignment = 4;
    glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    // GL counts rows from the bottom.
    glReadPixels(xa, viewHeight - yb, w, h, GL_RGB, GL_UNSIGNED_BYTE, rows.data());
    glPixelStorei(GL_PACK_ALIGNMENT, alignment);
    for (int32_t r = 0; r < h; ++r) {
        const int32_t y = yb - 1 - r - region.y0;
        std::copy_n(
            rows.data() + static_cast<std::size_t>(r) * w * 3, w * 3,
            image.rgb.data() + (static_cast<std::size_t>(y) * region.width + (xa - region.x0)) * 3);
    }
    return image;
}

CaptureStatus WriteCapture(const CapturedImage& image, const CaptureTarget& target,
                           const AppSettings& settings) {
    if (image.width <= 0 || image.height <= 0) {
        return CaptureStatus::kEmptyRegion;
    }
    try {
        JpegOptions jpeg;
        jpeg.library = target.jpegLibrary;
        jpeg.quality = GetJpegQuality(settings) & 0xFF;
        jpeg.progressive = GetJpegProgressive(settings) == 1;
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

CaptureStatus CaptureFrame(const CaptureRegion& region, int32_t viewWidth, int32_t viewHeight,
                           const CaptureTarget& target, const AppSettings& settings) {
    if (region.width <= 0 || region.height <= 0) {
        return CaptureStatus::kEmptyRegion;
    }
    try {
        return WriteCapture(ReadFramePixels(region, viewWidth, viewHeight), target, settings);
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

CaptureStatus CaptureView(int32_t left, int32_t top, int32_t right, int32_t bottom,
                          int32_t viewWidth, int32_t viewHeight, const CaptureTarget& target,
                          const AppSettings& settings, MessageSink& messages) {
    const CaptureStatus status = CaptureFrame(OrderCaptureCorners(left, top, right, bottom),
                                              viewWidth, viewHeight, target, settings);
    ReportCaptureStatus(status, target.path, messages);
    return status;
}
