#include "app/scene_commands.h"

#include <optional>
#include <string>

#include "app/command_context.h"
#include "app/file_choice.h"
#include "formats/scene_file.h"
#include "resources/texts.h"
#include "scene/cp932.h"

namespace {

constexpr char kSceneExtension[] = "vmk";

FileRequest SceneFileRequest(CommandContext& context, bool save) {
    FileRequest request;
    request.save = save;
    request.title = save ? texts::kSaveSceneTitle : texts::kOpenSceneTitle;
    request.wildcard = std::string(texts::kSceneFilter) + "|*.vmk";
    request.filterIndex = 0;
    request.extensions = {kSceneExtension};
    request.initialPath =
        save ? context.document().fileNames.save : context.document().fileNames.open;
    request.overwritePrompt = save;
    return request;
}

void ShowMessage(CommandContext& context, const std::string& text, const std::string& caption) {
    context.prompts().ShowMessage(context.window(), text, caption, MessageButtons::kOk);
}

// The chosen path as the scene stores it: CP932 in a 256-byte field. nullopt (after a message)
// when it cannot be stored whole.
std::optional<std::string> StorablePath(CommandContext& context, const std::string& utf8Path) {
    std::optional<std::string> cp932 = Utf8ToCp932Exactly(utf8Path);
    if (!cp932 || cp932->size() > sizeof(Scene::filePath) - 1 || cp932->empty()) {
        ShowMessage(context, std::string(texts::kPathNotStorable) + "\n" + utf8Path,
                    texts::kTitlePrefix);
        return std::nullopt;
    }
    return cp932;
}

bool WriteScene(CommandContext& context, const std::string& utf8Path) {
    if (WriteSceneFile(utf8Path, context.scene()) == SceneFileStatus::kOk) {
        return true;
    }
    ShowMessage(context, std::string(texts::kSceneSaveFailed) + "\n" + utf8Path,
                texts::kTitlePrefix);
    return false;
}

void ShowFileInCaption(CommandContext& context) {
    const std::string path = Cp932ToUtf8(context.scene().FilePath()).value_or(std::string());
    context.shell().ShowCaption("[" + path + "]");
}

enum class SaveResult { kWritten, kNoFile, kFailed };

SaveResult SaveScene(CommandContext& context) {
    const std::string_view path = context.scene().FilePath();
    if (path.size() <= 2) {
        return SaveResult::kNoFile;
    }
    const std::optional<std::string> utf8 = Cp932ToUtf8(path);
    if (!utf8) {
        return SaveResult::kNoFile;
    }
    return WriteScene(context, *utf8) ? SaveResult::kWritten : SaveResult::kFailed;
}

// Reads the file into the scene; false (the scene untouched) when refused.
bool ReadSceneInto(CommandContext& context, const std::string& path) {
    const std::optional<std::string> cp932 = StorablePath(context, path);
    if (!cp932) {
        return false;
    }
    SceneFileNotes notes;
    switch (ReadSceneFile(path, context.scene(), &notes)) {
        case SceneFileStatus::kOk:
            context.scene().SetFilePath(*cp932);
            if (notes.extensionDamaged) {
                ShowMessage(context, std::string(texts::kSceneExtensionDamaged) + "\n" + path,
                            texts::kTitlePrefix);
            }
            return true;
        case SceneFileStatus::kNotSceneFile:
            ShowMessage(context, texts::kNotSceneFile, "");
            return false;
        case SceneFileStatus::kCannotOpen:
        case SceneFileStatus::kCannotWrite:
            break;
    }
    ShowMessage(context, std::string(texts::kSceneOpenFailed) + "\n" + path, texts::kTitlePrefix);
    return false;
}

// Offers to save unsaved edits; false when the user cancelled.
bool MayReplaceScene(CommandContext& context) {
    if (IsSceneModified(context.scene()) != 1) {
        return true;
    }
    const MessageAnswer answer =
        context.prompts().ShowMessage(context.window(), texts::kUnsavedOnClear, texts::kTitlePrefix,
                                      MessageButtons::kYesNoCancel);
    if (answer == MessageAnswer::kCancel) {
        return false;
    }
    if (answer == MessageAnswer::kYes) {
        SaveSceneAs(context);
    }
    return true;
}

}  // namespace

bool SaveSceneAs(CommandContext& context) {
    const FileAnswer answer =
        ChooseSaveFile(context.prompts(), context.window(), SceneFileRequest(context, true));
    if (!answer.ok) {
        return false;
    }
    context.document().fileNames.save = answer.path;
    const std::optional<std::string> cp932 = StorablePath(context, answer.path);
    if (!cp932 || !WriteScene(context, answer.path)) {
        return false;
    }
    context.scene().SetFilePath(*cp932);
    context.document().MarkSaved();
    ShowFileInCaption(context);
    return true;
}

void SaveSceneAsCommand(CommandContext& context) {
    SaveSceneAs(context);
    context.InvalidateView();
}

void SaveSceneCommand(CommandContext& context) {
    switch (SaveScene(context)) {
        case SaveResult::kWritten:
            context.document().MarkSaved();
            break;
        case SaveResult::kNoFile:
            SaveSceneAs(context);
            break;
        case SaveResult::kFailed:
            break;
    }
    context.InvalidateView();
}

void OpenSceneCommand(CommandContext& context) {
    if (!MayReplaceScene(context)) {
        return;
    }
    const FileAnswer answer =
        context.prompts().ChooseFile(context.window(), SceneFileRequest(context, false));
    if (answer.ok) {
        context.document().fileNames.open = answer.path;
        OpenSceneFile(context, OpenedFileName(answer.path, kSceneExtension));
    }
    context.InvalidateView();
}

void OpenDroppedSceneFile(CommandContext& context, const std::string& path) {
    if (MayReplaceScene(context)) {
        OpenSceneFile(context, path);
    }
    context.InvalidateView();
}

bool OpenSceneFile(CommandContext& context, const std::string& path) {
    if (!ReadSceneInto(context, path)) {
        return false;
    }
    Scene& scene = context.scene();
    // Dropped files arrive outside the commands, so the menu is brought up to date here too.
    context.document().history.Clear();
    context.shell().RefreshUndoMenu();
    context.document().RefreshSlots();
    for (int i = 0; i < 3; ++i) {
        scene.guideColor[i] = 1.0f - scene.backgroundColor[i];
    }
    scene.modified = 0;
    context.view().ResetProjectionAtNextPaint();
    ShowFileInCaption(context);
    context.InvalidateView();
    return true;
}
