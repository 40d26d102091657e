// Dragging out the rectangle of a region capture, on plain records.
#include <gtest/gtest.h>

#include <vector>

#include "app/view_mouse.h"

namespace {

class RegionHost : public ViewMouseHost {
  public:
    int PickObjectAt(int, int) override {
        ++picks;
        return pickResult;
    }
    void RedrawView() override { ++redraws; }
    void SetObjectButtons(bool) override {}
    int ChooseFromObjectMenu(int, int) override {
        ++menus;
        return 0;
    }
    void RunCommand(int) override {}
    bool ChooseCaptureFile(const ClientRect& region) override {
        asked.push_back(region);
        bandWhileAsked = state->rubberBand;
        return fileChosen;
    }
    void UnlockAfterRegionCapture() override { ++unlocks; }

    const ViewMouseState* state = nullptr;
    int pickResult = -1;
    bool fileChosen = true;
    std::vector<ClientRect> asked;
    int32_t bandWhileAsked = -1;
    int picks = 0;
    int menus = 0;
    int redraws = 0;
    int unlocks = 0;
};

class RegionCaptureMouse : public testing::Test {
  protected:
    void SetUp() override {
        host.state = &state;
        state.regionArmed = 1;
    }
    void Send(MouseAction action, int x, int y) { mouse.Handle({action, x, y}); }

    Scene scene;
    ViewMouseState state;
    RegionHost host;
    ViewMouse mouse{scene, state, host};
};

void ExpectRect(const ClientRect& rect, int left, int top, int right, int bottom) {
    EXPECT_EQ(rect.left, left);
    EXPECT_EQ(rect.top, top);
    EXPECT_EQ(rect.right, right);
    EXPECT_EQ(rect.bottom, bottom);
}

TEST_F(RegionCaptureMouse, DragFromArmedPressToReleaseMakesTheCapturePending) {
    Send(MouseAction::kLeftDown, 300, 200);
    EXPECT_EQ(state.regionArmed, 0);
    EXPECT_EQ(state.rubberBand, 1);
    EXPECT_EQ(state.dragAnchor.x, -1);  // the press does not start a view drag
    EXPECT_EQ(host.redraws, 0);

    Send(MouseAction::kMove, 150, 90);
    Send(MouseAction::kMove, 100, 50);
    ExpectRect(state.captureRect, 300, 200, 100, 50);
    EXPECT_EQ(host.redraws, 2);
    EXPECT_EQ(scene.view.azimuth, 0.0f);
    EXPECT_EQ(scene.view.elevation, 0.0f);

    Send(MouseAction::kLeftUp, 100, 50);
    ASSERT_EQ(host.asked.size(), 1u);
    ExpectRect(host.asked[0], 300, 200, 100, 50);
    EXPECT_EQ(host.bandWhileAsked, 1);  // still drawn while the dialog is open
    EXPECT_EQ(state.rubberBand, 0);
    EXPECT_EQ(state.capturePending, 1);
    ExpectRect(state.captureRect, 300, 200, 100, 50);
    EXPECT_EQ(host.unlocks, 1);

    // Back to ordinary dragging.
    Send(MouseAction::kLeftDown, 10, 10);
    Send(MouseAction::kMove, 110, 10);
    EXPECT_NEAR(scene.view.azimuth, -0.1, 1e-6);
    EXPECT_EQ(state.rubberBand, 0);
}

TEST_F(RegionCaptureMouse, ReleasePointEndsTheRegionWhenTheLastMovesWereNotSeen) {
    Send(MouseAction::kLeftDown, 100, 100);
    Send(MouseAction::kMove, 150, 140);
    Send(MouseAction::kLeftUp, 300, 260);
    ASSERT_EQ(host.asked.size(), 1u);
    ExpectRect(host.asked[0], 100, 100, 300, 260);
    ExpectRect(state.captureRect, 100, 100, 300, 260);
}

TEST_F(RegionCaptureMouse, CancelledDialogCapturesNothingAndUnlocks) {
    host.fileChosen = false;
    Send(MouseAction::kLeftDown, 20, 30);
    Send(MouseAction::kMove, 60, 70);
    Send(MouseAction::kLeftUp, 60, 70);
    EXPECT_EQ(state.capturePending, 0);
    EXPECT_EQ(state.rubberBand, 0);
    ExpectRect(state.captureRect, 0, 0, 0, 0);
    EXPECT_EQ(host.unlocks, 1);
    // The band's last picture is taken away.
    EXPECT_EQ(host.redraws, 2);
}

TEST_F(RegionCaptureMouse, PressWithoutDragIsARegionWithoutArea) {
    Send(MouseAction::kLeftDown, 40, 50);
    Send(MouseAction::kLeftUp, 40, 50);
    ASSERT_EQ(host.asked.size(), 1u);
    ExpectRect(host.asked[0], 40, 50, 40, 50);
}

TEST_F(RegionCaptureMouse, RightClicksOpenTheMenuWhileArmedButNotDuringTheBand) {
    host.pickResult = 3;
    scene.objects[3].SetText("A");
    scene.objects[3].glyphCount = 1;
    Send(MouseAction::kRightDown, 5, 5);
    EXPECT_EQ(host.menus, 1);
    EXPECT_EQ(state.regionArmed, 1);

    Send(MouseAction::kLeftDown, 5, 5);
    Send(MouseAction::kRightDown, 8, 8);
    EXPECT_EQ(host.menus, 1);
    EXPECT_EQ(host.picks, 1);
    EXPECT_EQ(state.rubberBand, 1);
}

TEST_F(RegionCaptureMouse, UnarmedPressIsAViewDrag) {
    state.regionArmed = 0;
    Send(MouseAction::kLeftDown, 5, 6);
    Send(MouseAction::kLeftUp, 5, 6);
    EXPECT_EQ(state.rubberBand, 0);
    EXPECT_TRUE(host.asked.empty());
    EXPECT_EQ(host.unlocks, 0);
}

}  // namespace
