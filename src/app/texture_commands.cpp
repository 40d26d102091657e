#include "app/texture_commands.h"

#include <optional>
#include <string>

#include "app/command_context.h"
#include "document/object_texture.h"
#include "resources/texts.h"
#include "scene/cp932.h"

namespace {

// The path as the object stores it, CP932 within its field; nullopt after a message when it
// does not fit.
std::optional<std::string> StorableTexturePath(CommandContext& context,
                                               const std::string& utf8Path) {
    std::optional<std::string> cp932 = Utf8ToCp932Exactly(utf8Path);
    if (!cp932 || cp932->empty() || cp932->size() > sizeof(TextObject::textureFile) - 1) {
        context.prompts().ShowMessage(context.window(),
                                      std::string(texts::kPathNotStorable) + "\n" + utf8Path,
                                      texts::kTitlePrefix, MessageButtons::kOk);
        return std::nullopt;
    }
    return cp932;
}

}  // namespace

void ChooseObjectTexture(CommandContext& context, TextObject& object) {
    FileRequest request;
    request.save = false;
    request.title = texts::kTextureDialogTitle;
    request.wildcard = std::string(texts::kBitmapFilter) + "|*.bmp";
    request.filterIndex = 0;
    request.initialPath = context.document().fileNames.texture;
    const FileAnswer answer = context.prompts().ChooseFile(context.window(), request);
    if (!answer.ok) {
        return;
    }
    context.document().fileNames.texture = answer.path;
    const std::optional<std::string> path = StorableTexturePath(context, answer.path);
    if (!path) {
        return;
    }
    LoadObjectTexture(object, *path, context.pictures(), context.messages());
}

void RemoveObjectTexture(CommandContext& context, TextObject& object) {
    DeleteObjectTexture(object, context.messages());
}

void LoadTextureCommand(CommandContext& context) {
    if (TextObject* object = context.scene().CurrentObject()) {
        ChooseObjectTexture(context, *object);
    }
    context.InvalidateView();
}

void DeleteTextureCommand(CommandContext& context) {
    if (TextObject* object = context.scene().CurrentObject()) {
        RemoveObjectTexture(context, *object);
    }
    context.InvalidateView();
}
