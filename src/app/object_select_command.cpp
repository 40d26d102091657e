#include "app/object_select_command.h"

#include "app/command_context.h"
#include "app/object_commands.h"
#include "app/property_commands.h"
#include "app/texture_commands.h"
#include "dialogs/object_select_dialog.h"
#include "resources/texts.h"

namespace {

void RunFollowUp(CommandContext& context, ObjectFollowUp followUp) {
    TextObject* object = context.scene().CurrentObject();
    if (object == nullptr) {
        return;
    }
    switch (followUp) {
        case ObjectFollowUp::kNone:
            break;
        case ObjectFollowUp::kEditText:
            EditObjectText(context);
            break;
        case ObjectFollowUp::kColour:
            OpenMaterialDialog(context);
            break;
        case ObjectFollowUp::kSize:
            OpenScaleDialog(context);
            break;
        case ObjectFollowUp::kRotation:
            OpenRotationDialog(context);
            break;
        case ObjectFollowUp::kPosition:
            OpenPositionDialog(context);
            break;
        case ObjectFollowUp::kLoadTexture:
            LoadTextureCommand(context);
            break;
        case ObjectFollowUp::kDeleteTexture:
            DeleteTextureCommand(context);
            break;
        case ObjectFollowUp::kFont:
            // Unlike the object menu, the picker opens on its own default choice, not on the font.
            ChooseObjectFont(context, *object, FontRequest{});
            break;
    }
}

}  // namespace

void SelectObject(CommandContext& context) {
    ObjectFollowUp followUp = ObjectFollowUp::kNone;
    {
        ObjectSelectDialog dialog(context);
        if (!dialog.HasObjects()) {
            context.prompts().ShowMessage(&dialog, texts::kNoObjects, texts::kTitlePrefix,
                                          MessageButtons::kOk);
            return;
        }
        dialog.ShowModal();
        followUp = dialog.followUp();
    }
    RunFollowUp(context, followUp);
}
