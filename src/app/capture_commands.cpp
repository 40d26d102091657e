#include "app/capture_commands.h"

#include <cmath>
#include <string>

#include "app/file_choice.h"
#include "app/main_frame.h"
#include "formats/jpeg_export.h"
#include "render/capture.h"
#include "resources/texts.h"

namespace {

int32_t ToPixels(int32_t coordinate, double scale) {
    return static_cast<int32_t>(std::lround(coordinate * scale));
}

}  // namespace

bool ChooseCaptureFile(MainFrame& frame) {
    FileRequest request;
    request.save = true;
    request.title = texts::kCaptureDialogTitle;
    request.wildcard = std::string(texts::kBitmapFilter) + "|*.bmp|" + texts::kJpegFilter +
                       "|*.jpg|" + texts::kPngFilter + "|*.png";
    // BMP is proposed first every time; the extension follows the filter chosen.
    request.filterIndex = 0;
    request.initialPath = frame.fileNames.capture;
    request.overwritePrompt = true;
    request.extensions = {"bmp", "jpg", "png"};
    const FileAnswer answer = ChooseSaveFile(frame.prompts(), &frame, request);
    if (!answer.ok) {
        return false;
    }
    const int32_t types[] = {kCaptureBmp, kCaptureJpeg, kCapturePng};
    frame.settings().captureType =
        answer.filterIndex >= 0 && answer.filterIndex < 3 ? types[answer.filterIndex] : kCaptureBmp;
    frame.fileNames.capture = answer.path;
    return true;
}

bool ChooseRegionCaptureFile(MainFrame& frame, const ClientRect& rect) {
    if (rect.left == rect.right || rect.top == rect.bottom) {
        frame.messages().ShowMessage(texts::kCaptureEmptyRegion, texts::kTitlePrefix,
                                     MessageOwner::kMainWindow);
        return false;
    }
    return ChooseCaptureFile(frame);
}

void CaptureSceneCommand(MainFrame& frame) {
    if (frame.view() == nullptr) {
        return;
    }
    frame.ClearSelection();
    const wxSize size = frame.view()->GetClientSize();
    frame.mouse.captureRect = ClientRect{0, 0, size.x, size.y};
    if (!ChooseCaptureFile(frame)) {
        return;
    }
    frame.mouse.rubberBand = 0;
    frame.mouse.capturePending = 1;
    frame.InvalidateView();
}

void CaptureRegionCommand(MainFrame& frame) {
    frame.ClearSelection();
    frame.LockForRegionCapture();
    frame.mouse.regionArmed = 1;
    frame.InvalidateView();
}

void WritePendingCapture(MainFrame& frame, const ClientRect& rect) {
    CaptureTarget target;
    target.path = frame.fileNames.capture;
    target.captureType = frame.settings().captureType;
    target.jpegLibrary = FindJpegPlugin(ExecutableDir());
    frame.fileNames.capture.clear();
    // The viewport counts the canvas's pixels, the rectangle window coordinates.
    const double scale = frame.view()->GetContentScaleFactor();
    const wxSize view = frame.view()->GetClientSize() * scale;
    const ClientRect pixels{ToPixels(rect.left, scale), ToPixels(rect.top, scale),
                            ToPixels(rect.right, scale), ToPixels(rect.bottom, scale)};
    const CaptureStatus status = CaptureFrame(pixels, view.x, view.y, target, frame.settings());
    if (status != CaptureStatus::kOk) {
        // A message box has no place inside a paint.
        frame.CallAfter([&frame, status, path = target.path] {
            ReportCaptureStatus(status, path, frame.messages());
        });
    }
}
