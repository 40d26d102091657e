#include <GL/gl.h>
#include <gtest/gtest.h>

#include "render/projection.h"
#include "render/renderer.h"
#include "support/gl_window.h"
#include "support/square_scene_test.h"
#include "support/test_geometry.h"

namespace {

bool IsWhite(GlTestWindow::Rgb p) {
    return p.r > 250 && p.g > 250 && p.b > 250;
}
bool IsBlack(GlTestWindow::Rgb p) {
    return p.r < 5 && p.g < 5 && p.b < 5;
}
bool IsYellowish(GlTestWindow::Rgb p) {
    return p.r > 60 && p.g > 60 && p.b < 30 && p.r - p.b > 50;
}
bool IsGreyish(GlTestWindow::Rgb p) {
    return p.r > 40 && std::abs(p.r - p.g) < 6 && std::abs(p.g - p.b) < 6 && !IsWhite(p);
}

class RendererPixels : public SquareSceneTest {
  protected:
    void SetUp() override {
        SquareSceneTest::SetUp();
        if (!HasFatalFailure()) {
            glLightfv(GL_LIGHT0, GL_POSITION, scene.light.position);
        }
    }
};

TEST_F(RendererPixels, EmptySceneIsAllBackground) {
    renderer.RenderScene(0);
    EXPECT_EQ(window.CountPixels(IsWhite), window.width() * window.height());
}

TEST_F(RendererPixels, LitObjectAppearsInItsMaterialAtTheCentre) {
    MakeSquareObject(scene.objects[4]);
    scene.objects[4].SetPosition(0.0f, -0.5f, 0.0f);
    renderer.RenderScene(0);
    const auto centre = window.Pixel(window.width() / 2, window.height() / 2);
    EXPECT_TRUE(IsYellowish(centre)) << centre.r << "," << centre.g << "," << centre.b;
    EXPECT_TRUE(IsWhite(window.Pixel(2, 2)));
}

TEST_F(RendererPixels, GuideLinesOnlyWhenSwitchedOnInTheComplementaryColour) {
    renderer.RenderScene(0);
    EXPECT_EQ(window.CountPixels(IsBlack), 0);
    scene.view.showGuides = 1;
    renderer.RenderScene(0);
    EXPECT_GT(window.CountPixels(IsBlack), window.width() / 2);
    // The x axis passes through the middle row of the view.
    EXPECT_TRUE(IsBlack(window.Pixel(5, window.height() / 2)) ||
                IsBlack(window.Pixel(5, window.height() / 2 - 1)));
}

TEST_F(RendererPixels, LightMarkerOnlyWhenVisible) {
    auto coloured = [](GlTestWindow::Rgb p) { return !IsWhite(p); };
    scene.light.position[1] = 0.0f;  // bring the marker into the middle of the view
    scene.light.position[2] = 0.0f;
    renderer.RenderScene(0);
    EXPECT_EQ(window.CountPixels(+coloured), 0);
    scene.light.visible = 1;
    renderer.RenderScene(0);
    EXPECT_GT(window.CountPixels(+coloured), 20);
    EXPECT_DOUBLE_EQ(renderer.markerPosition()[2], 0.0);
}

TEST_F(RendererPixels, ShadowFallsOnThePlaneOnlyWhenEnabled) {
    MakeSquareObject(scene.objects[0]);
    scene.objects[0].SetPosition(0.0f, 0.5f, 0.0f);
    scene.view.elevation = -0.6f;  // look down onto the ground plane
    scene.light.position[1] = 1.0f;
    scene.light.position[2] = -1.0f;  // the shadow falls towards the eye, in front of the text
    renderer.RenderScene(0);
    const int blackBefore = window.CountPixels(IsBlack);
    scene.shadow.enabled = 1;
    renderer.RenderScene(0);
    EXPECT_EQ(blackBefore, 0);
    EXPECT_GT(window.CountPixels(IsBlack), 20);
    // Drawn in the scene's colour as it is now, opaque though the colour's alpha is 0.
    scene.shadow.color[0] = scene.shadow.color[1] = scene.shadow.color[2] = 0.5f;
    renderer.RenderScene(0);
    EXPECT_EQ(window.CountPixels(IsBlack), 0);
    EXPECT_GT(window.CountPixels(IsGreyish), 20);
}

TEST_F(RendererPixels, HighlightBoxOnlyInTheNormalPass) {
    MakeSquareObject(scene.objects[2]);
    scene.objects[2].SetRotation(0, 30, 0);  // so the box's depth edges show
    renderer.RenderScene(0);
    const int plain = window.CountPixels(IsBlack);
    scene.objects[2].highlighted = 1;
    renderer.RenderScene(0);
    EXPECT_EQ(plain, 0);
    EXPECT_GT(window.CountPixels(IsBlack), 40);

    // The shadow pass of a highlighted object draws no box: only its own flattened shape.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    scene.guideColor[0] = 1.0f;
    scene.guideColor[1] = scene.guideColor[2] = 0.0f;
    renderer.ApplyViewTransform();
    renderer.DrawAllObjects(0, 1);
    auto reddish = [](GlTestWindow::Rgb p) { return p.r > 200 && p.g < 50; };
    EXPECT_EQ(window.CountPixels(+reddish), 0);
}

TEST_F(RendererPixels, TexturedObjectUsesTheWhiteMaterial) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    const unsigned char texels[4 * 4] = {255, 255, 255, 255, 255, 255, 255, 255,
                                         255, 255, 255, 255, 255, 255, 255, 255};
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    MakeSquareObject(scene.objects[1]);
    squares.texture = texture;
    scene.objects[1].hasTexture = true;
    renderer.RenderScene(0);
    const auto centre = window.Pixel(window.width() / 2, window.height() / 2);
    EXPECT_GT(centre.b, 60) << "the yellow material would have no blue";
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    glDeleteTextures(1, &texture);
}

TEST_F(RendererPixels, FrameLeavesTheViewTransformOnTheModelview) {
    scene.view.azimuth = 0.4f;
    renderer.RenderScene(0);
    GLfloat modelview[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    // The eye lies on the sphere of radius 5 about the origin.
    EXPECT_NEAR(modelview[14], -5.0f, 1e-4);
    EXPECT_NEAR(scene.view.Eye()[0], 5.0 * std::sin(0.4), 1e-5);
}

TEST(RenderContextGl, ResizeChangesOnlyTheViewport) {
    GlTestWindow window(200, 100);
    ASSERT_TRUE(window.ready());
    const float white[3] = {1, 1, 1};
    ResetProjection(1, white, 1.0f);
    GLfloat before[16];
    glGetFloatv(GL_PROJECTION_MATRIX, before);
    SetViewportToClient(100, 100);
    GLfloat after[16];
    glGetFloatv(GL_PROJECTION_MATRIX, after);
    for (int i = 0; i < 16; ++i) {
        EXPECT_FLOAT_EQ(before[i], after[i]);
    }
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 100);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
}

TEST(RenderContextGl, AccumulationBufferOnlyWhenAntialiasing) {
    {
        GlTestWindow window(64, 64, 1);
        ASSERT_TRUE(window.ready());
        GLint bits = 0;
        glGetIntegerv(GL_ACCUM_RED_BITS, &bits);
        EXPECT_GE(bits, 8);
    }
    {
        GlTestWindow window(64, 64, 0);
        ASSERT_TRUE(window.ready());
        GLint bits = -1;
        glGetIntegerv(GL_ACCUM_RED_BITS, &bits);
        EXPECT_EQ(bits, 0);
    }
}

}  // namespace
