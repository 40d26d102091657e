// The size dialog: its limits, and the glyphs laid out again at every depth notification.
#include "dialogs/scale_dialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "gui/property_dialog_driver.h"
#include "resources/texts.h"
#include "support/test_glyphs.h"
#include "text/glyph_layout.h"

namespace {

constexpr int kX = 40025, kY = 40026, kZ = 40027;

class SilentSink : public MessageSink {
  public:
    void ShowMessage(std::string_view, std::string_view, MessageOwner) override { ++count; }
    int count = 0;
};

class ScaleDialogTest : public testing::Test {
  protected:
    void SetUp() override {
        object.SetText("AB");
        ASSERT_TRUE(glyphs.LayOut(object, messages));
        ASSERT_EQ(object.glyphCount, 2);
        Mark();
    }
    // A mark in the laid-out glyphs that only a new layout takes away.
    void Mark() { object.glyphCharacters[1] = 0; }
    bool LaidOutAgain() const { return object.glyphCharacters[1] == U'B'; }

    GlyphLayout glyphs{TestGlyphs()};
    SilentSink messages;
    TextObject object;
    ViewInvalidations view;
};

TEST_F(ScaleDialogTest, NewObjectShowsTenTenThree) {
    ScaleDialog dialog(nullptr, object, glyphs, messages, view.callback());
    EXPECT_EQ(dialog.GetTitle().utf8_string(), texts::kScaleCaption);
    EXPECT_EQ(EditText(&dialog, 1008), "10");
    EXPECT_EQ(EditText(&dialog, 1009), "10");
    EXPECT_EQ(EditText(&dialog, 1010), "3");
    EXPECT_EQ(LabelOf(&dialog, 1002), texts::kPropertyClose);
}

TEST_F(ScaleDialogTest, WidthAndHeightChangesLeaveTheGlyphsAlone) {
    ScaleDialog dialog(nullptr, object, glyphs, messages, view.callback());
    PressArrow(&dialog, kX, +1);
    PressArrow(&dialog, kY, -1);
    EXPECT_EQ(object.scale[0], 1.1f);
    EXPECT_EQ(object.scale[1], 0.9f);
    EXPECT_FALSE(LaidOutAgain());
    EXPECT_EQ(view.count, 2);
}

TEST_F(ScaleDialogTest, DepthChangeLaysTheGlyphsOutAgainAtTheNewDepth) {
    ScaleDialog dialog(nullptr, object, glyphs, messages, view.callback());
    PressArrow(&dialog, kZ, +1);
    EXPECT_EQ(object.scale[2], 0.4f);
    EXPECT_EQ(object.glyphCount, 2);
    EXPECT_TRUE(LaidOutAgain());
    EXPECT_GE(view.count, 1);
    EXPECT_EQ(messages.count, 0);
}

TEST_F(ScaleDialogTest, EveryDepthNotificationRebuildsEvenAtTheLimit) {
    object.scale[2] = 10.0f;
    object.scale[0] = 10.0f;
    ScaleDialog dialog(nullptr, object, glyphs, messages, view.callback());
    ASSERT_EQ(EditText(&dialog, 1010), "100");
    PressArrow(&dialog, kX, +1);
    EXPECT_EQ(EditText(&dialog, 1008), "100");
    EXPECT_EQ(object.scale[0], 10.0f);

    for (int press = 0; press < 2; ++press) {
        Mark();
        PressArrow(&dialog, kZ, +1);
        EXPECT_TRUE(LaidOutAgain()) << press;
    }
    EXPECT_EQ(EditText(&dialog, 1010), "100");
    EXPECT_EQ(object.scale[2], 10.0f);
    EXPECT_EQ(object.glyphCount, 2);
}

TEST_F(ScaleDialogTest, LowerLimitIsOneTenth) {
    object.scale[1] = 0.1f;
    ScaleDialog dialog(nullptr, object, glyphs, messages, view.callback());
    PressArrow(&dialog, kY, -1);
    EXPECT_EQ(EditText(&dialog, 1009), "1");
    EXPECT_EQ(object.scale[1], 0.1f);
}

TEST_F(ScaleDialogTest, ClosingRightAfterOpeningChangesNothing) {
    {
        ScaleDialog dialog(nullptr, object, glyphs, messages, view.callback());
        ClickButton(&dialog, 1002);
    }
    EXPECT_EQ(object.scale[0], 1.0f);
    EXPECT_EQ(object.scale[2], 0.3f);
    EXPECT_FALSE(LaidOutAgain());
    EXPECT_EQ(view.count, 0);
}

}  // namespace
