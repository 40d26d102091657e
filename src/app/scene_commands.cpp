#include "app/scene_commands.h"

#include <optional>
#include <string>

#include "app/edit_commands.h"
#include "app/file_choice.h"
#include "app/main_frame.h"
#include "document/object_texture.h"
#include "formats/scene_file.h"
#include "resources/texts.h"
#include "scene/cp932.h"

namespace {

constexpr char kSceneExtension[] = "vmk";

FileRequest SceneFileRequest(const MainFrame& frame, bool save) {
    FileRequest request;
    request.save = save;
    request.title = save ? texts::kSaveSceneTitle : texts::kOpenSceneTitle;
    request.wildcard = std::string(texts::kSceneFilter) + "|*.vmk";
    request.filterIndex = 0;
    request.extensions = {kSceneExtension};
    request.initialPath = save ? frame.fileNames.save : frame.fileNames.open;
    request.overwritePrompt = save;
    return request;
}

void ShowMessage(MainFrame& frame, const std::string& text, const std::string& caption) {
    frame.prompts().ShowMessage(&frame, text, caption, MessageButtons::kOk);
}

// The chosen path as the scene stores it: CP932 in a 256-byte field. nullopt (after a message)
// when it cannot be stored whole.
std::optional<std::string> StorablePath(MainFrame& frame, const std::string& utf8Path) {
    std::optional<std::string> cp932 = Utf8ToCp932Exactly(utf8Path);
    if (!cp932 || cp932->size() > sizeof(Scene::filePath) - 1 || cp932->empty()) {
        ShowMessage(frame, std::string(texts::kPathNotStorable) + "\n" + utf8Path,
                    texts::kTitlePrefix);
        return std::nullopt;
    }
    return cp932;
}

bool WriteScene(MainFrame& frame, const std::string& utf8Path) {
    if (WriteSceneFile(utf8Path, frame.scene()) == SceneFileStatus::kOk) {
        return true;
    }
    ShowMessage(frame, std::string(texts::kSceneSaveFailed) + "\n" + utf8Path, texts::kTitlePrefix);
    return false;
}

void MarkSaved(MainFrame& frame) {
    Scene& scene = frame.scene();
    frame.history.MarkSaved();
    for (TextObject& object : scene.objects) {
        if (object.glyphCount != 0) {
            object.touched = 0;
        }
    }
    scene.modified = 0;
}

void ShowFileInCaption(MainFrame& frame) {
    const std::string path = Cp932ToUtf8(frame.scene().FilePath()).value_or(std::string());
    frame.SetTitle(wxString::FromUTF8(ComposeTitle("[" + path + "]")));
}

enum class SaveResult { kWritten, kNoFile, kFailed };

SaveResult SaveScene(MainFrame& frame) {
    const std::string_view path = frame.scene().FilePath();
    if (path.size() <= 2) {
        return SaveResult::kNoFile;
    }
    const std::optional<std::string> utf8 = Cp932ToUtf8(path);
    if (!utf8) {
        return SaveResult::kNoFile;
    }
    return WriteScene(frame, *utf8) ? SaveResult::kWritten : SaveResult::kFailed;
}

// Reads the file into the scene; false (the scene untouched) when refused.
bool ReadSceneInto(MainFrame& frame, const std::string& path) {
    const std::optional<std::string> cp932 = StorablePath(frame, path);
    if (!cp932) {
        return false;
    }
    SceneFileNotes notes;
    switch (ReadSceneFile(path, frame.scene(), &notes)) {
        case SceneFileStatus::kOk:
            frame.scene().SetFilePath(*cp932);
            if (notes.extensionDamaged) {
                ShowMessage(frame, std::string(texts::kSceneExtensionDamaged) + "\n" + path,
                            texts::kTitlePrefix);
            }
            return true;
        case SceneFileStatus::kNotSceneFile:
            ShowMessage(frame, texts::kNotSceneFile, "");
            return false;
        case SceneFileStatus::kCannotOpen:
        case SceneFileStatus::kCannotWrite:
            break;
    }
    ShowMessage(frame, std::string(texts::kSceneOpenFailed) + "\n" + path, texts::kTitlePrefix);
    return false;
}

// Offers to save unsaved edits; false when the user cancelled.
bool MayReplaceScene(MainFrame& frame) {
    if (IsSceneModified(frame.scene()) != 1) {
        return true;
    }
    const MessageAnswer answer = frame.prompts().ShowMessage(
        &frame, texts::kUnsavedOnClear, texts::kTitlePrefix, MessageButtons::kYesNoCancel);
    if (answer == MessageAnswer::kCancel) {
        return false;
    }
    if (answer == MessageAnswer::kYes) {
        SaveSceneAs(frame);
    }
    return true;
}

}  // namespace

bool SaveSceneAs(MainFrame& frame) {
    const FileAnswer answer =
        ChooseSaveFile(frame.prompts(), &frame, SceneFileRequest(frame, true));
    if (!answer.ok) {
        return false;
    }
    frame.fileNames.save = answer.path;
    const std::optional<std::string> cp932 = StorablePath(frame, answer.path);
    if (!cp932 || !WriteScene(frame, answer.path)) {
        return false;
    }
    frame.scene().SetFilePath(*cp932);
    MarkSaved(frame);
    ShowFileInCaption(frame);
    return true;
}

void SaveSceneAsCommand(MainFrame& frame) {
    SaveSceneAs(frame);
    frame.InvalidateView();
}

void SaveSceneCommand(MainFrame& frame) {
    switch (SaveScene(frame)) {
        case SaveResult::kWritten:
            MarkSaved(frame);
            break;
        case SaveResult::kNoFile:
            SaveSceneAs(frame);
            break;
        case SaveResult::kFailed:
            break;
    }
    frame.InvalidateView();
}

void OpenSceneCommand(MainFrame& frame) {
    if (!MayReplaceScene(frame)) {
        return;
    }
    const FileAnswer answer = frame.prompts().ChooseFile(&frame, SceneFileRequest(frame, false));
    if (answer.ok) {
        frame.fileNames.open = answer.path;
        OpenSceneFile(frame, OpenedFileName(answer.path, kSceneExtension));
    }
    frame.InvalidateView();
}

void OpenDroppedSceneFile(MainFrame& frame, const std::string& path) {
    if (MayReplaceScene(frame)) {
        OpenSceneFile(frame, path);
    }
    frame.InvalidateView();
}

bool OpenSceneFile(MainFrame& frame, const std::string& path) {
    if (!ReadSceneInto(frame, path)) {
        return false;
    }
    Scene& scene = frame.scene();
    // Dropped files arrive outside the commands, so the menu is brought up to date here too.
    frame.history.Clear();
    RefreshUndoMenu(frame);
    RefreshSlots(frame);
    for (int i = 0; i < 3; ++i) {
        scene.guideColor[i] = 1.0f - scene.backgroundColor[i];
    }
    scene.modified = 0;
    frame.ResetProjectionAtNextPaint();
    ShowFileInCaption(frame);
    frame.InvalidateView();
    return true;
}

void RefreshSlots(MainFrame& frame) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        TextObject& object = frame.scene().objects[slot];
        object.SetIndex(slot);
        frame.glyphs().Relayout(object, frame.messages());
        LoadObjectTextureFromPath(object, frame.scene().FilePath(), frame.pictures(),
                                  frame.messages());
    }
}
