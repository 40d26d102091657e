#include "document/object_texture.h"

#include "resources/texts.h"
#include "scene/cp932.h"

namespace {

// A path that cannot be converted names no file.
std::string FileSystemPath(std::string_view cp932Path) {
    return Cp932ToUtf8(cp932Path).value_or(std::string());
}

void LoadIntoObject(TextObject& object, std::string_view cp932Path, TexturePictures& pictures,
                    MessageSink& messages) {
    object.hasTexture = pictures.Load(FileSystemPath(cp932Path), messages) != nullptr;
}

}  // namespace

std::string TextureFileSystemPath(const TextObject& object) {
    return FileSystemPath(object.TextureFile());
}

bool LoadObjectTexture(TextObject& object, std::string_view cp932Path, TexturePictures& pictures,
                       MessageSink& messages) {
    if (object.hasTexture) {
        DeleteObjectTexture(object, messages);
    }
    LoadIntoObject(object, cp932Path, pictures, messages);
    if (!object.hasTexture) {
        return false;
    }
    object.SetTextureFile(cp932Path);
    return true;
}

void DeleteObjectTexture(TextObject& object, MessageSink& messages) {
    if (!object.hasTexture) {
        messages.ShowMessage(texts::kNoTextureLoaded, "", MessageOwner::kNone);
        return;
    }
    object.SetTextureFile("");
    object.hasTexture = false;
}

void LoadObjectTextureFromPath(TextObject& object, TexturePictures& pictures,
                               MessageSink& messages) {
    if (object.TextureFile().size() < 3) {
        return;
    }
    object.hasTexture = false;
    LoadIntoObject(object, object.TextureFile(), pictures, messages);
}
