#include "app/animation_export_command.h"

#include <wx/evtloop.h>

#include <memory>
#include <new>
#include <vector>

#include "app/command_context.h"
#include "app/file_choice.h"
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
bool ChooseAnimationFile(CommandContext& context, bool transparent, AnimationTarget& target) {
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
        const FileAnswer answer = ChooseSaveFile(context.prompts(), context.window(), request);
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
        context.prompts().ShowMessage(context.window(), refusal, texts::kTitlePrefix,
                                      MessageButtons::kOk, MessageIcon::kWarning);
        request.initialPath = answer.path;
    }
}

PictureStatus WriteAnimation(CommandContext& context, const AnimationChoice& choice,
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
            context.window(), texts::kAnimationProgressCaption, texts::kAnimationProgressMessage);
        const PictureProgress report = [&progress](int64_t done, int64_t total) {
            return progress->Update(static_cast<int>(done * 1000 / total));
        };
        PictureStatus status =
            RenderAnimation(context.view().renderer(), request, choice.motion, *sink, report);
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

void ExportAnimationCommand(CommandContext& context) {
    if (context.view().canvas() == nullptr) {
        return;
    }
    // The frames show no highlight box, as pictures do not.
    context.ClearSelection();
    AnimationChoice choice;
    const wxSize view =
        context.view().canvas()->GetClientSize() * context.view().canvas()->GetContentScaleFactor();
    choice.width = view.x;
    choice.height = view.y;
    choice.level =
        context.document().settings.antialias == 1 ? context.document().settings.antialiasLevel : 1;
    AnimationTarget target;
    if (!AskAnimation(context.window(), context.scene(), choice) ||
        !ChooseAnimationFile(context, choice.transparent, target)) {
        return;
    }
    // The view shows itself again where the dialogs were, before its paints are held.
    context.view().canvas()->Refresh(false);
    if (wxEventLoopBase* loop = wxEventLoopBase::GetActive()) {
        loop->YieldFor(wxEVT_CATEGORY_UI);
    }
    PictureStatus status = PictureStatus::kNoFramebuffer;
    context.view().RunInViewContext([&] { status = WriteAnimation(context, choice, target); });
    switch (status) {
        case PictureStatus::kOk:
        case PictureStatus::kCancelled:
            return;
        case PictureStatus::kNoFramebuffer:
            context.messages().ShowMessage(texts::kSizedNoFramebuffer, texts::kTitlePrefix,
                                           MessageOwner::kMainWindow);
            return;
        case PictureStatus::kCannotWrite:
            break;
    }
    context.messages().ShowMessage(std::string(texts::kAnimationWriteFailed) + "\n" + target.path,
                                   texts::kTitlePrefix, MessageOwner::kMainWindow);
}
