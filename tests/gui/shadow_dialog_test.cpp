// The shadow dialog: the enable box, the plane coefficients and the colour.
#include "dialogs/shadow_dialog.h"

#include <gtest/gtest.h>

#include "gui/property_dialog_driver.h"
#include "resources/texts.h"
#include "support/scripted_prompts.h"

namespace {

constexpr int kA = 40025, kB = 40026, kD = 40028;

struct ShadowDialogTest : testing::Test {
    Scene scene;
    Renderer renderer{scene};
    ScriptedPrompts prompts;
    ViewInvalidations view;
};

TEST_F(ShadowDialogTest, NewSceneOpensUncheckedOnTheGroundPlane) {
    ShadowDialog dialog(nullptr, scene, renderer, prompts, view.callback());
    EXPECT_EQ(dialog.GetTitle().utf8_string(), texts::kShadowCaption);
    EXPECT_FALSE(IsChecked(&dialog, kDrawShadowCheckId));
    EXPECT_EQ(EditText(&dialog, 1022), "0");
    EXPECT_EQ(EditText(&dialog, 1024), "10");
    EXPECT_EQ(EditText(&dialog, 1025), "0");
    EXPECT_EQ(EditText(&dialog, 1026), "0");
    EXPECT_EQ(LabelOf(&dialog, wxID_OK), texts::kPropertyClose);
    EXPECT_EQ(LabelOf(&dialog, kDrawShadowCheckId), texts::kDrawShadow);
    EXPECT_EQ(LabelOf(&dialog, ToWxId(kShadowColourCommand)), texts::kShadowColour);
}

TEST_F(ShadowDialogTest, OpeningAndClosingChangesNothing) {
    {
        ShadowDialog dialog(nullptr, scene, renderer, prompts, view.callback());
        ClickButton(&dialog, wxID_OK);
    }
    EXPECT_EQ(scene.modified, 0);
    EXPECT_EQ(scene.shadow.enabled, 0);
    EXPECT_EQ(scene.shadow.plane[1], 1.0f);
    EXPECT_EQ(view.count, 0);
}

TEST_F(ShadowDialogTest, TickingDrawsTheShadowAndMarksTheScene) {
    ShadowDialog dialog(nullptr, scene, renderer, prompts, view.callback());
    ClickCheckBox(&dialog, kDrawShadowCheckId);
    EXPECT_EQ(scene.shadow.enabled, 1);
    EXPECT_TRUE(IsChecked(&dialog, kDrawShadowCheckId));
    EXPECT_EQ(scene.modified, 1);
    EXPECT_EQ(IsSceneModified(scene), 1);
    EXPECT_EQ(view.count, 1);
    ClickCheckBox(&dialog, kDrawShadowCheckId);
    EXPECT_EQ(scene.shadow.enabled, 0);
    EXPECT_FALSE(IsChecked(&dialog, kDrawShadowCheckId));
}

TEST_F(ShadowDialogTest, ArrowsMoveThePlaneAndMarkTheScene) {
    ShadowDialog dialog(nullptr, scene, renderer, prompts, view.callback());
    PressArrow(&dialog, kB, -1);
    EXPECT_EQ(scene.shadow.plane[1], 0.9f);
    EXPECT_EQ(scene.modified, 1);
    PressArrow(&dialog, kD, +1);
    EXPECT_EQ(scene.shadow.plane[3], 0.1f);
    EXPECT_EQ(EditText(&dialog, 1026), "1");
    EXPECT_EQ(view.count, 2);

    scene.shadow.plane[0] = 40.0f;
    dialog.field(0).SetText("400");
    PressArrow(&dialog, kA, +1);
    EXPECT_EQ(EditText(&dialog, 1022), "400");
    EXPECT_EQ(scene.shadow.plane[0], 40.0f);
}

TEST_F(ShadowDialogTest, PickedColourIsStoredAndHandedToTheRenderer) {
    scene.shadow.color[3] = 0.5f;
    prompts.colourAnswers.push_back({0, 0, 255});
    ShadowDialog dialog(nullptr, scene, renderer, prompts, view.callback());
    ClickButton(&dialog, ToWxId(kShadowColourCommand));
    EXPECT_EQ(prompts.colourRequests, 1);
    EXPECT_EQ(scene.shadow.color[0], 0.0f);
    EXPECT_EQ(scene.shadow.color[1], 0.0f);
    EXPECT_EQ(scene.shadow.color[2], 1.0f);
    EXPECT_EQ(scene.shadow.color[3], 0.5f);
    EXPECT_EQ(renderer.shadowDrawColor()[2], 1.0f);
    EXPECT_EQ(renderer.shadowDrawColor()[0], 0.0f);
    EXPECT_EQ(scene.modified, 1);
    EXPECT_EQ(view.count, 1);
}

TEST_F(ShadowDialogTest, CancelledPickerMarksTheSceneButKeepsTheColour) {
    scene.shadow.color[0] = 0.2f;
    ShadowDialog dialog(nullptr, scene, renderer, prompts, view.callback());
    ClickButton(&dialog, ToWxId(kShadowColourCommand));
    EXPECT_EQ(prompts.colourRequests, 1);
    EXPECT_EQ(scene.shadow.color[0], 0.2f);
    EXPECT_EQ(renderer.shadowDrawColor()[0], 0.0f);
    EXPECT_EQ(scene.modified, 1);
    EXPECT_EQ(view.count, 0);
}

}  // namespace
