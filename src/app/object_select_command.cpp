#include "app/object_select_command.h"

#include "app/main_frame.h"
#include "app/object_commands.h"
#include "app/property_commands.h"
#include "app/texture_commands.h"
#include "dialogs/object_select_dialog.h"
#include "render/glyph_builder.h"
#include "resources/texts.h"
#include "scene/cp932.h"

namespace {

TextObject* CurrentObject(Scene& scene) {
    if (scene.currentObject < 0 || scene.currentObject >= kSlotCount) {
        return nullptr;
    }
    return &scene.objects[scene.currentObject];
}

// Unlike the object menu's font command, the picker opens on its own default choice, not on
// the object's font.
void ChangeFontUnpreset(MainFrame& frame, TextObject& object) {
    const FontAnswer answer = frame.prompts().ChooseFont(&frame, FontRequest{});
    if (!answer.ok) {
        return;
    }
    const std::optional<std::string> face = Utf8ToCp932(answer.faceName);
    if (!face || face->size() >= sizeof(object.faceName)) {
        frame.prompts().ShowMessage(&frame, texts::kFontNameNotStorable, texts::kTitlePrefix,
                                    MessageButtons::kOk);
        return;
    }
    frame.EnsureViewReady();
    ApplyFontWithFallback(object, *face, answer.italic, static_cast<uint8_t>(answer.charSet),
                          frame.messages());
    frame.InvalidateView();
}

void RunFollowUp(MainFrame& frame, ObjectFollowUp followUp) {
    TextObject* object = CurrentObject(frame.scene());
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
            ChangeFontUnpreset(frame, *object);
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
