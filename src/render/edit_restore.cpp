#include "render/edit_restore.h"

#include <GL/gl.h>

#include <string>
#include <utility>

#include "render/glyph_builder.h"
#include "render/projection.h"
#include "render/texture.h"
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
                 GlyphBuilder& glyphs, MessageSink& messages) {
    if (rework.glyphs) {
        if (object.text[0] != '\0') {
            glyphs.RebuildGlyphLists(object, messages);
        } else {
            object.FreeGlyphLists();
            object.textBottom = object.textWidth = object.textHeight = 0.0f;
        }
    }
    if (rework.texture) {
        if (object.TextureFile().empty()) {
            if (object.texture != 0) {
                DeleteObjectTexture(object, messages);
            }
        } else {
            // Path and texture come back together or not at all: a path the view does not
            // show would be saved silently.
            NamingFileSink naming(messages,
                                  Cp932ToUtf8(object.TextureFile()).value_or(std::string()));
            LoadObjectTextureFromPath(object, sceneFile, naming);
            if (object.texture == 0) {
                object.SetTextureFile("");
                return false;
            }
        }
    }
    return true;
}

}  // namespace

void RestoreEdit(Scene& scene, GlyphBuilder& glyphs, const EditHistory::Move& move,
                 MessageSink& messages) {
    if (move.edit == nullptr) {
        return;
    }
    const EditRework rework = WriteEditSide(scene, *move.edit, move.side, move.flags);
    for (const SlotRework& slot : rework.slots) {
        TextObject& object = scene.objects[slot.slot];
        object.SetIndex(slot.slot);
        if (!RebuildSlot(object, scene.FilePath(), slot, glyphs, messages)) {
            // The scene is no longer the one the step recorded.
            scene.modified = 1;
        }
    }
    if (rework.wide.background) {
        const float* background = scene.backgroundColor;
        glClearColor(background[0], background[1], background[2], 1.0f);
    }
    if (rework.wide.background || rework.wide.perspective) {
        ResetProjection(1, scene.backgroundColor, scene.view.perspective);
    }
}
