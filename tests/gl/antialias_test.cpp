#include "render/antialias.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "dialogs/antialias_dialog.h"
#include "render/projection.h"
#include "support/gl_view_setup.h"
#include "support/gl_window.h"
#include "support/test_geometry.h"

namespace {

bool IsPartlyCovered(GlTestWindow::Rgb p) {
    // Between the white background and the yellow square's blue channel of about 0.
    return p.b > 30 && p.b < 225;
}

// Renders one square with antialiasing in a context with (1) or without (0) an accumulation buffer.
class AntialiasPicture : public testing::TestWithParam<int> {
  protected:
    void SetUp() override {
        ASSERT_TRUE(window.ready());
        StartView(scene, GetParam());
        squares.square = MakeSquareList();
        MakeSquareObject(scene.objects[0]);
        scene.objects[0].SetRotation(0, 0, 17);  // slanted edges need smoothing
        scene.objects[0].SetPosition(0, -0.5f, 0);
        renderer.RenderScene(0);  // leaves the view transform, as a shown frame does
    }
    void TearDown() override { glDeleteLists(squares.square, 1); }

    void RenderAntialiased(int level) {
        AntialiasRender render(renderer, level);
        for (int pass = 0; pass < render.passCount(); ++pass) {
            render.RunPass(pass);
        }
        render.Finish();
    }

    GlTestWindow window{120, 120, GetParam()};
    Scene scene;
    SquareSource squares;
    Renderer renderer{scene, squares};
};

TEST_P(AntialiasPicture, EdgesGetIntermediateValues) {
    const int hardEdges = window.CountPixels(IsPartlyCovered);
    RenderAntialiased(8);
    const int softEdges = window.CountPixels(IsPartlyCovered);
    EXPECT_GT(softEdges, hardEdges + 40) << "hard " << hardEdges << ", soft " << softEdges;
    const auto centre = window.Pixel(window.width() / 2, window.height() / 2);
    EXPECT_LT(centre.b, 30) << "the inside stays solid";
}

TEST_P(AntialiasPicture, WhatTheAccumulationBufferHeldBeforeDoesNotShow) {
    glClearAccum(1, 1, 1, 1);
    glClear(GL_ACCUM_BUFFER_BIT);
    RenderAntialiased(2);
    const auto centre = window.Pixel(window.width() / 2, window.height() / 2);
    EXPECT_LT(centre.b, 30);
}

TEST_P(AntialiasPicture, InteractiveProjectionIsGivenBackAfterThePasses) {
    GLfloat before[16];
    glGetFloatv(GL_PROJECTION_MATRIX, before);
    RenderAntialiased(4);
    GLfloat after[16];
    glGetFloatv(GL_PROJECTION_MATRIX, after);
    for (int i = 0; i < 16; ++i) {
        EXPECT_FLOAT_EQ(before[i], after[i]) << i;
    }
}

TEST_P(AntialiasPicture, ObjectsBeyondTheShortFarPlaneAreMissing) {
    scene.objects[0].SetPosition(0, -0.5f, -12.0f);  // 17 units from the eye
    renderer.RenderScene(0);
    auto coloured = [](GlTestWindow::Rgb p) { return p.b < 200; };
    EXPECT_GT(window.CountPixels(+coloured), 0);
    RenderAntialiased(2);
    EXPECT_EQ(window.CountPixels(+coloured), 0);
}

TEST_P(AntialiasPicture, HighlightBoxStaysAndGuidesAndMarkerDoNot) {
    scene.view.showGuides = 1;
    scene.light.visible = 1;
    scene.objects[0].highlighted = 1;
    scene.objects[0].SetRotation(0, 35, 0);
    RenderAntialiased(3);
    // The black box, spread over neighbouring pixels: neutral grey, unlike the yellow glyph.
    auto dark = [](GlTestWindow::Rgb p) {
        return p.b < 200 && std::abs(p.r - p.b) < 40 && std::abs(p.g - p.b) < 40;
    };
    auto markerRed = [](GlTestWindow::Rgb p) { return p.r > 150 && p.g < 80 && p.b < 80; };
    EXPECT_GT(window.CountPixels(+dark), 20) << "the box is drawn in every pass";
    EXPECT_EQ(window.CountPixels(+markerRed), 0);
    // No guide line crosses the empty left edge of the view.
    for (int y = 0; y < window.height(); ++y) {
        EXPECT_FALSE(dark(window.Pixel(1, y))) << y;
    }
}

INSTANTIATE_TEST_SUITE_P(AccumulationBufferAndMemory, AntialiasPicture, testing::Values(1, 0));

TEST(AntialiasDialogRun, RunsEveryPassAndEndsWithTheBarFull) {
    GlTestWindow window(80, 80);
    ASSERT_TRUE(window.ready());
    Scene scene;
    SquareSource squares;
    Renderer renderer(scene, squares);
    ResetProjection(1, scene.backgroundColor, 1.0f);
    AntialiasDialog dialog(nullptr, renderer, 15);
    dialog.ShowModal();
    EXPECT_EQ(dialog.passesRun(), 15);
    EXPECT_EQ(dialog.gauge().GetRange(), 15);
    EXPECT_EQ(dialog.gauge().GetValue(), 15);
}

}  // namespace
