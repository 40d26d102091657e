#include "render/edit_restore.h"

#include <GL/gl.h>

#include "render/glyph_builder.h"
#include "render/projection.h"
#include "render/texture.h"

namespace {

void RebuildSlot(TextObject& object, std::string_view sceneFile, const SlotRework& rework,
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
            // A file gone since is reported as any load reports it; the path stays for a save.
            LoadObjectTextureFromPath(object, sceneFile, messages);
        }
    }
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
        RebuildSlot(object, scene.FilePath(), slot, glyphs, messages);
    }
    if (rework.wide.background) {
        const float* background = scene.backgroundColor;
        glClearColor(background[0], background[1], background[2], 1.0f);
    }
    if (rework.wide.background || rework.wide.perspective) {
        ResetProjection(1, scene.backgroundColor, scene.view.perspective);
    }
}
