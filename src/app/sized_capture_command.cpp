#include "app/sized_capture_command.h"

#include <wx/evtloop.h>

#include <iterator>
#include <memory>
#include <new>

#include "app/file_choice.h"
#include "app/main_frame.h"
#include "app/progress_window.h"
#include "dialogs/sized_capture_dialog.h"
#include "formats/jpeg_export.h"
#include "render/capture.h"
#include "render/picture_render.h"
#include "resources/texts.h"

namespace {

// In the order of the save dialog's filters: PNG first, as only it keeps transparency.
constexpr ImageFileType kFilterTypes[] = {ImageFileType::kPng, ImageFileType::kBmp,
                                          ImageFileType::kJpeg};

struct SizedTarget {
    std::string path;
    ImageFileType type = ImageFileType::kPng;
};

// The save dialog, again after a transparent picture was given a type without alpha.
bool ChooseSizedCaptureFile(MainFrame& frame, bool transparent, SizedTarget& target) {
    FileRequest request;
    request.save = true;
    request.title = texts::kCaptureDialogTitle;
    request.wildcard = std::string(texts::kPngFilter) + "|*.png|" + texts::kBitmapFilter +
                       "|*.bmp|" + texts::kJpegFilter + "|*.jpg";
    request.filterIndex = 0;
    request.overwritePrompt = true;
    request.extensions = {"png", "bmp", "jpg"};
    for (;;) {
        const FileAnswer answer = ChooseSaveFile(frame.prompts(), &frame, request);
        if (!answer.ok) {
            return false;
        }
        const bool known = answer.filterIndex >= 0 &&
                           answer.filterIndex < static_cast<int>(std::size(kFilterTypes));
        target.type = known ? kFilterTypes[answer.filterIndex] : ImageFileType::kPng;
        target.path = answer.path;
        if (!transparent || target.type == ImageFileType::kPng) {
            return true;
        }
        frame.prompts().ShowMessage(&frame, texts::kSizedTransparentNeedsPng, texts::kTitlePrefix,
                                    MessageButtons::kOk, MessageIcon::kWarning);
        request.initialPath = answer.path;
    }
}

// Large pictures take seconds: those get a progress window that can stop them.
bool NeedsProgress(const SizedCaptureChoice& choice) {
    const int64_t pixels = static_cast<int64_t>(choice.width) * choice.height;
    return pixels > 4'000'000 || (choice.level > 1 && pixels > 2'000'000);
}

struct SizedOutcome {
    PictureStatus picture = PictureStatus::kOk;
    CaptureStatus file = CaptureStatus::kOk;
};

SizedOutcome WritePicture(MainFrame& frame, const SizedCaptureChoice& choice,
                          const SizedTarget& target) {
    SizedOutcome outcome;
    PictureRequest request;
    request.width = choice.width;
    request.height = choice.height;
    request.level = choice.level;
    request.transparent = choice.transparent;
    request.look = choice.look;
    JpegOptions jpeg;
    jpeg.library = FindJpegPlugin(ExecutableDir());
    jpeg.quality = GetJpegQuality(frame.settings()) & 0xFF;
    jpeg.progressive = GetJpegProgressive(frame.settings()) == 1;
    try {
        ImageWriteStatus opened = ImageWriteStatus::kOk;
        std::unique_ptr<ImageRowSink> sink =
            OpenImageFile(target.path, target.type,
                          {choice.width, choice.height, PictureChannels(request)}, jpeg, opened);
        if (!sink) {
            outcome.file = CaptureStatusOf(opened);
            return outcome;
        }
        std::unique_ptr<wxProgressDialog> progress;
        PictureProgress reportProgress;
        if (NeedsProgress(choice)) {
            progress = OpenCancellableProgress(&frame, texts::kSizedProgressCaption,
                                               texts::kSizedProgressMessage);
            reportProgress = [&progress](int64_t done, int64_t total) {
                return progress->Update(static_cast<int>(done * 1000 / total));
            };
        }
        outcome.picture = RenderPicture(frame.renderer(), request, *sink, reportProgress);
        progress.reset();
        if (outcome.picture == PictureStatus::kCannotWrite) {
            outcome.file = CaptureStatus::kCannotWrite;
        } else if (outcome.picture == PictureStatus::kOk) {
            outcome.file = CaptureStatusOf(sink->Finish());
        }
    } catch (const std::bad_alloc&) {
        outcome.file = CaptureStatus::kCannotWrite;
    }
    return outcome;
}

}  // namespace

void CaptureSizedCommand(MainFrame& frame) {
    if (frame.view() == nullptr) {
        return;
    }
    // The picture shows no highlight box, as a whole-view capture does not.
    frame.ClearSelection();
    SizedCaptureChoice choice;
    const wxSize view = frame.view()->GetClientSize() * frame.view()->GetContentScaleFactor();
    choice.width = view.x;
    choice.height = view.y;
    choice.level = frame.settings().antialias == 1 ? frame.settings().antialiasLevel : 1;
    choice.look = frame.scene().studio.look;
    SizedTarget target;
    if (!AskSizedCapture(&frame, choice) ||
        !ChooseSizedCaptureFile(frame, choice.transparent, target)) {
        return;
    }
    // The view shows itself again where the dialogs were, before its paints are held.
    frame.view()->Refresh(false);
    if (wxEventLoopBase* loop = wxEventLoopBase::GetActive()) {
        loop->YieldFor(wxEVT_CATEGORY_UI);
    }
    SizedOutcome outcome;
    if (!frame.RunInViewContext([&] { outcome = WritePicture(frame, choice, target); })) {
        outcome.picture = PictureStatus::kNoFramebuffer;
    }
    if (outcome.picture == PictureStatus::kNoFramebuffer) {
        frame.messages().ShowMessage(texts::kSizedNoFramebuffer, texts::kTitlePrefix,
                                     MessageOwner::kMainWindow);
        return;
    }
    ReportCaptureStatus(outcome.file, target.path, frame.messages());
}
