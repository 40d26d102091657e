#include "document/object_texture.h"

#include "formats/texture_path.h"
#include "resources/texts.h"
#include "scene/cp932.h"

namespace {

// A path that cannot be converted names no file.
std::string FileSystemPath(std::string_view cp932Path) {
    return Cp932ToUtf8(cp932Path).value_or(std::string());
}

// The picture is kept under the path as the object stores it, which is how the views ask for it.
void LoadIntoObject(TextObject& object, std::string_view cp932Path, const std::string& path,
                    TexturePictures& pictures, MessageSink& messages) {
    object.hasTexture = pictures.Load(std::string(cp932Path), path, messages) != nullptr;
}

}  // namespace

bool LoadObjectTexture(TextObject& object, std::string_view cp932Path, TexturePictures& pictures,
                       MessageSink& messages) {
    if (object.hasTexture) {
        DeleteObjectTexture(object, messages);
    }
    LoadIntoObject(object, cp932Path, FileSystemPath(cp932Path), pictures, messages);
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

void LoadObjectTextureFromPath(TextObject& object, std::string_view cp932SceneFile,
                               TexturePictures& pictures, MessageSink& messages) {
    if (object.TextureFile().size() < 3) {
        return;
    }
    object.hasTexture = false;
    LoadIntoObject(object, object.TextureFile(),
                   TextureFileSystemPath(object.TextureFile(), cp932SceneFile), pictures, messages);
}
