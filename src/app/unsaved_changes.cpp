#include "app/unsaved_changes.h"

#include "app/main_frame.h"
#include "app/scene_commands.h"
#include "resources/texts.h"

bool RunCloseProcedure(MainFrame& frame) {
    if (IsSceneModified(frame.scene()) == 0) {
        return true;
    }
    switch (frame.prompts().ShowMessage(&frame, texts::kUnsavedOnClose, texts::kTitlePrefix,
                                        MessageButtons::kYesNoCancel)) {
        case MessageAnswer::kYes:
            return SaveSceneAs(frame);
        case MessageAnswer::kNo:
            return true;
        default:
            return false;
    }
}

void NewScene(MainFrame& frame) {
    Scene& scene = frame.scene();
    if (IsSceneModified(scene) == 1) {
        const MessageAnswer answer = frame.prompts().ShowMessage(
            &frame, texts::kUnsavedOnClear, texts::kTitlePrefix, MessageButtons::kYesNoCancel);
        if (answer == MessageAnswer::kCancel ||
            (answer == MessageAnswer::kYes && !SaveSceneAs(frame))) {
            frame.InvalidateView();
            return;
        }
    }
    ClearScene(scene);
    frame.history.Clear();
    scene.SetFilePath("");
    ResetSceneSettings(scene);
    scene.modified = 0;
    frame.SetTitle(wxString::FromUTF8(ComposeTitle(texts::kNewSceneSuffix)));
    frame.InvalidateView();
}
