// The view's mouse on the real window: wx events reach the handling, picks hit what is drawn.
#include <GL/gl.h>
#include <wx/event.h>
#include <wx/uiaction.h>

#include <cmath>

#include "app/gl_view.h"
#include "gui/shell_fixture.h"
#include "resources/texts.h"
#include "support/test_geometry.h"

namespace {

class ViewMouseGui : public ShellTest {
  protected:
    void Send(wxEventType type, int x, int y) {
        wxMouseEvent event(type);
        event.m_x = x;
        event.m_y = y;
        event.SetEventObject(frame->viewPort().canvas());
        frame->viewPort().canvas()->GetEventHandler()->ProcessEvent(event);
    }

    // A square centred on the origin, drawn once so that the modelview holds the view.
    void ShowSquare(int slot) {
        UseSquares();
        MakeSquareObject(scene->objects[slot]);
        scene->objects[slot].SetPosition(0.0f, -0.5f, 0.0f);
        frame->viewPort().renderer().RenderScene(0);
    }

    wxSize ViewSize() const { return frame->viewPort().canvas()->GetClientSize(); }
};

TEST_F(ViewMouseGui, DraggingWithTheLeftButtonTurnsTheView) {
    Send(wxEVT_LEFT_DOWN, 200, 100);
    Send(wxEVT_MOTION, 100, 150);
    EXPECT_NEAR(scene->view.azimuth, 0.1, 1e-6);
    EXPECT_NEAR(scene->view.elevation, -0.05, 1e-6);
    Send(wxEVT_LEFT_UP, 100, 150);
    Send(wxEVT_MOTION, 0, 0);
    EXPECT_NEAR(scene->view.azimuth, 0.1, 1e-6);
    EXPECT_EQ(frame->ui().mouse.dragAnchor.x, -1);
}

TEST_F(ViewMouseGui, DoubleClickSelectsTheObjectUnderThePointer) {
    ShowSquare(3);
    const wxSize size = ViewSize();
    Send(wxEVT_LEFT_DCLICK, size.x / 2, size.y / 2);
    EXPECT_EQ(scene->currentObject, 3);
    EXPECT_EQ(scene->objects[3].highlighted, 1);
    EXPECT_EQ(IsSceneModified(*scene), 1);
    EXPECT_TRUE(ToolEnabled(kCmdColour));
    EXPECT_TRUE(ToolEnabled(kCmdFont));

    Send(wxEVT_LEFT_DCLICK, 3, 3);
    EXPECT_EQ(scene->currentObject, -1);
    EXPECT_EQ(scene->objects[3].highlighted, 0);
    EXPECT_FALSE(ToolEnabled(kCmdColour));
    EXPECT_FALSE(ToolEnabled(kCmdFont));
}

TEST_F(ViewMouseGui, RightClickOnEmptySpaceOpensNoMenu) {
    // With nothing under the pointer no menu shows (one would wait for the user here).
    ShowSquare(0);
    Send(wxEVT_LEFT_DCLICK, ViewSize().x / 2, ViewSize().y / 2);
    Send(wxEVT_RIGHT_DOWN, 3, 3);
    EXPECT_EQ(scene->currentObject, -1);
    EXPECT_FALSE(ToolEnabled(kCmdColour));
}

TEST_F(ViewMouseGui, CommandChosenInTheObjectMenuActsOnThePickedObject) {
    ShowSquare(3);
    const wxSize size = ViewSize();
    int highlightedDuringMenu = -1;
    int currentDuringMenu = -1;
    // Runs inside the menu's own loop: looks at the object, then chooses Delete.
    wxTheApp->CallAfter([&] {
        highlightedDuringMenu = scene->objects[3].highlighted;
        currentDuringMenu = scene->currentObject;
        frame->objectMenu()->SendEvent(ToWxId(kCmdDeleteObject));
        wxUIActionSimulator().Char(WXK_ESCAPE);
    });
    prompts.messageAnswers.push_back(MessageAnswer::kNo);
    Send(wxEVT_RIGHT_DOWN, size.x / 2, size.y / 2);

    EXPECT_EQ(highlightedDuringMenu, 1);
    EXPECT_EQ(currentDuringMenu, 3);
    EXPECT_EQ(scene->objects[3].highlighted, 0);
    EXPECT_EQ(scene->currentObject, 3);
    EXPECT_FALSE(ToolEnabled(kCmdColour));
    // Delete asked about the current object; answered No, it stays.
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].caption, texts::kDeleteObjectCaption);
    EXPECT_EQ(scene->objects[3].glyphCount, 1);
}

TEST_F(ViewMouseGui, AQuickSecondRightClickOpensTheMenuAgain) {
    // The toolkit reports a right click soon after another as a double click.
    ShowSquare(3);
    int highlightedDuringMenu = 0;
    wxTheApp->CallAfter([&] {
        highlightedDuringMenu = scene->objects[3].highlighted;
        wxUIActionSimulator().Char(WXK_ESCAPE);
    });
    Send(wxEVT_RIGHT_DCLICK, ViewSize().x / 2, ViewSize().y / 2);
    EXPECT_EQ(highlightedDuringMenu, 1);
}

}  // namespace
