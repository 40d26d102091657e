#include "document/edit_restore.h"

#include <string>
#include <utility>

#include "document/object_texture.h"
#include "scene/cp932.h"

namespace {

// A texture's load messages followed by the file they are about.
class NamingFileSink : public MessageSink {
  public:
    NamingFileSink(MessageSink& messages, std::string path)
        : messages_(messages), path_(std::move(path)) {}
    void ShowMessage(std::string_view text, std::string_view caption, MessageOwner owner) override {
        messages_.ShowMessage(std::string(text) + "\n" + path_, caption, owner);
    }

  private:
    MessageSink& messages_;
    std::string path_;
};

// False when the slot's texture file could not be loaded and its path was dropped.
bool RebuildSlot(TextObject& object, std::string_view sceneFile, const SlotRework& rework,
                 GlyphLayout& glyphs, TexturePictures& pictures, MessageSink& messages) {
    if (rework.glyphs) {
        if (object.text[0] != '\0') {
            glyphs.Relayout(object, messages);
        } else {
            object.ClearGlyphs();
            object.textBottom = object.textWidth = object.textHeight = 0.0f;
        }
    }
    if (rework.texture) {
        if (object.TextureFile().empty()) {
            if (object.hasTexture) {
                DeleteObjectTexture(object, messages);
            }
        } else {
            // Path and texture come back together or not at all: a path the view does not
            // show would be saved silently.
            NamingFileSink naming(messages,
                                  Cp932ToUtf8(object.TextureFile()).value_or(std::string()));
            LoadObjectTextureFromPath(object, sceneFile, pictures, naming);
            if (!object.hasTexture) {
                object.SetTextureFile("");
                return false;
            }
        }
    }
    return true;
}

}  // namespace

RestoredEdit RestoreEdit(Scene& scene, GlyphLayout& glyphs, TexturePictures& pictures,
                         const EditHistory::Move& move, MessageSink& messages) {
    if (move.edit == nullptr) {
        return {};
    }
    const EditRework rework = WriteEditSide(scene, *move.edit, move.side, move.flags);
    for (const SlotRework& slot : rework.slots) {
        TextObject& object = scene.objects[slot.slot];
        object.SetIndex(slot.slot);
        if (!RebuildSlot(object, scene.FilePath(), slot, glyphs, pictures, messages)) {
            // The scene is no longer the one the step recorded.
            scene.modified = 1;
        }
    }
    return {rework.wide.background || rework.wide.perspective};
}
