#include "document/edit_restore.h"

#include "document/object_texture.h"

namespace {

void RebuildSlot(TextObject& object, const SlotRework& rework, GlyphLayout& glyphs,
                 TexturePictures& pictures, MessageSink& messages) {
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
            // A file gone since is reported as any load reports it; the path stays for a save.
            LoadObjectTextureFromPath(object, pictures, messages);
        }
    }
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
        RebuildSlot(object, slot, glyphs, pictures, messages);
    }
    return {rework.wide.background || rework.wide.perspective};
}
