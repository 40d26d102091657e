// The size dialog: its limits, and the glyphs built again at every depth notification.
#include "dialogs/scale_dialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "gui/property_dialog_driver.h"
#include "render/glyph_builder.h"
#include "resources/texts.h"
#include "scene/gpu_resources.h"
#include "support/test_glyphs.h"
#include "text/outline_extruder.h"

namespace {

constexpr int kX = 40025, kY = 40026, kZ = 40027;

// Takes the builder's lists instead of a GL context and notes the depth of each solid.
class RecordingLists : public GlyphListTarget {
  public:
    uint32_t NewList() override { return ++lastName; }
    void Compile(uint32_t, const GlyphMesh& mesh, float) override {
        float minZ = 0.0f;
        for (const MeshVertex& v : mesh.vertices) {
            minZ = std::min(minZ, v.position[2]);
        }
        depths.push_back(-minZ);
    }
    void DeleteList(uint32_t list) override { deleted.push_back(list); }
    void DeleteTexture(uint32_t) override {}

    uint32_t lastName = 0;
    std::vector<float> depths;
    std::vector<uint32_t> deleted;
};

class SilentSink : public MessageSink {
  public:
    void ShowMessage(std::string_view, std::string_view, MessageOwner) override { ++count; }
    int count = 0;
};

class ScaleDialogTest : public testing::Test {
  protected:
    void SetUp() override {
        object.SetText("AB");
        ASSERT_TRUE(glyphs.BuildGlyphLists(object, messages));
        ASSERT_EQ(object.glyphCount, 2);
        lists.depths.clear();
    }
    void TearDown() override { object.FreeGlyphLists(); }

    RecordingLists lists;
    GlyphBuilder glyphs{TestGlyphs(), lists};
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
    const uint32_t firstList = object.glyphLists[0];
    ScaleDialog dialog(nullptr, object, glyphs, messages, view.callback());
    PressArrow(&dialog, kX, +1);
    PressArrow(&dialog, kY, -1);
    EXPECT_EQ(object.scale[0], 1.1f);
    EXPECT_EQ(object.scale[1], 0.9f);
    EXPECT_TRUE(lists.deleted.empty());
    EXPECT_TRUE(lists.depths.empty());
    EXPECT_EQ(object.glyphLists[0], firstList);
    EXPECT_EQ(view.count, 2);
}

TEST_F(ScaleDialogTest, DepthChangeBuildsNewListsAtTheNewDepth) {
    const uint32_t oldLists[2] = {object.glyphLists[0], object.glyphLists[1]};
    ScaleDialog dialog(nullptr, object, glyphs, messages, view.callback());
    PressArrow(&dialog, kZ, +1);
    EXPECT_EQ(object.scale[2], 0.4f);
    EXPECT_EQ(object.glyphCount, 2);
    EXPECT_EQ(lists.deleted, std::vector<uint32_t>(oldLists, oldLists + 2));
    EXPECT_NE(object.glyphLists[0], oldLists[0]);
    EXPECT_NE(object.glyphLists[1], oldLists[1]);
    ASSERT_EQ(lists.depths.size(), 2u);
    EXPECT_NEAR(lists.depths[0], 0.4f, 1e-6f);
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

    PressArrow(&dialog, kZ, +1);
    PressArrow(&dialog, kZ, +1);
    EXPECT_EQ(EditText(&dialog, 1010), "100");
    EXPECT_EQ(object.scale[2], 10.0f);
    EXPECT_EQ(lists.deleted.size(), 4u);
    EXPECT_EQ(lists.depths.size(), 4u);
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
    EXPECT_TRUE(lists.deleted.empty());
    EXPECT_EQ(view.count, 0);
}

}  // namespace
