#include "app/object_commands.h"

#include "app/main_frame.h"
#include "dialogs/text_entry_dialog.h"
#include "resources/texts.h"
#include "scene/cp932.h"
#include "text/glyph_layout.h"

void NewObject(MainFrame& frame) {
    Scene& scene = frame.scene();
    // Even a cancelled or impossible new object counts as an edit.
    scene.modified = 1;
    frame.ClearSelection();
    const int slot = scene.FirstFreeSlot();
    if (slot < 0) {
        frame.prompts().ShowMessage(&frame, texts::kObjectsFull, texts::kTitlePrefix,
                                    MessageButtons::kOk);
        return;
    }
    scene.currentObject = slot;
    TextEntryDialog dialog(frame);
    dialog.ShowModal();
}

void EditObjectText(MainFrame& frame) {
    if (frame.scene().CurrentObject() == nullptr) {
        return;
    }
    TextEntryDialog dialog(frame);
    dialog.ShowModal();
}

void DeleteCurrentObject(MainFrame& frame) {
    TextObject* object = frame.scene().CurrentObject();
    if (object == nullptr) {
        return;
    }
    const MessageAnswer answer = frame.prompts().ShowMessage(
        &frame, DeleteObjectQuestion(*object), texts::kDeleteObjectCaption, MessageButtons::kYesNo);
    if (answer != MessageAnswer::kYes) {
        return;
    }
    frame.DisableObjectButtons();
    object->ResetObject();
    frame.InvalidateView();
}

void ChangeObjectFont(MainFrame& frame) {
    TextObject* object = frame.scene().CurrentObject();
    if (object == nullptr) {
        return;
    }
    frame.fontScratch.faceName = Cp932ToUtf8(object->FaceName()).value_or("");
    frame.fontScratch.italic = object->italic;
    frame.fontScratch.charSet = object->charSet;
    ChooseObjectFont(frame, *object, frame.fontScratch);
}

void ChooseObjectFont(MainFrame& frame, TextObject& object, const FontRequest& request) {
    const FontAnswer answer = frame.prompts().ChooseFont(&frame, request);
    if (!answer.ok) {
        return;
    }
    const std::optional<std::string> face = Utf8ToCp932(answer.faceName);
    if (!face || face->size() >= sizeof(object.faceName)) {
        frame.prompts().ShowMessage(&frame, texts::kFontNameNotStorable, texts::kTitlePrefix,
                                    MessageButtons::kOk);
        return;
    }
    frame.glyphs().ApplyFontWithFallback(object, *face, answer.italic,
                                         static_cast<uint8_t>(answer.charSet), frame.messages());
    frame.InvalidateView();
}
