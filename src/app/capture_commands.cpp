#include "app/capture_commands.h"

#include <cmath>
#include <string>

#include "app/capture_request.h"
#include "app/command_context.h"
#include "app/file_choice.h"
#include "formats/jpeg_export.h"
#include "render/capture.h"
#include "resources/texts.h"

namespace {

int32_t ToPixels(int32_t coordinate, double scale) {
    return static_cast<int32_t>(std::lround(coordinate * scale));
}

}  // namespace

bool ChooseCaptureFile(CommandContext& context) {
    // BMP is proposed first every time.
    constexpr CaptureTypeOrder kOrder = {ImageFileType::kBmp, ImageFileType::kJpeg,
                                         ImageFileType::kPng};
    RememberedFileNames& names = context.document().fileNames;
    const FileAnswer answer = ChooseSaveFile(context.prompts(), context.window(),
                                             CaptureFileRequest(kOrder, names.capture));
    if (!answer.ok) {
        return false;
    }
    context.document().settings.captureType = CaptureSettingOf(ChosenCaptureType(answer, kOrder));
    names.capture = answer.path;
    return true;
}

bool ChooseRegionCaptureFile(CommandContext& context, const ClientRect& rect) {
    if (rect.left == rect.right || rect.top == rect.bottom) {
        context.messages().ShowMessage(texts::kCaptureEmptyRegion, texts::kTitlePrefix,
                                       MessageOwner::kMainWindow);
        return false;
    }
    return ChooseCaptureFile(context);
}

void CaptureSceneCommand(CommandContext& context) {
    if (context.view().canvas() == nullptr) {
        return;
    }
    context.ClearSelection();
    const wxSize size = context.view().canvas()->GetClientSize();
    context.ui().mouse.captureRect = ClientRect{0, 0, size.x, size.y};
    if (!ChooseCaptureFile(context)) {
        return;
    }
    context.ui().mouse.rubberBand = 0;
    context.ui().mouse.capturePending = 1;
    context.InvalidateView();
}

void CaptureRegionCommand(CommandContext& context) {
    context.ClearSelection();
    context.shell().LockForRegionCapture();
    context.ui().mouse.regionArmed = 1;
    context.InvalidateView();
}

void WritePendingCapture(CommandContext& context, const ClientRect& rect) {
    CaptureTarget target;
    target.path = context.document().fileNames.capture;
    target.captureType = context.document().settings.captureType;
    target.jpegLibrary = FindJpegPlugin(ExecutableDir());
    context.document().fileNames.capture.clear();
    // The viewport counts the canvas's pixels, the rectangle window coordinates.
    const double scale = context.view().canvas()->GetContentScaleFactor();
    const wxSize view = context.view().canvas()->GetClientSize() * scale;
    const ClientRect pixels{ToPixels(rect.left, scale), ToPixels(rect.top, scale),
                            ToPixels(rect.right, scale), ToPixels(rect.bottom, scale)};
    const CaptureStatus status =
        CaptureFrame(pixels, view.x, view.y, target, context.document().settings);
    if (status != CaptureStatus::kOk) {
        // A message box has no place inside a paint.
        context.window()->CallAfter([&context, status, path = target.path] {
            ReportCaptureStatus(status, path, context.messages());
        });
    }
}
