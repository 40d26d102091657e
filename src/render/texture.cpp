#include "render/texture.h"

#include <GL/gl.h>

#include "formats/bmp_reader.h"
#include "formats/texture_path.h"
#include "resources/texts.h"
#include "scene/cp932.h"

namespace {

void DeleteTextureName(TextObject& object) {
    const GLuint name = object.texture;
    glDeleteTextures(1, &name);
    object.texture = 0;
}

// The object's stored CP932 path as the file system names it; a path that cannot be converted
// names no file.
std::string FileSystemPath(std::string_view cp932Path) {
    return Cp932ToUtf8(cp932Path).value_or(std::string());
}

void LoadIntoObject(TextObject& object, const std::string& path, MessageSink& messages) {
    object.texture = LoadBmpTexture(path, kBmpRgb, messages);
    if (object.texture != 0) {
        glBindTexture(GL_TEXTURE_2D, object.texture);
        ApplyTextureParameters();
    }
}

}  // namespace

uint32_t LoadBmpTexture(const std::string& path, int alpha, MessageSink& messages) {
    const BmpResult result = ReadBmpFile(path, alpha);
    if (result.status != BmpStatus::kOk) {
        messages.ShowMessage(BmpFailureMessage(result), texts::kBmpCaption, MessageOwner::kNone);
        return 0;
    }
    const BmpImage& image = result.image;
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    // The texel rows are packed.
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, image.width, image.height, 0,
                 image.channels == 3 ? GL_RGB : GL_RGBA, GL_UNSIGNED_BYTE, image.texels.data());
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    return name;
}

void ApplyTextureParameters() {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
}

bool LoadObjectTexture(TextObject& object, std::string_view cp932Path, MessageSink& messages) {
    if (object.texture != 0) {
        DeleteObjectTexture(object, messages);
    }
    LoadIntoObject(object, FileSystemPath(cp932Path), messages);
    if (object.texture == 0) {
        return false;
    }
    object.SetTextureFile(cp932Path);
    return true;
}

void DeleteObjectTexture(TextObject& object, MessageSink& messages) {
    if (object.texture == 0) {
        messages.ShowMessage(texts::kNoTextureLoaded, "", MessageOwner::kNone);
        return;
    }
    object.SetTextureFile("");
    DeleteTextureName(object);
}

void ReloadObjectTexture(TextObject& object, MessageSink& messages) {
    if (object.texture == 0) {
        return;
    }
    DeleteTextureName(object);
    LoadIntoObject(object, FileSystemPath(object.TextureFile()), messages);
}

void LoadObjectTextureFromPath(TextObject& object, std::string_view cp932SceneFile,
                               MessageSink& messages) {
    if (object.TextureFile().size() < 3) {
        return;
    }
    if (object.texture != 0) {
        DeleteTextureName(object);
    }
    LoadIntoObject(object, TextureFileSystemPath(object.TextureFile(), cp932SceneFile), messages);
}
