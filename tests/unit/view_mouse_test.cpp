#include "app/view_mouse.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// Answers picks from a fixed slot and records what the handling asked of the window.
class FakeHost : public ViewMouseHost {
  public:
    int PickObjectAt(int x, int y) override {
        picks.push_back({x, y});
        return pickResult;
    }
    void RedrawView() override { ++redraws; }
    void SetObjectButtons(bool enabled) override { buttonCalls.push_back(enabled); }
    int ChooseFromObjectMenu(int x, int y) override {
        menus.push_back({x, y});
        if (duringMenu) {
            duringMenu();
        }
        return menuChoice;
    }
    void RunCommand(int command) override {
        commands.push_back(command);
        if (duringCommand) {
            duringCommand();
        }
    }
    bool ChooseCaptureFile(const ClientRect&) override { return false; }
    void UnlockAfterRegionCapture() override {}

    int pickResult = -1;
    int menuChoice = 0;
    std::function<void()> duringMenu;
    std::function<void()> duringCommand;
    std::vector<ViewPoint> picks;
    std::vector<ViewPoint> menus;
    std::vector<bool> buttonCalls;
    std::vector<int> commands;
    int redraws = 0;
};

class ViewMouseTest : public testing::Test {
  protected:
    void Send(MouseAction action, int x, int y) { mouse.Handle({action, x, y}); }

    Scene scene;
    ViewMouseState state;
    FakeHost host;
    ViewMouse mouse{scene, state, host};
};

TEST_F(ViewMouseTest, PressAndReleaseWithoutMovingLeavesTheView) {
    scene.view.azimuth = 0.3f;
    scene.view.elevation = -0.2f;
    Send(MouseAction::kLeftDown, 200, 150);
    Send(MouseAction::kMove, 200, 150);
    Send(MouseAction::kLeftUp, 200, 150);
    EXPECT_FLOAT_EQ(scene.view.azimuth, 0.3f);
    EXPECT_FLOAT_EQ(scene.view.elevation, -0.2f);
    EXPECT_EQ(state.dragAnchor.x, -1);
    EXPECT_EQ(state.dragAnchor.y, -1);
}

TEST_F(ViewMouseTest, EveryMoveAddsTheWholeOffsetFromThePressPoint) {
    Send(MouseAction::kLeftDown, 300, 100);
    for (int i = 0; i < 3; ++i) {
        Send(MouseAction::kMove, 200, 100);
    }
    EXPECT_NEAR(scene.view.azimuth, 0.3, 1e-6);
    EXPECT_FLOAT_EQ(scene.view.elevation, 0.0f);
    EXPECT_EQ(host.redraws, 3);
    EXPECT_EQ(state.dragAnchor.x, 300);

    // To the right of the press point the view turns back; the azimuth is never wrapped.
    Send(MouseAction::kMove, 400, 100);
    EXPECT_NEAR(scene.view.azimuth, 0.2, 1e-6);
    scene.view.azimuth = 6.2f;
    Send(MouseAction::kMove, 0, 100);
    EXPECT_NEAR(scene.view.azimuth, 6.5, 1e-5);
}

TEST_F(ViewMouseTest, ElevationLimitIsTestedBeforeTheStep) {
    scene.view.elevation = 1.55f;
    Send(MouseAction::kLeftDown, 100, 300);
    Send(MouseAction::kMove, 100, 200);
    EXPECT_NEAR(scene.view.elevation, 1.65, 1e-6);
    Send(MouseAction::kMove, 100, 200);
    Send(MouseAction::kMove, 100, 0);
    EXPECT_NEAR(scene.view.elevation, 1.65, 1e-6);
    Send(MouseAction::kMove, 100, 350);
    EXPECT_NEAR(scene.view.elevation, 1.60, 1e-6);

    scene.view.elevation = -1.55f;
    Send(MouseAction::kMove, 100, 400);
    EXPECT_NEAR(scene.view.elevation, -1.65, 1e-6);
    Send(MouseAction::kMove, 100, 400);
    EXPECT_NEAR(scene.view.elevation, -1.65, 1e-6);
    Send(MouseAction::kMove, 100, 250);
    EXPECT_NEAR(scene.view.elevation, -1.60, 1e-6);
}

TEST_F(ViewMouseTest, MovesWithoutAPressedButtonDoNothing) {
    Send(MouseAction::kMove, 10, 10);
    Send(MouseAction::kLeftDown, 100, 100);
    Send(MouseAction::kLeftUp, 500, 500);
    Send(MouseAction::kMove, 500, 500);
    EXPECT_FLOAT_EQ(scene.view.azimuth, 0.0f);
    EXPECT_FLOAT_EQ(scene.view.elevation, 0.0f);
    EXPECT_EQ(host.redraws, 0);
}

TEST_F(ViewMouseTest, DoubleClickOnAnObjectSelectsIt) {
    host.pickResult = 5;
    Send(MouseAction::kLeftDoubleClick, 40, 60);
    ASSERT_EQ(host.picks.size(), 1u);
    EXPECT_EQ(host.picks[0].x, 40);
    EXPECT_EQ(host.picks[0].y, 60);
    EXPECT_EQ(scene.currentObject, 5);
    EXPECT_EQ(scene.objects[5].highlighted, 1);
    EXPECT_EQ(scene.objects[5].touched, 1);
    EXPECT_EQ(IsSceneModified(scene), 1);
    EXPECT_EQ(host.buttonCalls, std::vector<bool>{true});
    EXPECT_EQ(host.redraws, 1);

    // Another object: the first loses its highlight and the buttons are greyed on the way.
    host.pickResult = 2;
    Send(MouseAction::kLeftDoubleClick, 10, 10);
    EXPECT_EQ(scene.objects[5].highlighted, 0);
    EXPECT_EQ(scene.objects[2].highlighted, 1);
    EXPECT_EQ(scene.currentObject, 2);
    EXPECT_EQ(host.buttonCalls, (std::vector<bool>{true, false, true}));
}

TEST_F(ViewMouseTest, DoubleClickOnEmptySpaceClearsTheSelection) {
    host.pickResult = 7;
    Send(MouseAction::kLeftDoubleClick, 40, 60);
    host.pickResult = -1;
    Send(MouseAction::kLeftDoubleClick, 300, 20);
    EXPECT_EQ(scene.currentObject, -1);
    EXPECT_EQ(scene.objects[7].highlighted, 0);
    EXPECT_EQ(host.buttonCalls, (std::vector<bool>{true, false}));
    EXPECT_EQ(host.redraws, 2);

    // Nothing was selected: nothing to grey again, but the view is still redrawn.
    Send(MouseAction::kLeftDoubleClick, 300, 20);
    EXPECT_EQ(host.buttonCalls.size(), 2u);
    EXPECT_EQ(host.redraws, 3);
}

TEST_F(ViewMouseTest, PickOutsideTheSlotsSelectsNothing) {
    host.pickResult = kSlotCount;
    Send(MouseAction::kLeftDoubleClick, 1, 1);
    EXPECT_EQ(scene.currentObject, -1);
    EXPECT_TRUE(host.buttonCalls.empty());
}

TEST_F(ViewMouseTest, RightClickShowsTheMenuWithTheObjectHighlighted) {
    host.pickResult = 3;
    Send(MouseAction::kLeftDoubleClick, 5, 5);  // another selection first: its buttons go grey
    host.pickResult = 9;
    int highlightDuringMenu = -1;
    int redrawsBeforeMenu = -1;
    host.duringMenu = [&] {
        highlightDuringMenu = scene.objects[9].highlighted;
        redrawsBeforeMenu = host.redraws;
    };
    host.menuChoice = 40013;
    int currentDuringCommand = -2;
    int highlightDuringCommand = -1;
    host.duringCommand = [&] {
        currentDuringCommand = scene.currentObject;
        highlightDuringCommand = scene.objects[9].highlighted;
    };
    Send(MouseAction::kRightDown, 120, 80);

    ASSERT_EQ(host.menus.size(), 1u);
    EXPECT_EQ(host.menus[0].x, 120);
    EXPECT_EQ(host.menus[0].y, 80);
    EXPECT_EQ(highlightDuringMenu, 1);
    EXPECT_EQ(redrawsBeforeMenu, 2) << "the highlight is drawn before the menu shows";
    EXPECT_EQ(scene.objects[9].highlighted, 0);
    EXPECT_EQ(scene.objects[9].touched, 1);
    EXPECT_EQ(scene.objects[3].highlighted, 0);
    EXPECT_EQ(scene.currentObject, 9);
    EXPECT_EQ(host.commands, std::vector<int>{40013});
    EXPECT_EQ(currentDuringCommand, 9);
    EXPECT_EQ(highlightDuringCommand, 0);
    EXPECT_EQ(host.buttonCalls, (std::vector<bool>{true, false}));
    EXPECT_EQ(host.redraws, 3);
}

TEST_F(ViewMouseTest, RightClickClosedWithoutAChoiceRunsNothing) {
    host.pickResult = 0;
    Send(MouseAction::kRightDown, 1, 2);
    EXPECT_EQ(host.menus.size(), 1u);
    EXPECT_TRUE(host.commands.empty());
    EXPECT_EQ(scene.currentObject, 0);
    EXPECT_EQ(scene.objects[0].highlighted, 0);
}

TEST_F(ViewMouseTest, RightClickOnEmptySpaceShowsNoMenu) {
    host.pickResult = 4;
    Send(MouseAction::kLeftDoubleClick, 5, 5);
    host.pickResult = -1;
    Send(MouseAction::kRightDown, 50, 50);
    EXPECT_TRUE(host.menus.empty());
    EXPECT_EQ(scene.currentObject, -1);
    EXPECT_EQ(scene.objects[4].highlighted, 0);
    EXPECT_EQ(host.buttonCalls, (std::vector<bool>{true, false}));
}

TEST_F(ViewMouseTest, RightClickIsIgnoredWhileARubberBandIsDrawn) {
    host.pickResult = 6;
    Send(MouseAction::kLeftDoubleClick, 5, 5);
    state.rubberBand = 1;
    host.pickResult = 1;
    Send(MouseAction::kRightDown, 50, 50);
    EXPECT_EQ(host.picks.size(), 1u);
    EXPECT_TRUE(host.menus.empty());
    EXPECT_EQ(scene.currentObject, 6);
    EXPECT_EQ(scene.objects[6].highlighted, 1);
}

}  // namespace
