#include "app/unsaved_changes.h"

#include "app/command_context.h"
#include "app/scene_commands.h"
#include "resources/texts.h"

bool RunCloseProcedure(CommandContext& context) {
    if (IsSceneModified(context.scene()) == 0) {
        return true;
    }
    switch (context.prompts().ShowMessage(context.window(), texts::kUnsavedOnClose,
                                          texts::kTitlePrefix, MessageButtons::kYesNoCancel)) {
        case MessageAnswer::kYes:
            return SaveSceneAs(context);
        case MessageAnswer::kNo:
            return true;
        default:
            return false;
    }
}

void NewScene(CommandContext& context) {
    Scene& scene = context.scene();
    if (IsSceneModified(scene) == 1) {
        const MessageAnswer answer =
            context.prompts().ShowMessage(context.window(), texts::kUnsavedOnClear,
                                          texts::kTitlePrefix, MessageButtons::kYesNoCancel);
        if (answer == MessageAnswer::kCancel ||
            (answer == MessageAnswer::kYes && !SaveSceneAs(context))) {
            context.InvalidateView();
            return;
        }
    }
    ClearScene(scene);
    context.document().history.Clear();
    scene.SetFilePath("");
    ResetSceneSettings(scene);
    scene.modified = 0;
    context.shell().ShowCaption(texts::kNewSceneSuffix);
    context.InvalidateView();
}
