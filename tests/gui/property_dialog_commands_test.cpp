// The commands that open the property dialogs, through the dispatcher of a real main window.
#include <wx/testing.h>

#include <functional>

#include "app/command_dispatch.h"
#include "dialogs/light_dialog.h"
#include "dialogs/material_dialog.h"
#include "dialogs/position_dialog.h"
#include "dialogs/rotation_dialog.h"
#include "dialogs/scale_dialog.h"
#include "dialogs/shadow_dialog.h"
#include "dialogs/target_dialog.h"
#include "gui/property_dialog_driver.h"
#include "gui/shell_fixture.h"

namespace {

// Stands in for the user: works the dialog, then closes it with its close button.
template <class Dialog>
class Use : public wxExpectModalBase<Dialog, Use<Dialog>> {
  public:
    Use(int closeId, std::function<void(Dialog&)> act) : closeId_(closeId), act_(std::move(act)) {}

  protected:
    int OnInvoked(Dialog* dialog) const override {
        act_(*dialog);
        return closeId_;
    }

  private:
    int closeId_;
    std::function<void(Dialog&)> act_;
};

}  // namespace

TEST_F(ShellTest, ObjectPropertyCommandsEditTheCurrentObject) {
    MakeLive(2);
    scene->currentObject = 2;
    TextObject& object = scene->objects[2];

    wxTEST_DIALOG(DispatchCommand(frame->context(), 40014),
                  Use<PositionDialog>(1007, [&](auto& dialog) {
                      EXPECT_EQ(dialog.GetParent(), frame);
                      PressArrow(&dialog, 40025, +1);
                  }));
    EXPECT_EQ(object.position[0], 0.1f);

    wxTEST_DIALOG(DispatchCommand(frame->context(), 40016),
                  Use<RotationDialog>(1011, [](auto& dialog) { PressArrow(&dialog, 40027, -1); }));
    EXPECT_EQ(object.rotation[2], -1.0f);

    wxTEST_DIALOG(DispatchCommand(frame->context(), 40013),
                  Use<MaterialDialog>(kMaterialCloseId,
                                      [](auto& dialog) { PressArrow(&dialog, 40025, -1); }));
    EXPECT_EQ(object.diffuse[0], 254.0f / 255.0f);

    // The depth change builds the glyphs again, in the view's context.
    wxTEST_DIALOG(DispatchCommand(frame->context(), 40015),
                  Use<ScaleDialog>(1002, [](auto& dialog) { PressArrow(&dialog, 40027, +1); }));
    EXPECT_EQ(object.scale[2], 0.4f);
    EXPECT_EQ(object.glyphCount, 1);
    EXPECT_TRUE(prompts.messages.empty());

    EXPECT_EQ(scene->modified, 0);
    EXPECT_EQ(object.touched, 0);
}

TEST_F(ShellTest, ObjectPropertyCommandsWithoutAnObjectOpenNothing) {
    scene->currentObject = -1;
    for (int command : {40013, 40014, 40015, 40016}) {
        wxTEST_DIALOG(DispatchCommand(frame->context(), command),
                      Use<wxDialog>(wxID_CANCEL, [command](wxDialog&) {
                          ADD_FAILURE() << "command " << command << " opened a dialog";
                      }).Optional());
    }
}

TEST_F(ShellTest, ScenePropertyCommandsEditLightShadowAndTarget) {
    wxTEST_DIALOG(DispatchCommand(frame->context(), 40028),
                  Use<TargetDialog>(1007, [](auto& dialog) { PressArrow(&dialog, 40026, +1); }));
    EXPECT_EQ(scene->view.target[1], 0.1f);
    EXPECT_EQ(scene->modified, 0);

    wxTEST_DIALOG(DispatchCommand(frame->context(), 40027),
                  Use<LightDialog>(1007, [](auto& dialog) { PressArrow(&dialog, 40025, +1); }));
    EXPECT_EQ(scene->light.position[0], 0.1f);
    EXPECT_EQ(scene->modified, 1);

    scene->modified = 0;
    prompts.colourAnswers.push_back({0, 0, 255});
    wxTEST_DIALOG(DispatchCommand(frame->context(), 40025),
                  Use<ShadowDialog>(wxID_OK, [](auto& dialog) {
                      ClickCheckBox(&dialog, kDrawShadowCheckId);
                      ClickButton(&dialog, ToWxId(kShadowColourCommand));
                  }));
    EXPECT_EQ(scene->shadow.enabled, 1);
    EXPECT_EQ(scene->shadow.color[2], 1.0f);
    EXPECT_EQ(scene->shadow.color[2], 1.0f);
    EXPECT_EQ(scene->modified, 1);
}
