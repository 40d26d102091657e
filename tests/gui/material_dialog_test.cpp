// The colour and material dialog: its spin columns and colour pickers.
#include "dialogs/material_dialog.h"

#include <gtest/gtest.h>

#include "gui/property_dialog_driver.h"
#include "resources/texts.h"
#include "support/scripted_prompts.h"

namespace {

constexpr int kLeft = 0, kMiddle = 1, kRight = 2;

std::string Column(MaterialDialog& dialog, int column) {
    std::string shown;
    for (int id : kMaterialEditIds[column]) {
        shown += EditText(&dialog, id) + " ";
    }
    return shown;
}

TEST(MaterialDialog, DefaultMaterialShowsYellowInEveryColumn) {
    TextObject object;
    ScriptedPrompts prompts;
    MaterialDialog dialog(nullptr, object, prompts, [] {});
    EXPECT_EQ(dialog.GetTitle().utf8_string(), texts::kMaterialCaption);
    for (int column = 0; column < 3; ++column) {
        EXPECT_EQ(Column(dialog, column), "255 255 0 ");
        EXPECT_EQ(LabelOf(&dialog, kMaterialPickerIds[column]), texts::kCreateColour);
    }
    EXPECT_EQ(LabelOf(&dialog, kMaterialCloseId), texts::kPropertyClose);
    EXPECT_EQ(dialog.GetEscapeId(), kMaterialCloseId);
}

TEST(MaterialDialog, ColumnsLieLeftToRightAsDiffuseSpecularAmbient) {
    TextObject object;
    ScriptedPrompts prompts;
    MaterialDialog dialog(nullptr, object, prompts, [] {});
    for (int component = 0; component < 3; ++component) {
        const wxRect left = dialog.FindWindow(kMaterialEditIds[kLeft][component])->GetRect();
        const wxRect middle = dialog.FindWindow(kMaterialEditIds[kMiddle][component])->GetRect();
        const wxRect right = dialog.FindWindow(kMaterialEditIds[kRight][component])->GetRect();
        EXPECT_LT(left.GetRight(), middle.GetLeft());
        EXPECT_LT(middle.GetRight(), right.GetLeft());
        EXPECT_EQ(left.GetTop(), right.GetTop());
        wxWindow* spin = dialog.FindWindow(ToWxId(kMaterialSpinCommands[kMiddle][component]));
        ASSERT_NE(spin, nullptr);
        EXPECT_GE(spin->GetPosition().x, middle.GetRight());
    }
    EXPECT_LT(dialog.FindWindow(kMaterialEditIds[kLeft][2])->GetPosition().y,
              dialog.FindWindow(kMaterialPickerIds[kLeft])->GetPosition().y);
}

TEST(MaterialDialog, ArrowPressStoresTheComponentAndRedraws) {
    TextObject object;
    ScriptedPrompts prompts;
    ViewInvalidations view;
    MaterialDialog dialog(nullptr, object, prompts, view.callback());

    PressArrow(&dialog, kMaterialSpinCommands[kLeft][0], -1);
    EXPECT_EQ(EditText(&dialog, 1017), "254");
    EXPECT_EQ(object.diffuse[0], 254.0f / 255.0f);
    EXPECT_EQ(view.count, 1);

    PressArrow(&dialog, kMaterialSpinCommands[kRight][2], -1);  // already at 0
    EXPECT_EQ(EditText(&dialog, 1016), "0");
    EXPECT_EQ(object.ambient[2], 0.0f);
    PressArrow(&dialog, kMaterialSpinCommands[kMiddle][1], +1);  // already at 255
    EXPECT_EQ(object.specular[1], 1.0f);
    EXPECT_EQ(object.diffuse[3], 1.0f);
    EXPECT_EQ(object.shininess, 20.0f);
    EXPECT_EQ(view.count, 3);
}

TEST(MaterialDialog, PickedColourFillsOnlyItsColumn) {
    TextObject object;
    ScriptedPrompts prompts;
    prompts.colourAnswers.push_back({255, 0, 0});
    ViewInvalidations view;
    MaterialDialog dialog(nullptr, object, prompts, view.callback());

    ClickButton(&dialog, kMaterialPickerIds[kLeft]);
    EXPECT_EQ(prompts.colourRequests, 1);
    EXPECT_EQ(Column(dialog, kLeft), "255 0 0 ");
    EXPECT_EQ(Column(dialog, kMiddle), "255 255 0 ");
    EXPECT_EQ(Column(dialog, kRight), "255 255 0 ");
    EXPECT_EQ(object.diffuse[0], 1.0f);
    EXPECT_EQ(object.diffuse[1], 0.0f);
    EXPECT_EQ(object.diffuse[2], 0.0f);
    EXPECT_EQ(object.diffuse[3], 1.0f);
    EXPECT_EQ(object.specular[1], 1.0f);
    EXPECT_EQ(view.count, 1);
}

TEST(MaterialDialog, ArrowAfterAPickStepsFromThePickedValue) {
    TextObject object;
    ScriptedPrompts prompts;
    prompts.colourAnswers.push_back({10, 20, 30});
    MaterialDialog dialog(nullptr, object, prompts, [] {});

    ClickButton(&dialog, kMaterialPickerIds[kMiddle]);
    EXPECT_EQ(Column(dialog, kMiddle), "10 20 30 ");
    // Only the edits were rewritten; the control still holds its initial position.
    EXPECT_EQ(dialog.field(kMiddle, 1).position(), 1);

    PressArrow(&dialog, kMaterialSpinCommands[kMiddle][1], +1);
    EXPECT_EQ(EditText(&dialog, 1012), "21");
    EXPECT_EQ(object.specular[1], 21.0f / 255.0f);
    EXPECT_EQ(object.specular[0], 10.0f / 255.0f);
}

TEST(MaterialDialog, CancelledPickerOrClosingChangesNothing) {
    TextObject object;
    ScriptedPrompts prompts;  // no answer: the picker is cancelled
    ViewInvalidations view;
    {
        MaterialDialog dialog(nullptr, object, prompts, view.callback());
        ClickButton(&dialog, kMaterialPickerIds[kRight]);
        EXPECT_EQ(prompts.colourRequests, 1);
        EXPECT_EQ(Column(dialog, kRight), "255 255 0 ");
        ClickButton(&dialog, kMaterialCloseId);
    }
    const float yellow[4] = {1.0f, 1.0f, 0.0f, 1.0f};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(object.diffuse[i], yellow[i]);
        EXPECT_EQ(object.specular[i], yellow[i]);
        EXPECT_EQ(object.ambient[i], yellow[i]);
    }
    EXPECT_EQ(view.count, 0);
    EXPECT_EQ(object.touched, 0);
}

}  // namespace
