#pragma once
// Texture commands on a text object: the picture is read here, where its messages belong, and
// kept in the document's pictures; the views draw it from there.

#include <string_view>

#include "formats/texture_pictures.h"
#include "scene/message_sink.h"
#include "scene/text_object.h"

// The part of the load-texture command after its file dialog: drops the object's old texture,
// loads the file (a CP932 path) and remembers the path. False when nothing was loaded.
bool LoadObjectTexture(TextObject& object, std::string_view cp932Path, TexturePictures& pictures,
                       MessageSink& messages);
// Removes the object's texture, or says that there is none.
void DeleteObjectTexture(TextObject& object, MessageSink& messages);
// After a scene file was read or an edit undone: loads TextObject::textureFile when it names a
// file, a relative path beside cp932SceneFile first (the scene's own path, may be empty).
void LoadObjectTextureFromPath(TextObject& object, std::string_view cp932SceneFile,
                               TexturePictures& pictures, MessageSink& messages);
