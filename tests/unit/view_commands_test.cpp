#include "app/view_commands.h"

#include <gtest/gtest.h>

TEST(ViewCommands, ZoomInStepsInSinglePrecisionAndStopsAtTheDoubleTenth) {
    ViewState view;
    float expected = 5.0f;
    int steps = 0;
    while (expected > 0.1) {
        ZoomIn(view);
        expected -= 0.1f;
        ++steps;
        ASSERT_EQ(view.eyeDistance, expected) << "step " << steps;
    }
    // Fifty single-precision tenths do not add up to exactly 5: a sliver stays.
    EXPECT_EQ(steps, 50);
    EXPECT_GT(view.eyeDistance, 0.0f);
    EXPECT_LT(view.eyeDistance, 1e-5f);
    const float stopped = view.eyeDistance;
    ZoomIn(view);
    EXPECT_EQ(view.eyeDistance, stopped);
}

TEST(ViewCommands, ZoomInComparesWithTheDoubleNotTheFloatTenth) {
    ViewState view;
    // The float nearest 0.1 lies above the double 0.1, so one more step is taken from there.
    view.eyeDistance = 0.1f;
    ZoomIn(view);
    EXPECT_EQ(view.eyeDistance, 0.0f);
    view.eyeDistance = 0.05f;
    ZoomIn(view);
    EXPECT_EQ(view.eyeDistance, 0.05f);
}

TEST(ViewCommands, ZoomOutHasNoLimit) {
    ViewState view;
    view.eyeDistance = 1000.0f;
    ZoomOut(view);
    EXPECT_EQ(view.eyeDistance, 1000.0f + 0.1f);
}

TEST(ViewCommands, ResetViewKeepsPerspectiveAndGuides) {
    ViewState view;
    view.eyeDistance = 0.3f;
    view.azimuth = 7.0f;
    view.elevation = 1.6f;
    view.target[0] = 1.0f;
    view.target[2] = -2.0f;
    view.perspective = 0.4f;
    view.showGuides = 1;
    ResetView(view);
    EXPECT_EQ(view.eyeDistance, 5.0f);
    EXPECT_EQ(view.azimuth, 0.0f);
    EXPECT_EQ(view.elevation, 0.0f);
    EXPECT_EQ(view.target[0], 0.0f);
    EXPECT_EQ(view.target[2], 0.0f);
    EXPECT_EQ(view.perspective, 0.4f);
    EXPECT_EQ(view.showGuides, 1);
    ToggleGuideLines(view);
    EXPECT_EQ(view.showGuides, 0);
    ToggleGuideLines(view);
    EXPECT_EQ(view.showGuides, 1);
}
