#include "scene/edit_history.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

// Bitwise, so a NaN read from a file equals itself and an untouched value never makes a step.
template <std::size_t N>
bool Same(const float (&a)[N], const float (&b)[N]) {
    return std::memcmp(a, b, sizeof(a)) == 0;
}

bool Same(float a, float b) {
    return std::memcmp(&a, &b, sizeof(a)) == 0;
}

template <std::size_t N>
void Copy(float (&dst)[N], const float (&src)[N]) {
    std::copy(src, src + N, dst);
}

bool SameGlyphSource(const SlotState& a, const SlotState& b) {
    return a.live == b.live && a.text == b.text && a.faceName == b.faceName &&
           a.italic == b.italic && a.charSet == b.charSet && Same(a.scale[2], b.scale[2]) &&
           a.bevel == b.bevel && a.typography == b.typography;
}

bool SameMaterial(const SlotState& a, const SlotState& b) {
    return Same(a.diffuse, b.diffuse) && Same(a.specular, b.specular) &&
           Same(a.ambient, b.ambient) && Same(a.shininess, b.shininess);
}

bool SameLight(const LightSettings& a, const LightSettings& b) {
    return Same(a.position, b.position) && a.visible == b.visible;
}

bool SameShadow(const ShadowSettings& a, const ShadowSettings& b) {
    return a.enabled == b.enabled && Same(a.plane, b.plane) && Same(a.color, b.color);
}

EditKind SlotKind(const SlotState& before, const SlotState& after) {
    if (!before.live && after.live) {
        return EditKind::kNewObject;
    }
    if (before.live && !after.live) {
        return EditKind::kDeleteObject;
    }
    if (before.text != after.text) {
        return EditKind::kText;
    }
    if (before.faceName != after.faceName || before.italic != after.italic ||
        before.charSet != after.charSet) {
        return EditKind::kFont;
    }
    if (before.textureFile != after.textureFile) {
        return after.textureFile.empty() ? EditKind::kDeleteTexture : EditKind::kLoadTexture;
    }
    if (!SameMaterial(before, after)) {
        return EditKind::kColour;
    }
    if (!Same(before.position, after.position)) {
        return EditKind::kPosition;
    }
    if (!Same(before.scale, after.scale)) {
        return EditKind::kSize;
    }
    if (before.bevel != after.bevel) {
        return EditKind::kBevel;
    }
    if (before.surface != after.surface) {
        return EditKind::kSurface;
    }
    if (before.typography != after.typography) {
        return EditKind::kTypography;
    }
    return EditKind::kRotation;
}

EditKind WideKind(const SceneWideState& before, const SceneWideState& after) {
    if (!SameLight(before.light, after.light)) {
        return EditKind::kLight;
    }
    if (!SameShadow(before.shadow, after.shadow)) {
        return EditKind::kShadow;
    }
    if (!Same(before.target, after.target)) {
        return EditKind::kTarget;
    }
    if (before.studio.look != after.studio.look) {
        return EditKind::kLook;
    }
    if (before.studio != after.studio) {
        return EditKind::kStudio;
    }
    return Same(before.background, after.background) ? EditKind::kPerspective
                                                     : EditKind::kBackground;
}

void WriteSlot(TextObject& object, const SlotState& state) {
    object.SetText(state.text);
    object.SetFont(state.faceName, state.italic, state.charSet);
    Copy(object.position, state.position);
    Copy(object.rotation, state.rotation);
    Copy(object.scale, state.scale);
    Copy(object.diffuse, state.diffuse);
    Copy(object.specular, state.specular);
    Copy(object.ambient, state.ambient);
    object.shininess = state.shininess;
    object.SetTextureFile(state.textureFile);
    object.bevel = state.bevel;
    object.surface = state.surface;
    object.typography = state.typography;
}

}  // namespace

SlotState SlotState::Of(const TextObject& object) {
    SlotState state;
    state.text = std::string(object.Text());
    state.faceName = std::string(object.FaceName());
    state.italic = object.italic;
    state.charSet = object.charSet;
    state.live = object.IsLive();
    Copy(state.position, object.position);
    Copy(state.rotation, object.rotation);
    Copy(state.scale, object.scale);
    Copy(state.diffuse, object.diffuse);
    Copy(state.specular, object.specular);
    Copy(state.ambient, object.ambient);
    state.shininess = object.shininess;
    state.textureFile = std::string(object.TextureFile());
    state.bevel = object.bevel;
    state.surface = object.surface;
    state.typography = object.typography;
    return state;
}

bool SlotState::operator==(const SlotState& other) const {
    return SameGlyphSource(*this, other) && SameMaterial(*this, other) &&
           Same(position, other.position) && Same(rotation, other.rotation) &&
           Same(scale, other.scale) && textureFile == other.textureFile && surface == other.surface;
}

SceneWideState SceneWideState::Of(const Scene& scene) {
    SceneWideState state;
    state.light = scene.light;
    state.shadow = scene.shadow;
    Copy(state.target, scene.view.target);
    Copy(state.background, scene.backgroundColor);
    state.perspective = scene.view.perspective;
    state.studio = scene.studio;
    return state;
}

bool SceneWideState::operator==(const SceneWideState& other) const {
    return SameLight(light, other.light) && SameShadow(shadow, other.shadow) &&
           Same(target, other.target) && Same(background, other.background) &&
           Same(perspective, other.perspective) && studio == other.studio;
}

ChangeFlags ChangeFlags::Of(const Scene& scene) {
    ChangeFlags flags;
    flags.modified = scene.modified;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (scene.objects[slot].touched != 0) {
            flags.touched |= 1u << slot;
        }
    }
    return flags;
}

void ChangeFlags::WriteTo(Scene& scene) const {
    scene.modified = modified;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        scene.objects[slot].touched = (touched >> slot) & 1u ? 1 : 0;
    }
}

SceneState CaptureSceneState(const Scene& scene) {
    SceneState state;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        state.slots[static_cast<std::size_t>(slot)] = SlotState::Of(scene.objects[slot]);
    }
    state.wide = SceneWideState::Of(scene);
    state.flags = ChangeFlags::Of(scene);
    return state;
}

std::optional<SceneEdit> DiffSceneStates(const SceneState& before, const SceneState& after) {
    SceneEdit edit;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const auto i = static_cast<std::size_t>(slot);
        if (before.slots[i] != after.slots[i]) {
            edit.slots.push_back({slot, before.slots[i], after.slots[i]});
        }
    }
    const bool wideChanged = before.wide != after.wide;
    if (edit.slots.empty() && !wideChanged) {
        return std::nullopt;
    }
    edit.kind = edit.slots.empty() ? WideKind(before.wide, after.wide)
                                   : SlotKind(edit.slots[0].before, edit.slots[0].after);
    for (const SlotEdit& slot : edit.slots) {
        // A deletion in the same step outranks whatever else changed.
        const EditKind kind = SlotKind(slot.before, slot.after);
        if (kind == EditKind::kNewObject || kind == EditKind::kDeleteObject) {
            edit.kind = kind;
            break;
        }
    }
    edit.wideBefore = before.wide;
    edit.wideAfter = after.wide;
    edit.flagsBefore = before.flags;
    edit.flagsAfter = after.flags;
    return edit;
}

EditRework WriteEditSide(Scene& scene, const SceneEdit& edit, EditSide side,
                         const ChangeFlags& flags) {
    EditRework rework;
    for (const SlotEdit& slotEdit : edit.slots) {
        const SlotState& target = side == EditSide::kBefore ? slotEdit.before : slotEdit.after;
        TextObject& object = scene.objects[slotEdit.slot];
        const SlotState current = SlotState::Of(object);
        rework.slots.push_back({slotEdit.slot, !SameGlyphSource(current, target),
                                current.textureFile != target.textureFile});
        WriteSlot(object, target);
    }
    const SceneWideState& wide = side == EditSide::kBefore ? edit.wideBefore : edit.wideAfter;
    rework.wide.background = !Same(scene.backgroundColor, wide.background);
    rework.wide.perspective = !Same(scene.view.perspective, wide.perspective);
    rework.wide.shadowColour = !Same(scene.shadow.color, wide.shadow.color);
    scene.light = wide.light;
    scene.shadow = wide.shadow;
    Copy(scene.view.target, wide.target);
    Copy(scene.backgroundColor, wide.background);
    scene.view.perspective = wide.perspective;
    scene.studio = wide.studio;
    if (rework.wide.background) {
        for (int i = 0; i < 3; ++i) {
            scene.guideColor[i] = 1.0f - scene.backgroundColor[i];
        }
    }
    flags.WriteTo(scene);
    return rework;
}

void EditHistory::Record(SceneEdit edit) {
    steps_.erase(steps_.begin() + static_cast<long>(position_), steps_.end());
    if (savedPosition_ > static_cast<long>(position_)) {
        savedPosition_ = -1;
    }
    steps_.push_back(std::move(edit));
    ++position_;
    if (steps_.size() > kMaxSteps) {
        steps_.pop_front();
        --position_;
        savedPosition_ = savedPosition_ > 0 ? savedPosition_ - 1 : -1;
    }
}

EditHistory::Move EditHistory::Undo() {
    if (position_ == 0) {
        return {};
    }
    --position_;
    const SceneEdit& edit = steps_[position_];
    return {&edit, EditSide::kBefore, FlagsAt(position_, edit.flagsBefore)};
}

EditHistory::Move EditHistory::Redo() {
    if (position_ == steps_.size()) {
        return {};
    }
    const SceneEdit& edit = steps_[position_];
    ++position_;
    return {&edit, EditSide::kAfter, FlagsAt(position_, edit.flagsAfter)};
}

const SceneEdit* EditHistory::NextUndo() const {
    return position_ == 0 ? nullptr : &steps_[position_ - 1];
}

const SceneEdit* EditHistory::NextRedo() const {
    return position_ == steps_.size() ? nullptr : &steps_[position_];
}

void EditHistory::MarkSaved() {
    // Every other position now differs from the file, whatever its flags said when recorded.
    for (SceneEdit& edit : steps_) {
        edit.flagsBefore.modified = 1;
        edit.flagsAfter.modified = 1;
    }
    savedPosition_ = static_cast<long>(position_);
}

void EditHistory::Clear() {
    steps_.clear();
    position_ = 0;
    savedPosition_ = 0;
    ++clears_;
}

ChangeFlags EditHistory::FlagsAt(std::size_t position, const ChangeFlags& recorded) const {
    // Back where the scene matches its file, nothing is unsaved, not even an object picked since.
    return static_cast<long>(position) == savedPosition_ ? ChangeFlags{} : recorded;
}
