#include <gtest/gtest.h>

#include "render/antialias.h"
#include "scene/app_settings.h"

namespace {

TEST(JitterTables, EveryAntialiasLevelHasATableOfThatManyOffsetsWithinHalfAPixel) {
    for (int level : AntialiasLevels) {
        const JitterTable table = JitterTableFor(level);
        ASSERT_EQ(table.count, level);
        for (int pass = 0; pass < table.count; ++pass) {
            EXPECT_LE(std::abs(table.offsets[pass].x), 0.5) << level << "/" << pass;
            EXPECT_LE(std::abs(table.offsets[pass].y), 0.5) << level << "/" << pass;
        }
    }
}

TEST(JitterTables, TwoPassesUseTheMirroredPair) {
    const JitterTable table = JitterTableFor(2);
    EXPECT_DOUBLE_EQ(table.offsets[0].x, 0.246490);
    EXPECT_DOUBLE_EQ(table.offsets[0].y, 0.249999);
    EXPECT_DOUBLE_EQ(table.offsets[1].x, -0.246490);
    EXPECT_DOUBLE_EQ(table.offsets[1].y, -0.249999);
}

TEST(JitterTables, SpotChecksOfTheLongerTables) {
    EXPECT_DOUBLE_EQ(JitterTableFor(8).offsets[7].y, -0.054399);
    EXPECT_DOUBLE_EQ(JitterTableFor(15).offsets[14].x, -0.370610);
    EXPECT_DOUBLE_EQ(JitterTableFor(24).offsets[23].y, -0.417965);
    EXPECT_DOUBLE_EQ(JitterTableFor(66).offsets[0].x, 0.266377);
    EXPECT_DOUBLE_EQ(JitterTableFor(66).offsets[65].y, 0.221726);
}

TEST(JitterTables, PassCountsWithoutATableHaveNoPasses) {
    EXPECT_EQ(JitterTableFor(0).count, 0);
    EXPECT_EQ(JitterTableFor(5).count, 0);
    EXPECT_EQ(JitterTableFor(-8).count, 0);
}

}  // namespace
