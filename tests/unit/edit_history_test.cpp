// The undo history without a display: what makes a step, what a step leaves to rebuild, how far
// back it reaches, and what the unsaved-changes state is at each position.
#include "scene/edit_history.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// A recorded step that moves slot 0 to x, starting from the scene's flags.
SceneEdit MoveSlotZero(Scene& scene, float x) {
    const SceneState before = CaptureSceneState(scene);
    scene.objects[0].position[0] = x;
    scene.modified = 1;
    return DiffSceneStates(before, CaptureSceneState(scene)).value();
}

}  // namespace

TEST(EditHistory, OnlyDocumentChangesMakeStepsAndEachRebuildsOnlyWhatDiffers) {
    Scene scene;
    scene.view.perspective = std::nanf("");
    SceneState before = CaptureSceneState(scene);
    // Flags, the camera and the selection are no part of a step; a NaN read from a file is
    // unchanged.
    scene.modified = 1;
    scene.objects[3].touched = 1;
    scene.view.azimuth = 1.0f;
    scene.currentObject = 3;
    EXPECT_FALSE(DiffSceneStates(before, CaptureSceneState(scene)).has_value());

    // A deletion outranks whatever else changed in the same step.
    scene.objects[1].SetText("B");
    scene.objects[1].glyphCount = 1;
    before = CaptureSceneState(scene);
    scene.objects[0].position[1] = 2.0f;
    scene.objects[1].glyphCount = 0;
    scene.objects[1].SetText("");
    SceneEdit edit = DiffSceneStates(before, CaptureSceneState(scene)).value();
    EXPECT_EQ(edit.kind, EditKind::kDeleteObject);
    EXPECT_EQ(edit.slots.size(), 2u);

    // Position and material only: nothing to rebuild. Depth: the glyphs. Path: the texture.
    scene.objects[2].SetText("C");
    scene.objects[2].glyphCount = 1;
    before = CaptureSceneState(scene);
    scene.objects[2].position[0] = 1.0f;
    scene.objects[2].diffuse[0] = 0.5f;
    edit = DiffSceneStates(before, CaptureSceneState(scene)).value();
    EXPECT_EQ(edit.kind, EditKind::kColour);
    EditRework rework = WriteEditSide(scene, edit, EditSide::kBefore, edit.flagsBefore);
    ASSERT_EQ(rework.slots.size(), 1u);
    EXPECT_FALSE(rework.slots[0].glyphs || rework.slots[0].texture);
    EXPECT_EQ(scene.objects[2].position[0], 0.0f);
    EXPECT_EQ(scene.objects[2].diffuse[0], 1.0f);

    before = CaptureSceneState(scene);
    scene.objects[2].scale[2] = 0.5f;
    scene.objects[2].SetTextureFile("/tmp/a.bmp");
    scene.backgroundColor[0] = 0.0f;
    edit = DiffSceneStates(before, CaptureSceneState(scene)).value();
    rework = WriteEditSide(scene, edit, EditSide::kBefore, edit.flagsBefore);
    ASSERT_EQ(rework.slots.size(), 1u);
    EXPECT_TRUE(rework.slots[0].glyphs && rework.slots[0].texture);
    EXPECT_TRUE(rework.wide.background);
    EXPECT_FALSE(rework.wide.perspective);
    EXPECT_EQ(scene.objects[2].TextureFile(), "");
    EXPECT_EQ(scene.guideColor[0], 0.0f);

    // A bevel change is a step of its own: the glyphs are rebuilt with the bevel taken back.
    before = CaptureSceneState(scene);
    scene.objects[2].bevel.profile = BevelProfile::kRound;
    edit = DiffSceneStates(before, CaptureSceneState(scene)).value();
    EXPECT_EQ(edit.kind, EditKind::kBevel);
    rework = WriteEditSide(scene, edit, EditSide::kBefore, edit.flagsBefore);
    ASSERT_EQ(rework.slots.size(), 1u);
    EXPECT_TRUE(rework.slots[0].glyphs);
    EXPECT_FALSE(scene.objects[2].bevel.Active());
}

TEST(EditHistory, KeepsTheLatest200StepsAndANewStepDropsTheRedoableOnes) {
    Scene scene;
    EditHistory history;
    for (int i = 1; i <= 205; ++i) {
        history.Record(MoveSlotZero(scene, static_cast<float>(i)));
    }
    EXPECT_EQ(history.size(), EditHistory::kMaxSteps);
    int undone = 0;
    while (const SceneEdit* edit = history.Undo().edit) {
        WriteEditSide(scene, *edit, EditSide::kBefore, edit->flagsBefore);
        ++undone;
    }
    EXPECT_EQ(undone, 200);
    EXPECT_EQ(scene.objects[0].position[0], 5.0f);
    history.Redo();
    history.Record(MoveSlotZero(scene, -1.0f));
    EXPECT_EQ(history.size(), 2u);
    EXPECT_EQ(history.NextRedo(), nullptr);
}

TEST(EditHistory, UnsavedStateFollowsThePositionOfTheFile) {
    Scene scene;
    EditHistory history;
    // Moves as the program does and answers what the close question would see.
    auto modifiedAfter = [&scene](const EditHistory::Move& move) {
        WriteEditSide(scene, *move.edit, move.side, move.flags);
        return IsSceneModified(scene);
    };
    history.Clear();               // as after Open
    scene.objects[0].touched = 1;  // a pick before the edit
    history.Record(MoveSlotZero(scene, 1.0f));
    history.Record(MoveSlotZero(scene, 2.0f));

    // Back at the opened file nothing is unsaved, not even the pick.
    EXPECT_EQ(modifiedAfter(history.Undo()), 1);
    EXPECT_EQ(modifiedAfter(history.Undo()), 0);
    EXPECT_EQ(modifiedAfter(history.Redo()), 1);

    // Saved after the first step: both neighbours differ from the file, the saved point does not.
    history.MarkSaved();
    ChangeFlags{}.WriteTo(scene);
    EXPECT_EQ(modifiedAfter(history.Undo()), 1);
    EXPECT_EQ(modifiedAfter(history.Redo()), 0);
    EXPECT_EQ(modifiedAfter(history.Redo()), 1);

    // A new step after undoing past the save: the saved state is out of reach for good.
    modifiedAfter(history.Undo());
    modifiedAfter(history.Undo());
    history.Record(MoveSlotZero(scene, 3.0f));
    EXPECT_EQ(modifiedAfter(history.Undo()), 1);
    EXPECT_EQ(scene.objects[0].position[0], 0.0f);
}
