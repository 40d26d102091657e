// Position, rotation, light and look-at target dialogs driven through their controls.
#include <gtest/gtest.h>
#include <wx/stattext.h>

#include <cstring>

#include "dialogs/light_dialog.h"
#include "dialogs/position_dialog.h"
#include "dialogs/rotation_dialog.h"
#include "dialogs/target_dialog.h"
#include "gui/property_dialog_driver.h"
#include "resources/texts.h"

namespace {

constexpr int kX = 40025, kY = 40026, kZ = 40027;

TEST(PositionDialog, OpensWithTheNearestStepsAndAppliesEveryArrowPressAtOnce) {
    Scene scene;
    TextObject& object = scene.objects[0];
    // 0.7f, as pressing to 7 stores it, lies just below 0.7: it must show 7 again, not 6.
    object.SetPosition(0.7f, -0.26f, 0.0f);
    ViewInvalidations view;
    PositionDialog dialog(nullptr, object, view.callback());

    EXPECT_EQ(dialog.GetTitle().utf8_string(), texts::kPositionCaption);
    EXPECT_EQ(EditText(&dialog, 1008), "7");
    EXPECT_EQ(EditText(&dialog, 1009), "-3");
    EXPECT_EQ(EditText(&dialog, 1010), "0");
    EXPECT_EQ(view.count, 0);

    PressArrow(&dialog, kZ, +1);
    EXPECT_EQ(EditText(&dialog, 1010), "1");
    EXPECT_EQ(object.position[2], 0.1f);
    EXPECT_EQ(view.count, 1);

    // Steps from what the edit shows, not from the control's own position of 1.
    PressArrow(&dialog, kY, -1);
    EXPECT_EQ(EditText(&dialog, 1009), "-4");
    EXPECT_EQ(object.position[1], -0.4f);
    EXPECT_EQ(object.position[0], 0.7f);
    EXPECT_EQ(view.count, 2);
    EXPECT_EQ(scene.modified, 0);
    EXPECT_EQ(object.touched, 0);
}

TEST(PositionDialog, StopsAtTheLimitsWithoutWrapping) {
    TextObject object;
    object.SetPosition(39.9f, -39.9f, 0.0f);
    ViewInvalidations view;
    PositionDialog dialog(nullptr, object, view.callback());
    ASSERT_EQ(EditText(&dialog, 1008), "399");

    for (int press = 0; press < 3; ++press) {
        PressArrow(&dialog, kX, +1);
        PressArrow(&dialog, kY, -1);
    }
    EXPECT_EQ(EditText(&dialog, 1008), "400");
    EXPECT_EQ(EditText(&dialog, 1009), "-400");
    EXPECT_EQ(object.position[0], 40.0f);
    EXPECT_EQ(object.position[1], -40.0f);
    EXPECT_EQ(view.count, 6);
}

TEST(PositionDialog, OutOfRangeValueIsShownAndTheArrowStepsFromItsOwnPosition) {
    TextObject object;
    object.SetPosition(55.0f, 0.0f, 0.0f);
    PositionDialog dialog(nullptr, object, [] {});
    EXPECT_EQ(EditText(&dialog, 1008), "550");
    // The shown 550 lies outside -400..400, so the control goes on from its initial 1.
    PressArrow(&dialog, kX, +1);
    EXPECT_EQ(EditText(&dialog, 1008), "2");
    EXPECT_EQ(object.position[0], 0.2f);
}

TEST(PositionDialog, HasTheControlsOfItsTemplateInTheirArrangement) {
    TextObject object;
    PositionDialog dialog(nullptr, object, [] {});
    EXPECT_EQ(LabelOf(&dialog, 1007), texts::kPropertyClose);
    EXPECT_EQ(dialog.GetDefaultItem(), dialog.FindWindow(1007));
    EXPECT_EQ(dialog.GetEscapeId(), 1007);

    const int edits[3] = {1008, 1009, 1010};
    const char* labels[3] = {texts::kCoordinateX, texts::kCoordinateY, texts::kCoordinateZ};
    int previousY = -1;
    for (int i = 0; i < 3; ++i) {
        wxWindow* edit = dialog.FindWindow(edits[i]);
        wxWindow* spin = dialog.FindWindow(ToWxId(kX + i));
        ASSERT_NE(edit, nullptr);
        ASSERT_NE(spin, nullptr);
        EXPECT_TRUE(wxDynamicCast(edit, wxTextCtrl)->HasFlag(wxTE_READONLY));
        EXPECT_GT(edit->GetPosition().y, previousY);
        EXPECT_GE(spin->GetPosition().x, edit->GetRect().GetRight());
        previousY = edit->GetPosition().y;
        bool labelFound = false;
        for (wxWindow* child : dialog.GetChildren()) {
            if (dynamic_cast<wxStaticText*>(child) &&
                child->GetLabel().utf8_string() == labels[i]) {
                labelFound = true;
                EXPECT_LT(child->GetPosition().x, edit->GetPosition().x);
            }
        }
        EXPECT_TRUE(labelFound) << labels[i];
    }
    EXPECT_GT(dialog.FindWindow(1007)->GetPosition().y, previousY);
}

TEST(RotationDialog, ShowsTheNearestWholeDegreesAndStoresTheNextWholeDegree) {
    TextObject object;
    object.SetRotation(45.7f, -45.7f, 180.0f);
    ViewInvalidations view;
    RotationDialog dialog(nullptr, object, view.callback());
    EXPECT_EQ(dialog.GetTitle().utf8_string(), texts::kRotationCaption);
    EXPECT_EQ(EditText(&dialog, 1008), "46");
    EXPECT_EQ(EditText(&dialog, 1009), "-46");
    EXPECT_EQ(EditText(&dialog, 1010), "180");

    PressArrow(&dialog, kX, +1);
    EXPECT_EQ(object.rotation[0], 47.0f);
    PressArrow(&dialog, kY, -1);
    EXPECT_EQ(object.rotation[1], -47.0f);
    PressArrow(&dialog, kZ, +1);
    EXPECT_EQ(EditText(&dialog, 1010), "180");
    EXPECT_EQ(object.rotation[2], 180.0f);
    EXPECT_EQ(view.count, 3);
    EXPECT_EQ(LabelOf(&dialog, 1011), texts::kPropertyClose);
}

TEST(TargetDialog, MovesTheLookAtPointOfTheView) {
    Scene scene;
    ViewInvalidations view;
    TargetDialog dialog(nullptr, scene.view, view.callback());
    EXPECT_EQ(dialog.GetTitle().utf8_string(), texts::kTargetCaption);
    EXPECT_EQ(EditText(&dialog, 1008), "0");
    PressArrow(&dialog, kY, -1);
    EXPECT_EQ(scene.view.target[1], -0.1f);
    EXPECT_EQ(view.count, 1);
    EXPECT_EQ(scene.modified, 0);
}

TEST(LightDialog, EverySpinNotificationMarksTheSceneModified) {
    Scene scene;
    ViewInvalidations view;
    LightDialog dialog(nullptr, scene, view.callback());
    EXPECT_EQ(dialog.GetTitle().utf8_string(), texts::kLightCaption);
    EXPECT_EQ(EditText(&dialog, 1008), "0");
    EXPECT_EQ(EditText(&dialog, 1009), "15");
    EXPECT_EQ(EditText(&dialog, 1010), "15");
    EXPECT_EQ(scene.modified, 0);

    PressArrow(&dialog, kX, -1);
    EXPECT_EQ(scene.light.position[0], -0.1f);
    EXPECT_EQ(scene.modified, 1);
    EXPECT_EQ(view.count, 1);
    // w is not one of the edited components.
    EXPECT_EQ(scene.light.position[3], 0.0f);
}

TEST(LightDialog, CheckBoxesToggleMarkerAndParallelLightWithoutMarkingModified) {
    Scene scene;
    ViewInvalidations view;
    LightDialog dialog(nullptr, scene, view.callback());
    EXPECT_EQ(LabelOf(&dialog, kShowLightCheckId), texts::kShowLight);
    EXPECT_EQ(LabelOf(&dialog, kParallelLightCheckId), texts::kParallelLight);
    EXPECT_FALSE(IsChecked(&dialog, kShowLightCheckId));
    EXPECT_TRUE(IsChecked(&dialog, kParallelLightCheckId));

    ClickCheckBox(&dialog, kParallelLightCheckId);
    EXPECT_EQ(scene.light.position[3], 1.0f);
    EXPECT_FALSE(IsChecked(&dialog, kParallelLightCheckId));
    ClickCheckBox(&dialog, kParallelLightCheckId);
    EXPECT_EQ(scene.light.position[3], 0.0f);
    EXPECT_TRUE(IsChecked(&dialog, kParallelLightCheckId));

    ClickCheckBox(&dialog, kShowLightCheckId);
    EXPECT_EQ(scene.light.visible, 1);
    EXPECT_TRUE(IsChecked(&dialog, kShowLightCheckId));
    EXPECT_EQ(view.count, 3);
    EXPECT_EQ(scene.modified, 0);
}

TEST(LightDialog, OpensWithThePositionalLightAndVisibleMarkerShown) {
    Scene scene;
    scene.light.position[3] = 1.0f;
    scene.light.visible = 1;
    LightDialog dialog(nullptr, scene, [] {});
    EXPECT_TRUE(IsChecked(&dialog, kShowLightCheckId));
    EXPECT_FALSE(IsChecked(&dialog, kParallelLightCheckId));
}

TEST(VectorDialogs, ClosingRightAfterOpeningChangesNothing) {
    Scene scene;
    TextObject& object = scene.objects[3];
    object.SetPosition(1.23f, -4.56f, 7.89f);
    object.SetRotation(45.7f, 0.5f, -0.5f);
    scene.view.target[0] = 0.25f;
    scene.light.position[0] = 0.05f;
    float lightBefore[4];
    std::memcpy(lightBefore, scene.light.position, sizeof lightBefore);
    int redraws = 0;
    const auto count = [&redraws] { ++redraws; };
    {
        PositionDialog position(nullptr, object, count);
        ClickButton(&position, 1007);
        RotationDialog rotation(nullptr, object, count);
        ClickButton(&rotation, 1011);
        TargetDialog target(nullptr, scene.view, count);
        ClickButton(&target, 1007);
        LightDialog light(nullptr, scene, count);
        ClickButton(&light, 1007);
    }
    EXPECT_EQ(object.position[0], 1.23f);
    EXPECT_EQ(object.position[1], -4.56f);
    EXPECT_EQ(object.position[2], 7.89f);
    EXPECT_EQ(object.rotation[0], 45.7f);
    EXPECT_EQ(scene.view.target[0], 0.25f);
    EXPECT_EQ(std::memcmp(lightBefore, scene.light.position, sizeof lightBefore), 0);
    EXPECT_EQ(scene.modified, 0);
    EXPECT_EQ(redraws, 0);
}

}  // namespace
