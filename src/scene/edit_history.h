#pragma once
// Undo and redo of document edits. A step keeps the values an edit changed, never GL names, so
// the history needs no display and its memory stays bounded: at most kMaxSteps steps, each
// holding only the slots it changed, before and after (at most about 1.5 KiB a slot).

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "scene/scene.h"

// What a slot holds of the document; its glyph lists and texture are built from these values.
struct SlotState {
    std::string text;
    std::string faceName;
    int32_t italic = 0;
    uint8_t charSet = 0;
    bool live = false;
    float position[3] = {};
    float rotation[3] = {};
    float scale[3] = {};
    float diffuse[4] = {};
    float specular[4] = {};
    float ambient[4] = {};
    float shininess = 0.0f;
    std::string textureFile;
    BevelSettings bevel;
    SurfaceSettings surface;
    TypographySettings typography;

    static SlotState Of(const TextObject& object);
    bool operator==(const SlotState& other) const;
    bool operator!=(const SlotState& other) const { return !(*this == other); }
};

// The scene-wide values an edit can change. The camera's angles and distance are the user's
// view of the document, not part of it.
struct SceneWideState {
    LightSettings light;
    ShadowSettings shadow;
    float target[3] = {};
    float background[3] = {};
    float perspective = 1.0f;
    StudioSettings studio;

    static SceneWideState Of(const Scene& scene);
    bool operator==(const SceneWideState& other) const;
    bool operator!=(const SceneWideState& other) const { return !(*this == other); }
};

// The unsaved-changes state: the scene's flag and one touched bit per slot.
struct ChangeFlags {
    int32_t modified = 0;
    uint32_t touched = 0;

    static ChangeFlags Of(const Scene& scene);
    void WriteTo(Scene& scene) const;
};

struct SceneState {
    std::array<SlotState, kSlotCount> slots;
    SceneWideState wide;
    ChangeFlags flags;
};

SceneState CaptureSceneState(const Scene& scene);

// What a step did, for the menu's caption; the first that applies, in this order.
enum class EditKind {
    kNewObject,
    kDeleteObject,
    kText,
    kFont,
    kLoadTexture,
    kDeleteTexture,
    kColour,
    kPosition,
    kSize,
    kRotation,
    kBevel,
    kSurface,
    kTypography,
    kLight,
    kShadow,
    kTarget,
    kBackground,
    kPerspective,
    kLook,
    kStudio,
};

struct SlotEdit {
    int slot = 0;
    SlotState before;
    SlotState after;
};

struct SceneEdit {
    EditKind kind = EditKind::kText;
    std::vector<SlotEdit> slots;
    SceneWideState wideBefore;
    SceneWideState wideAfter;
    ChangeFlags flagsBefore;
    ChangeFlags flagsAfter;
};

// nullopt when nothing of the document differs; the change flags alone make no step.
std::optional<SceneEdit> DiffSceneStates(const SceneState& before, const SceneState& after);

enum class EditSide { kBefore, kAfter };

// What must be built again once one side of an edit has been written into a slot.
struct SlotRework {
    int slot = 0;
    bool glyphs = false;   // text, font or depth changed, or the slot came alive or went free
    bool texture = false;  // the texture path changed
};

// What changed scene-wide, for the GL state that follows these values.
struct WideRework {
    bool background = false;
    bool perspective = false;
    bool shadowColour = false;
};

struct EditRework {
    std::vector<SlotRework> slots;
    WideRework wide;
};

// Writes one side of the edit into the scene, with the given change flags, and says what the
// values leave to rebuild. Glyph lists, metrics and textures are not touched here.
EditRework WriteEditSide(Scene& scene, const SceneEdit& edit, EditSide side,
                         const ChangeFlags& flags);

class EditHistory {
  public:
    static constexpr std::size_t kMaxSteps = 200;

    // The step to bring the scene to, the side to write and the change flags to give it.
    struct Move {
        const SceneEdit* edit = nullptr;
        EditSide side = EditSide::kBefore;
        ChangeFlags flags;
    };

    // A new step drops every step that could have been redone; the oldest goes beyond kMaxSteps.
    void Record(SceneEdit edit);
    // Both leave the history as it was and return no edit when there is nothing to move over.
    Move Undo();
    Move Redo();
    const SceneEdit* NextUndo() const;
    const SceneEdit* NextRedo() const;
    std::size_t size() const { return steps_.size(); }

    // The scene as it is now matches its file: after a save. Moving away from here leaves the
    // scene modified, moving back makes it unmodified again.
    void MarkSaved();
    // New, Open: no steps, and the scene as it is now matches its file (or the empty scene).
    void Clear();
    // How often the history was cleared: a step must not span another document.
    std::size_t clearCount() const { return clears_; }

  private:
    ChangeFlags FlagsAt(std::size_t position, const ChangeFlags& recorded) const;

    std::deque<SceneEdit> steps_;
    std::size_t position_ = 0;
    // Where the scene matches its file; -1 once that state can no longer be reached.
    long savedPosition_ = 0;
    std::size_t clears_ = 0;
};
