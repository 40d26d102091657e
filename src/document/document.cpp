#include "document/document.h"

#include "document/object_texture.h"

void Document::RunAsOneStep(const std::function<void()>& command) {
    if (recordingStep_) {
        command();
        return;
    }
    recordingStep_ = true;
    const SceneState before = CaptureSceneState(scene);
    const std::size_t clears = history.clearCount();
    command();
    recordingStep_ = false;
    if (history.clearCount() != clears) {
        return;
    }
    if (std::optional<SceneEdit> edit = DiffSceneStates(before, CaptureSceneState(scene))) {
        history.Record(std::move(*edit));
    }
}

std::optional<RestoredEdit> Document::Undo() {
    return Move(history.Undo());
}

std::optional<RestoredEdit> Document::Redo() {
    return Move(history.Redo());
}

std::optional<RestoredEdit> Document::Move(const EditHistory::Move& move) {
    if (move.edit == nullptr) {
        return std::nullopt;
    }
    return RestoreEdit(scene, glyphs, pictures, move, messages);
}

void Document::MarkSaved() {
    history.MarkSaved();
    for (TextObject& object : scene.objects) {
        if (object.glyphCount != 0) {
            object.touched = 0;
        }
    }
    scene.modified = 0;
}

void Document::RefreshSlots() {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        TextObject& object = scene.objects[slot];
        object.SetIndex(slot);
        glyphs.Relayout(object, messages);
        LoadObjectTextureFromPath(object, scene.FilePath(), pictures, messages);
    }
}
