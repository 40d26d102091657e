// The shadow dialog: the enable box, the plane coefficients and the colour.
#include "dialogs/shadow_dialog.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "gui/property_dialog_driver.h"
#include "render/projection.h"
#include "render/renderer.h"
#include "resources/texts.h"
#include "support/gl_window.h"
#include "support/scripted_prompts.h"
#include "support/test_geometry.h"

namespace {

constexpr int kA = 40025, kB = 40026, kD = 40028;

struct ShadowDialogTest : testing::Test {
    Scene scene;
    ScriptedPrompts prompts;
    ViewInvalidations view;
};

TEST_F(ShadowDialogTest, NewSceneOpensUncheckedOnTheGroundPlane) {
    ShadowDialog dialog(nullptr, scene, prompts, view.callback());
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
        ShadowDialog dialog(nullptr, scene, prompts, view.callback());
        ClickButton(&dialog, wxID_OK);
    }
    EXPECT_EQ(scene.modified, 0);
    EXPECT_EQ(scene.shadow.enabled, 0);
    EXPECT_EQ(scene.shadow.plane[1], 1.0f);
    EXPECT_EQ(view.count, 0);
}

TEST_F(ShadowDialogTest, TickingDrawsTheShadowAndMarksTheScene) {
    ShadowDialog dialog(nullptr, scene, prompts, view.callback());
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
    ShadowDialog dialog(nullptr, scene, prompts, view.callback());
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
    ShadowDialog dialog(nullptr, scene, prompts, view.callback());
    ClickButton(&dialog, ToWxId(kShadowColourCommand));
    EXPECT_EQ(prompts.colourRequests, 1);
    EXPECT_EQ(scene.shadow.color[0], 0.0f);
    EXPECT_EQ(scene.shadow.color[1], 0.0f);
    EXPECT_EQ(scene.shadow.color[2], 1.0f);
    EXPECT_EQ(scene.shadow.color[3], 0.5f);
    EXPECT_EQ(scene.modified, 1);
    EXPECT_EQ(view.count, 1);
}

TEST_F(ShadowDialogTest, CancelledPickerMarksTheSceneButKeepsTheColour) {
    scene.shadow.color[0] = 0.2f;
    ShadowDialog dialog(nullptr, scene, prompts, view.callback());
    ClickButton(&dialog, ToWxId(kShadowColourCommand));
    EXPECT_EQ(prompts.colourRequests, 1);
    EXPECT_EQ(scene.shadow.color[0], 0.2f);
    EXPECT_EQ(scene.modified, 1);
    EXPECT_EQ(view.count, 0);
}

bool IsBlue(GlTestWindow::Rgb p) {
    return p.b > 200 && p.r < 30 && p.g < 30;
}

TEST(ShadowDialogPixels, TickedShadowDrawsAtOnceInThePickedColour) {
    GlTestWindow window(160, 120);
    ASSERT_TRUE(window.ready());
    Scene scene;
    SquareSource squares;
    Renderer renderer(scene, squares);
    InitRenderState();
    ResetSceneSettings(scene);
    SetLightColors();
    ResetProjection(1, scene.backgroundColor, scene.view.perspective);
    squares.square = MakeSquareList();
    MakeSquareObject(scene.objects[0]);
    scene.objects[0].SetPosition(0.0f, 0.5f, 0.0f);
    scene.view.elevation = -0.6f;  // look down onto the ground plane
    scene.light.position[1] = 1.0f;
    scene.light.position[2] = -1.0f;  // the shadow falls in front of the square
    glLightfv(GL_LIGHT0, GL_POSITION, scene.light.position);

    ScriptedPrompts prompts;
    prompts.colourAnswers.push_back({0, 0, 255});
    int frames = 0;
    const auto redraw = [&] {
        renderer.RenderScene(0);
        ++frames;
    };
    ShadowDialog dialog(nullptr, scene, prompts, redraw);
    ClickButton(&dialog, ToWxId(kShadowColourCommand));
    EXPECT_EQ(window.CountPixels(IsBlue), 0);  // not drawn yet: the box is unticked
    ClickCheckBox(&dialog, kDrawShadowCheckId);
    EXPECT_EQ(frames, 2);
    EXPECT_GT(window.CountPixels(IsBlue), 20);

    glDeleteLists(squares.square, 1);
}

}  // namespace
