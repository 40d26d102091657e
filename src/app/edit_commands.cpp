#include "app/edit_commands.h"

#include <wx/menu.h>

#include <string>

#include "app/main_frame.h"
#include "dialogs/command_ids.h"
#include "document/edit_restore.h"
#include "resources/texts.h"

namespace {

std::string EditKindName(EditKind kind) {
    switch (kind) {
        case EditKind::kNewObject:
            return texts::kStepNewObject;
        case EditKind::kDeleteObject:
            return texts::kStepDeleteObject;
        case EditKind::kText:
            return texts::kStepText;
        case EditKind::kFont:
            return texts::kStepFont;
        case EditKind::kLoadTexture:
            return texts::kStepLoadTexture;
        case EditKind::kDeleteTexture:
            return texts::kStepDeleteTexture;
        case EditKind::kColour:
            return texts::kStepColour;
        case EditKind::kPosition:
            return texts::kStepPosition;
        case EditKind::kSize:
            return texts::kStepSize;
        case EditKind::kRotation:
            return texts::kStepRotation;
        case EditKind::kBevel:
            return texts::kStepBevel;
        case EditKind::kSurface:
            return texts::kStepSurface;
        case EditKind::kLight:
            return texts::kStepLight;
        case EditKind::kShadow:
            return texts::kStepShadow;
        case EditKind::kTarget:
            return texts::kStepTarget;
        case EditKind::kBackground:
            return texts::kStepBackground;
        case EditKind::kPerspective:
            return texts::kStepPerspective;
        case EditKind::kLook:
            return texts::kStepLook;
        case EditKind::kStudio:
            return texts::kStepStudio;
    }
    return std::string();
}

void Move(MainFrame& frame, const EditHistory::Move& move) {
    if (move.edit == nullptr) {
        return;
    }
    if (RestoreEdit(frame.scene(), frame.glyphs(), frame.pictures(), move, frame.messages())
            .projectionChanged) {
        frame.ResetProjectionAtNextPaint();
    }
    const TextObject* current = frame.scene().CurrentObject();
    if (current != nullptr && !current->IsLive()) {
        frame.ClearSelection();
    }
    frame.InvalidateView();
}

void SetItem(wxMenuBar* bar, int command, const char* plain, const char* named,
             const SceneEdit* step) {
    wxMenuItem* item = bar ? bar->FindItem(ToWxId(command)) : nullptr;
    if (item == nullptr) {
        return;
    }
    std::string caption = plain;
    if (step != nullptr) {
        caption = named;
        caption.replace(caption.find("%s"), 2, EditKindName(step->kind));
    }
    item->SetItemLabel(wxString::FromUTF8(caption));
    item->Enable(step != nullptr);
}

}  // namespace

bool IsEditCommand(int commandId) {
    switch (commandId) {
        case kCmdNewObject:
        case kCmdEditText:
        case kCmdLoadTexture:
        case kCmdColour:
        case kCmdPosition:
        case kCmdSize:
        case kCmdRotation:
        case kCmdBevel:
        case kCmdDeleteObject:
        case kCmdFont:
        case kCmdDeleteTexture:
        case kCmdShadow:
        case kCmdSelectObject:
        case kCmdLight:
        case kCmdTarget:
        case kCmdPreferences:
            return true;
        default:
            return false;
    }
}

void RunAsOneStep(MainFrame& frame, const std::function<void()>& command) {
    if (frame.recordingStep) {
        command();
        return;
    }
    frame.recordingStep = true;
    const SceneState before = CaptureSceneState(frame.scene());
    const std::size_t clears = frame.history.clearCount();
    command();
    frame.recordingStep = false;
    // A scene opened or cleared meanwhile is another document: undo must not lead back.
    if (frame.history.clearCount() != clears) {
        return;
    }
    if (std::optional<SceneEdit> edit = DiffSceneStates(before, CaptureSceneState(frame.scene()))) {
        frame.history.Record(std::move(*edit));
    }
}

void UndoCommand(MainFrame& frame) {
    Move(frame, frame.history.Undo());
}

void RedoCommand(MainFrame& frame) {
    Move(frame, frame.history.Redo());
}

void RefreshUndoMenu(MainFrame& frame) {
    wxMenuBar* bar = frame.GetMenuBar();
    SetItem(bar, kCmdUndo, texts::kMenuUndo, texts::kMenuUndoStep, frame.history.NextUndo());
    SetItem(bar, kCmdRedo, texts::kMenuRedo, texts::kMenuRedoStep, frame.history.NextRedo());
}
