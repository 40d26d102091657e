#pragma once
// BMP textures on text objects: one GL texture object per load, wrapped over the glyphs by
// object-linear texture-coordinate generation. Needs the rendering context current.

#include <cstdint>
#include <string>
#include <string_view>

#include "scene/message_sink.h"
#include "scene/text_object.h"

// The name of one new texture, bound to GL_TEXTURE_2D, or 0 after a message (caption
// "BMP to RGB"). path is a file-system path; alpha as for DecodeBmp.
uint32_t LoadBmpTexture(const std::string& path, int alpha, MessageSink& messages);

// Linear filters, object-linear s and t, modulate; for the texture bound now.
void ApplyTextureParameters();

// The part of the load-texture command after its file dialog: drops the object's old texture,
// loads the file (a CP932 path) and remembers the path. False when nothing was loaded.
bool LoadObjectTexture(TextObject& object, std::string_view cp932Path, MessageSink& messages);
// Removes the object's texture, or says that there is none.
void DeleteObjectTexture(TextObject& object, MessageSink& messages);
// After a context re-creation: the same file again, under a new name.
void ReloadObjectTexture(TextObject& object, MessageSink& messages);
// After a scene file was read: loads TextObject::textureFile when it names a file, a relative
// path beside cp932SceneFile first (the scene's own path, may be empty).
void LoadObjectTextureFromPath(TextObject& object, std::string_view cp932SceneFile,
                               MessageSink& messages);
