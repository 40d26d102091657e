#include "app/animation_export_command.h"

#include <wx/evtloop.h>

#include <memory>
#include <new>
#include <vector>

#include "app/file_choice.h"
#include "app/main_frame.h"
#include "app/progress_window.h"
#include "dialogs/animation_dialog.h"
#include "render/animation_render.h"
#include "resources/texts.h"

namespace {

// The save dialog's filters, WebP first: small and with transparency.
struct AnimationFilter {
    AnimationFileType type;
    const char* label;
    const char* extension;
};
constexpr AnimationFilter kFilters[] = {
    {AnimationFileType::kWebp, texts::kWebpFilter, "webp"},
    {AnimationFileType::kPng, texts::kApngFilter, "png"},
    {AnimationFileType::kGif, texts::kGifFilter, "gif"},
    {AnimationFileType::kMp4, texts::kMp4Filter, "mp4"},
    {AnimationFileType::kWebm, texts::kWebmFilter, "webm"},
};

struct AnimationTarget {
    std::string path;
    AnimationFileType type = AnimationFileType::kWebp;
};

// A message for a chosen type that cannot be had; the save dialog shows again after it.
const char* RefusalOf(bool transparent, AnimationFileType type) {
    if (!AnimationFileTypeAvailable(type)) {
        return texts::kAnimationTypeUnavailable;
    }
    return transparent && !AnimationKeepsAlpha(type) ? texts::kAnimationTransparentNotMp4 : nullptr;
}

// The save dialog, offering the types this build writes.
bool ChooseAnimationFile(MainFrame& frame, bool transparent, AnimationTarget& target) {
    FileRequest request;
    request.save = true;
    request.title = texts::kAnimationSaveTitle;
    std::vector<AnimationFileType> offered;
    for (const AnimationFilter& filter : kFilters) {
        if (AnimationFileTypeAvailable(filter.type)) {
            request.wildcard += std::string(request.wildcard.empty() ? "" : "|") + filter.label +
                                "|*." + filter.extension;
            request.extensions.push_back(filter.extension);
            offered.push_back(filter.type);
        }
    }
    request.filterIndex = 0;
    request.overwritePrompt = true;
    for (;;) {
        const FileAnswer answer = ChooseSaveFile(frame.prompts(), &frame, request);
        if (!answer.ok) {
            return false;
        }
        // A typed extension wins over the filter, as the command line has it.
        const bool known =
            answer.filterIndex >= 0 && answer.filterIndex < static_cast<int>(offered.size());
        if (!AnimationFileTypeFromPath(answer.path, target.type)) {
            target.type = known ? offered[answer.filterIndex] : AnimationFileType::kWebp;
        }
        target.path = answer.path;
        const char* refusal = RefusalOf(transparent, target.type);
        if (refusal == nullptr) {
            return true;
        }
        frame.prompts().ShowMessage(&frame, refusal, texts::kTitlePrefix, MessageButtons::kOk,
                                    MessageIcon::kWarning);
        request.initialPath = answer.path;
    }
}

PictureStatus WriteAnimation(MainFrame& frame, const AnimationChoice& choice,
                             const AnimationTarget& target) {
    PictureRequest request;
    request.width = choice.width;
    request.height = choice.height;
    request.level = choice.level;
    request.transparent = choice.transparent;
    try {
        const std::unique_ptr<AnimationSink> sink = OpenAnimationFile(
            target.path, target.type,
            {choice.width, choice.height, PictureChannels(request), choice.motion.fps});
        if (!sink) {
            return PictureStatus::kCannotWrite;
        }
        std::unique_ptr<wxProgressDialog> progress = OpenCancellableProgress(
            &frame, texts::kAnimationProgressCaption, texts::kAnimationProgressMessage);
        const PictureProgress report = [&progress](int64_t done, int64_t total) {
            return progress->Update(static_cast<int>(done * 1000 / total));
        };
        PictureStatus status =
            RenderAnimation(frame.renderer(), request, choice.motion, *sink, report);
        progress.reset();
        if (status == PictureStatus::kOk && !sink->Finish()) {
            status = PictureStatus::kCannotWrite;
        }
        return status;
    } catch (const std::bad_alloc&) {
        return PictureStatus::kCannotWrite;
    }
}

}  // namespace

void ExportAnimationCommand(MainFrame& frame) {
    if (frame.view() == nullptr) {
        return;
    }
    // The frames show no highlight box, as pictures do not.
    frame.ClearSelection();
    AnimationChoice choice;
    const wxSize view = frame.view()->GetClientSize() * frame.view()->GetContentScaleFactor();
    choice.width = view.x;
    choice.height = view.y;
    choice.level = frame.settings().antialias == 1 ? frame.settings().antialiasLevel : 1;
    AnimationTarget target;
    if (!AskAnimation(&frame, frame.scene(), choice) ||
        !ChooseAnimationFile(frame, choice.transparent, target)) {
        return;
    }
    // The view shows itself again where the dialogs were, before its paints are held.
    frame.view()->Refresh(false);
    if (wxEventLoopBase* loop = wxEventLoopBase::GetActive()) {
        loop->YieldFor(wxEVT_CATEGORY_UI);
    }
    PictureStatus status = PictureStatus::kNoFramebuffer;
    frame.RunInViewContext([&] { status = WriteAnimation(frame, choice, target); });
    switch (status) {
        case PictureStatus::kOk:
        case PictureStatus::kCancelled:
            return;
        case PictureStatus::kNoFramebuffer:
            frame.messages().ShowMessage(texts::kSizedNoFramebuffer, texts::kTitlePrefix,
                                         MessageOwner::kMainWindow);
            return;
        case PictureStatus::kCannotWrite:
            break;
    }
    frame.messages().ShowMessage(std::string(texts::kAnimationWriteFailed) + "\n" + target.path,
                                 texts::kTitlePrefix, MessageOwner::kMainWindow);
}
