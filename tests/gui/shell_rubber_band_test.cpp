// The capture rectangle drawn over a frame: complementary colour, state left as it was.
#include <gtest/gtest.h>

#include <utility>

#include "render/rubber_band.h"
#include "support/gl_window.h"

namespace {
bool IsBlack(GlTestWindow::Rgb p) {
    return p.r == 0 && p.g == 0 && p.b == 0;
}
}  // namespace

TEST(RubberBand, OutlinesTheRectangleInTheComplementOfTheFrame) {
    GlTestWindow window(120, 100, 0);
    ASSERT_TRUE(window.ready());
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_CULL_FACE);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(1.0f, 2.0f, 3.0f);
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // Dragged from bottom right to top left: the outline is the same.
    DrawRubberBand({70, 60, 20, 10}, window.width(), window.height());
    glFinish();
    for (const auto& corner : {std::pair{20, 10}, {70, 10}, {70, 60}, {20, 60}}) {
        EXPECT_TRUE(IsBlack(window.Pixel(corner.first, corner.second)))
            << corner.first << "," << corner.second;
    }
    EXPECT_TRUE(IsBlack(window.Pixel(45, 10)));
    EXPECT_TRUE(IsBlack(window.Pixel(70, 35)));
    EXPECT_TRUE(IsBlack(window.Pixel(45, 60)));
    EXPECT_TRUE(IsBlack(window.Pixel(20, 35)));
    EXPECT_EQ(window.Pixel(45, 35).r, 255);  // inside stays
    EXPECT_EQ(window.Pixel(5, 5).r, 255);    // outside stays
    // The black line count is the rectangle's perimeter, not more.
    EXPECT_EQ(window.CountPixels(IsBlack), 2 * 50 + 2 * 50);

    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    EXPECT_FALSE(glIsEnabled(GL_COLOR_LOGIC_OP));
    GLfloat modelview[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    EXPECT_FLOAT_EQ(modelview[12], 1.0f);
    EXPECT_FLOAT_EQ(modelview[14], 3.0f);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
}

TEST(RubberBand, AZeroWidthBandIsOneLine) {
    GlTestWindow window(60, 60, 0);
    ASSERT_TRUE(window.ready());
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    DrawRubberBand({30, 5, 30, 44}, window.width(), window.height());
    glFinish();
    EXPECT_EQ(window.CountPixels(IsBlack), 40);
    EXPECT_TRUE(IsBlack(window.Pixel(30, 5)));
    EXPECT_TRUE(IsBlack(window.Pixel(30, 44)));
}
