#include "app/object_commands.h"

#include "app/command_context.h"
#include "dialogs/text_entry_dialog.h"
#include "resources/texts.h"
#include "scene/cp932.h"
#include "text/glyph_layout.h"

void NewObject(CommandContext& context) {
    Scene& scene = context.scene();
    // Even a cancelled or impossible new object counts as an edit.
    scene.modified = 1;
    context.ClearSelection();
    const int slot = scene.FirstFreeSlot();
    if (slot < 0) {
        context.prompts().ShowMessage(context.window(), texts::kObjectsFull, texts::kTitlePrefix,
                                      MessageButtons::kOk);
        return;
    }
    scene.currentObject = slot;
    TextEntryDialog dialog(context);
    dialog.ShowModal();
}

void EditObjectText(CommandContext& context) {
    if (context.scene().CurrentObject() == nullptr) {
        return;
    }
    TextEntryDialog dialog(context);
    dialog.ShowModal();
}

void DeleteCurrentObject(CommandContext& context) {
    TextObject* object = context.scene().CurrentObject();
    if (object == nullptr) {
        return;
    }
    const MessageAnswer answer =
        context.prompts().ShowMessage(context.window(), DeleteObjectQuestion(*object),
                                      texts::kDeleteObjectCaption, MessageButtons::kYesNo);
    if (answer != MessageAnswer::kYes) {
        return;
    }
    context.DisableObjectButtons();
    object->ResetObject();
    context.InvalidateView();
}

void ChangeObjectFont(CommandContext& context) {
    TextObject* object = context.scene().CurrentObject();
    if (object == nullptr) {
        return;
    }
    context.ui().fontScratch.faceName = Cp932ToUtf8(object->FaceName()).value_or("");
    context.ui().fontScratch.italic = object->italic;
    context.ui().fontScratch.charSet = object->charSet;
    ChooseObjectFont(context, *object, context.ui().fontScratch);
}

void ChooseObjectFont(CommandContext& context, TextObject& object, const FontRequest& request) {
    const FontAnswer answer = context.prompts().ChooseFont(context.window(), request);
    if (!answer.ok) {
        return;
    }
    const std::optional<std::string> face = Utf8ToCp932(answer.faceName);
    if (!face || face->size() >= sizeof(object.faceName)) {
        context.prompts().ShowMessage(context.window(), texts::kFontNameNotStorable,
                                      texts::kTitlePrefix, MessageButtons::kOk);
        return;
    }
    context.glyphs().ApplyFontWithFallback(
        object, *face, answer.italic, static_cast<uint8_t>(answer.charSet), context.messages());
    context.InvalidateView();
}
