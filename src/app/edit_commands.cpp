#include "app/edit_commands.h"

#include <wx/menu.h>

#include <optional>
#include <string>

#include "app/command_context.h"
#include "dialogs/command_ids.h"
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
    }
    return std::string();
}

void Move(CommandContext& context, const std::optional<RestoredEdit>& restored) {
    if (!restored) {
        return;
    }
    if (restored->projectionChanged) {
        context.view().ResetProjectionAtNextPaint();
    }
    const TextObject* current = context.scene().CurrentObject();
    if (current != nullptr && !current->IsLive()) {
        context.ClearSelection();
    }
    context.InvalidateView();
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

void UndoCommand(CommandContext& context) {
    Move(context, context.document().Undo());
}

void RedoCommand(CommandContext& context) {
    Move(context, context.document().Redo());
}

void RefreshUndoMenu(wxMenuBar* bar, const EditHistory& history) {
    SetItem(bar, kCmdUndo, texts::kMenuUndo, texts::kMenuUndoStep, history.NextUndo());
    SetItem(bar, kCmdRedo, texts::kMenuRedo, texts::kMenuRedoStep, history.NextRedo());
}
