#include "app/sized_capture_command.h"

#include <wx/evtloop.h>

#include <memory>
#include <new>

#include "app/capture_request.h"
#include "app/command_context.h"
#include "app/file_choice.h"
#include "app/progress_window.h"
#include "dialogs/sized_capture_dialog.h"
#include "formats/jpeg_export.h"
#include "render/capture.h"
#include "render/picture_render.h"
#include "resources/texts.h"

namespace {

// PNG first, as only it keeps transparency.
constexpr CaptureTypeOrder kFilterTypes = {ImageFileType::kPng, ImageFileType::kBmp,
                                           ImageFileType::kJpeg};

struct SizedTarget {
    std::string path;
    ImageFileType type = ImageFileType::kPng;
};

// The save dialog, again after a transparent picture was given a type without alpha.
bool ChooseSizedCaptureFile(CommandContext& context, bool transparent, SizedTarget& target) {
    FileRequest request = CaptureFileRequest(kFilterTypes, "");
    for (;;) {
        const FileAnswer answer = ChooseSaveFile(context.prompts(), context.window(), request);
        if (!answer.ok) {
            return false;
        }
        target.type = ChosenCaptureType(answer, kFilterTypes);
        target.path = answer.path;
        if (!transparent || target.type == ImageFileType::kPng) {
            return true;
        }
        context.prompts().ShowMessage(context.window(), texts::kSizedTransparentNeedsPng,
                                      texts::kTitlePrefix, MessageButtons::kOk,
                                      MessageIcon::kWarning);
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

SizedOutcome WritePicture(CommandContext& context, const SizedCaptureChoice& choice,
                          const SizedTarget& target) {
    SizedOutcome outcome;
    PictureRequest request;
    request.width = choice.width;
    request.height = choice.height;
    request.level = choice.level;
    request.transparent = choice.transparent;
    const JpegOptions jpeg =
        CaptureJpegOptions(FindJpegPlugin(ExecutableDir()), context.document().settings);
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
            progress = OpenCancellableProgress(context.window(), texts::kSizedProgressCaption,
                                               texts::kSizedProgressMessage);
            reportProgress = [&progress](int64_t done, int64_t total) {
                return progress->Update(static_cast<int>(done * 1000 / total));
            };
        }
        outcome.picture = RenderPicture(context.view().renderer(), request, *sink, reportProgress);
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

void CaptureSizedCommand(CommandContext& context) {
    if (context.view().canvas() == nullptr) {
        return;
    }
    // The picture shows no highlight box, as a whole-view capture does not.
    context.ClearSelection();
    SizedCaptureChoice choice;
    const wxSize view =
        context.view().canvas()->GetClientSize() * context.view().canvas()->GetContentScaleFactor();
    choice.width = view.x;
    choice.height = view.y;
    choice.level =
        context.document().settings.antialias == 1 ? context.document().settings.antialiasLevel : 1;
    SizedTarget target;
    if (!AskSizedCapture(context.window(), choice) ||
        !ChooseSizedCaptureFile(context, choice.transparent, target)) {
        return;
    }
    // The view shows itself again where the dialogs were, before its paints are held.
    context.view().canvas()->Refresh(false);
    if (wxEventLoopBase* loop = wxEventLoopBase::GetActive()) {
        loop->YieldFor(wxEVT_CATEGORY_UI);
    }
    SizedOutcome outcome;
    if (!context.view().RunInViewContext(
            [&] { outcome = WritePicture(context, choice, target); })) {
        outcome.picture = PictureStatus::kNoFramebuffer;
    }
    if (outcome.picture == PictureStatus::kNoFramebuffer) {
        context.messages().ShowMessage(texts::kSizedNoFramebuffer, texts::kTitlePrefix,
                                       MessageOwner::kMainWindow);
        return;
    }
    ReportCaptureStatus(outcome.file, target.path, context.messages());
}
