#include "app/texture_commands.h"

#include <optional>
#include <string>

#include "app/main_frame.h"
#include "document/object_texture.h"
#include "resources/texts.h"
#include "scene/cp932.h"

namespace {

// The path as the object stores it, CP932 within its field; nullopt after a message when it
// does not fit.
std::optional<std::string> StorableTexturePath(MainFrame& frame, const std::string& utf8Path) {
    std::optional<std::string> cp932 = Utf8ToCp932Exactly(utf8Path);
    if (!cp932 || cp932->empty() || cp932->size() > sizeof(TextObject::textureFile) - 1) {
        frame.prompts().ShowMessage(&frame, std::string(texts::kPathNotStorable) + "\n" + utf8Path,
                                    texts::kTitlePrefix, MessageButtons::kOk);
        return std::nullopt;
    }
    return cp932;
}

}  // namespace

void ChooseObjectTexture(MainFrame& frame, TextObject& object) {
    FileRequest request;
    request.save = false;
    request.title = texts::kTextureDialogTitle;
    request.wildcard = std::string(texts::kBitmapFilter) + "|*.bmp";
    request.filterIndex = 0;
    request.initialPath = frame.fileNames.texture;
    const FileAnswer answer = frame.prompts().ChooseFile(&frame, request);
    if (!answer.ok) {
        return;
    }
    frame.fileNames.texture = answer.path;
    const std::optional<std::string> path = StorableTexturePath(frame, answer.path);
    if (!path) {
        return;
    }
    LoadObjectTexture(object, *path, frame.pictures(), frame.messages());
}

void RemoveObjectTexture(MainFrame& frame, TextObject& object) {
    DeleteObjectTexture(object, frame.messages());
}

void LoadTextureCommand(MainFrame& frame) {
    if (TextObject* object = frame.scene().CurrentObject()) {
        ChooseObjectTexture(frame, *object);
    }
    frame.InvalidateView();
}

void DeleteTextureCommand(MainFrame& frame) {
    if (TextObject* object = frame.scene().CurrentObject()) {
        RemoveObjectTexture(frame, *object);
    }
    frame.InvalidateView();
}
