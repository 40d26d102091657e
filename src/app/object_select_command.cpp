#include "app/object_select_command.h"

#include "app/main_frame.h"
#include "app/object_commands.h"
#include "app/property_commands.h"
#include "app/texture_commands.h"
#include "dialogs/object_select_dialog.h"
#include "resources/texts.h"

namespace {

void RunFollowUp(MainFrame& frame, ObjectFollowUp followUp) {
    TextObject* object = frame.scene().CurrentObject();
    if (object == nullptr) {
        return;
    }
    switch (followUp) {
        case ObjectFollowUp::kNone:
            break;
        case ObjectFollowUp::kEditText:
            EditObjectText(frame);
            break;
        case ObjectFollowUp::kColour:
            OpenMaterialDialog(frame);
            break;
        case ObjectFollowUp::kSize:
            OpenScaleDialog(frame);
            break;
        case ObjectFollowUp::kRotation:
            OpenRotationDialog(frame);
            break;
        case ObjectFollowUp::kPosition:
            OpenPositionDialog(frame);
            break;
        case ObjectFollowUp::kLoadTexture:
            LoadTextureCommand(frame);
            break;
        case ObjectFollowUp::kDeleteTexture:
            DeleteTextureCommand(frame);
            break;
        case ObjectFollowUp::kFont:
            // Unlike the object menu, the picker opens on its own default choice, not on the font.
            ChooseObjectFont(frame, *object, FontRequest{});
            break;
    }
}

}  // namespace

void SelectObject(MainFrame& frame) {
    ObjectFollowUp followUp = ObjectFollowUp::kNone;
    {
        ObjectSelectDialog dialog(frame);
        if (!dialog.HasObjects()) {
            frame.prompts().ShowMessage(&dialog, texts::kNoObjects, texts::kTitlePrefix,
                                        MessageButtons::kOk);
            return;
        }
        dialog.ShowModal();
        followUp = dialog.followUp();
    }
    RunFollowUp(frame, followUp);
}
