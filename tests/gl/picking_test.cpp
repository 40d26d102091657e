#include "render/picking.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "render/projection.h"
#include "render/renderer.h"
#include "scene/cp932.h"
#include "support/gl_window.h"
#include "support/recording_sink.h"
#include "support/square_scene_test.h"
#include "support/test_geometry.h"
#include "support/test_glyphs.h"
#include "support/window_projection.h"
#include "text/glyph_layout.h"

namespace {

struct ScreenPoint {
    int x, y;  // y from the top, as mouse positions are
};

class Picking : public SquareSceneTest {
  protected:
    // A square whose face centre lies at (x, y, z); size scales it in x and y.
    void PlaceSquare(int slot, float x, float y, float z, float size = 1.0f) {
        TextObject& object = scene.objects[slot];
        MakeSquareObject(object);
        object.SetScale(size, size, 0.3f);
        object.SetPosition(x, y - size / 2.0f, z);
    }

    // Real extruded glyphs of a UTF-8 text, centred at (x, y, z).
    void PlaceText(int slot, const char* utf8, const char* face, float x, float y, float z,
                   float size) {
        TextObject& object = scene.objects[slot];
        if (face != nullptr) {
            object.SetFont(face, 0, 0);
        }
        object.SetText(Utf8ToCp932(utf8).value());
        object.SetScale(size, size, 0.3f);
        object.SetPosition(x, y, z);
        ASSERT_TRUE(glyphs.LayOut(object, sink));
        ASSERT_GT(object.glyphCount, 0);
    }

    static bool IsBackground(GlTestWindow::Rgb p) { return p.r > 250 && p.g > 250 && p.b > 250; }

    // Pixels the drawn objects cover, every step-th row and column.
    std::vector<ScreenPoint> CoveredPixels(int step) const {
        const std::vector<GlTestWindow::Rgb> pixels = window.ReadAll();
        std::vector<ScreenPoint> covered;
        for (int y = 0; y < window.height(); y += step) {
            for (int x = 0; x < window.width(); x += step) {
                if (!IsBackground(pixels[static_cast<size_t>(y * window.width() + x)])) {
                    covered.push_back({x, y});
                }
            }
        }
        return covered;
    }

    // Where a world point lands in the frame just drawn.
    static ScreenPoint Project(float x, float y, float z) {
        const WindowProjection p = ProjectToWindow(x, y, z);
        return {static_cast<int>(p.x), p.RowFromTop()};
    }

    int PickAt(ScreenPoint p) { return PickObject(renderer, p.x, p.y); }

    RecordingSink sink;
    GlyphLayout glyphs{TestGlyphs()};
};

TEST_F(Picking, EachObjectIsHitWhereItIsDrawnAndBackgroundGivesNone) {
    PlaceSquare(3, -2.0f, 0.0f, 0.0f);
    PlaceSquare(7, 0.0f, 1.0f, 0.0f);
    PlaceSquare(12, 2.0f, -1.0f, 0.0f);
    renderer.RenderScene(0);
    EXPECT_EQ(PickAt(Project(-2.0f, 0.0f, 0.0f)), 3);
    EXPECT_EQ(PickAt(Project(0.0f, 1.0f, 0.0f)), 7);
    EXPECT_EQ(PickAt(Project(2.0f, -1.0f, 0.0f)), 12);
    EXPECT_EQ(PickAt({2, 2}), -1);
    EXPECT_EQ(PickAt(Project(0.0f, -1.0f, 0.0f)), -1);
    // Mouse y counts from the top: the mirror image of an object's point is empty.
    const ScreenPoint upper = Project(0.0f, 1.0f, 0.0f);
    EXPECT_EQ(PickAt({upper.x, window.height() - upper.y}), -1);
    // Outside the view altogether.
    EXPECT_EQ(PickAt({-50, -50}), -1);
    EXPECT_EQ(PickAt({window.width() + 100, window.height() + 100}), -1);
}

TEST_F(Picking, NearerObjectWinsWhateverItsSlot) {
    PlaceSquare(1, 0.0f, 0.0f, 0.0f);
    PlaceSquare(8, 0.0f, 0.0f, 1.0f);
    renderer.RenderScene(0);
    const ScreenPoint centre = Project(0.0f, 0.0f, 0.0f);
    EXPECT_EQ(PickAt(centre), 8);
    PlaceSquare(1, 0.0f, 0.0f, 1.0f);
    PlaceSquare(8, 0.0f, 0.0f, 0.0f);
    EXPECT_EQ(PickAt(centre), 1);
}

TEST_F(Picking, EqualDepthsKeepTheLowerSlot) {
    PlaceSquare(10, 0.0f, 0.0f, 0.0f);
    PlaceSquare(4, 0.0f, 0.0f, 0.0f);
    renderer.RenderScene(0);
    EXPECT_EQ(PickAt(Project(0.0f, 0.0f, 0.0f)), 4);
}

TEST_F(Picking, AllThirtyTwoObjectsUnderThePointFitTheBuffer) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        PlaceSquare(slot, 0.0f, 0.0f, 0.02f * static_cast<float>(kSlotCount - slot));
    }
    renderer.RenderScene(0);
    const ScreenPoint centre = Project(0.0f, 0.0f, 0.0f);
    EXPECT_EQ(PickAt(centre), 0);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        scene.objects[slot].position[2] = 0.02f * static_cast<float>(slot);
    }
    EXPECT_EQ(PickAt(centre), kSlotCount - 1);
}

TEST_F(Picking, ObjectBeyondTheFarPlaneOfPickingIsDrawnButNotPicked) {
    // The eye is 5 units in front of the origin: 15.5 units away is drawn (far plane 75) only.
    PlaceSquare(0, 0.0f, 0.0f, -10.5f, 3.0f);
    renderer.RenderScene(0);
    const ScreenPoint centre = Project(0.0f, 0.0f, -10.5f);
    const GlTestWindow::Rgb drawn = window.Pixel(centre.x, centre.y);
    EXPECT_FALSE(drawn.r > 250 && drawn.g > 250 && drawn.b > 250) << "not drawn at all";
    EXPECT_EQ(PickAt(centre), -1);

    PlaceSquare(0, 0.0f, 0.0f, -9.5f, 3.0f);
    renderer.RenderScene(0);
    EXPECT_EQ(PickAt(Project(0.0f, 0.0f, -9.5f)), 0);
}

TEST_F(Picking, LeavesMatricesAndRenderModeAsFound) {
    PlaceSquare(2, 0.0f, 0.0f, 0.0f);
    scene.view.azimuth = 0.3f;
    scene.view.elevation = -0.2f;
    renderer.RenderScene(0);
    GLfloat modelview[16], projection[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    glGetFloatv(GL_PROJECTION_MATRIX, projection);

    EXPECT_EQ(PickAt(Project(0.0f, 0.0f, 0.0f)), 2);

    GLfloat modelviewAfter[16], projectionAfter[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelviewAfter);
    glGetFloatv(GL_PROJECTION_MATRIX, projectionAfter);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(modelview[i], modelviewAfter[i]) << i;
        EXPECT_EQ(projection[i], projectionAfter[i]) << i;
    }
    GLint renderMode = 0, matrixMode = 0, projectionDepth = 0;
    glGetIntegerv(GL_RENDER_MODE, &renderMode);
    glGetIntegerv(GL_MATRIX_MODE, &matrixMode);
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &projectionDepth);
    EXPECT_EQ(renderMode, GL_RENDER);
    EXPECT_EQ(matrixMode, GL_MODELVIEW);
    EXPECT_EQ(projectionDepth, 1);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(Picking, UsesTheAspectOfTheCurrentViewport) {
    // The drawn frame keeps the projection of the wider window; picking follows the viewport.
    const GLint narrowWidth = window.width() / 2;
    PlaceSquare(5, 1.2f, 0.0f, 0.0f, 0.3f);
    renderer.RenderScene(0);
    SetViewportToClient(narrowWidth, window.height());
    const ScreenPoint drawnAt = Project(1.2f, 0.0f, 0.0f);

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluPerspective(kFieldOfViewDegrees, static_cast<double>(narrowWidth) / window.height(),
                   kNearPlane, kPickFarPlane);
    const ScreenPoint pickedAt = Project(1.2f, 0.0f, 0.0f);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);

    ASSERT_GT(pickedAt.x - drawnAt.x, 10);
    EXPECT_EQ(PickAt(pickedAt), 5);
    EXPECT_EQ(PickAt(drawnAt), -1);
}

TEST_F(Picking, RealJapaneseAndLatinGlyphsAreHitWhereTheyAreDrawn) {
    PlaceText(2, "日本語", nullptr, 0.0f, 0.9f, 0.0f, 0.5f);
    PlaceText(6, "Logo", "DejaVu Sans", 0.0f, -1.3f, 0.0f, 0.6f);
    renderer.RenderScene(0);
    const int middleRow = Project(0.0f, 0.0f, 0.0f).y;

    int upper = 0, lower = 0;
    for (const ScreenPoint p : CoveredPixels(2)) {
        const int expected = p.y < middleRow ? 2 : 6;
        (expected == 2 ? upper : lower) += 1;
        ASSERT_EQ(PickAt(p), expected) << "at " << p.x << "," << p.y;
    }
    EXPECT_GT(upper, 20);
    EXPECT_GT(lower, 20);

    // Wherever nothing is drawn within a few pixels, nothing is picked.
    const std::vector<GlTestWindow::Rgb> pixels = window.ReadAll();
    auto clearAround = [&](int cx, int cy) {
        for (int y = std::max(0, cy - 6); y <= std::min(window.height() - 1, cy + 6); ++y) {
            for (int x = std::max(0, cx - 6); x <= std::min(window.width() - 1, cx + 6); ++x) {
                if (!IsBackground(pixels[static_cast<size_t>(y * window.width() + x)])) {
                    return false;
                }
            }
        }
        return true;
    };
    int empty = 0;
    for (int y = 0; y < window.height(); y += 5) {
        for (int x = 0; x < window.width(); x += 5) {
            if (clearAround(x, y)) {
                ++empty;
                ASSERT_EQ(PickAt({x, y}), -1) << "at " << x << "," << y;
            }
        }
    }
    EXPECT_GT(empty, 100);
    EXPECT_TRUE(sink.texts.empty());
}

TEST_F(Picking, NearerGlyphWinsWhereRealGlyphsOverlap) {
    // Where both are drawn, the one in front wins, whichever slot it has.
    PlaceText(1, "本", nullptr, 0.0f, 0.0f, 0.0f, 1.5f);
    renderer.RenderScene(0);
    const std::vector<ScreenPoint> back = CoveredPixels(1);
    const int32_t backGlyphs = scene.objects[1].glyphCount;
    scene.objects[1].glyphCount = 0;  // hidden for a moment; its list stays
    PlaceText(9, "A", "DejaVu Sans", 0.0f, 0.0f, 0.5f, 1.5f);
    renderer.RenderScene(0);
    const std::vector<ScreenPoint> front = CoveredPixels(1);
    scene.objects[1].glyphCount = backGlyphs;
    renderer.RenderScene(0);

    std::vector<ScreenPoint> both;
    for (const ScreenPoint f : front) {
        for (const ScreenPoint b : back) {
            if (f.x == b.x && f.y == b.y && f.x % 3 == 0 && f.y % 3 == 0) {
                both.push_back(f);
            }
        }
    }
    ASSERT_GT(both.size(), 10u);
    for (const ScreenPoint p : both) {
        ASSERT_EQ(PickAt(p), 9) << "at " << p.x << "," << p.y;
    }
    scene.objects[9].position[2] = -1.0f;
    for (const ScreenPoint p : both) {
        ASSERT_EQ(PickAt(p), 1) << "at " << p.x << "," << p.y;
    }
}

TEST(PickFrustum, MultipliesTheJitteredFrustumOntoTheCurrentMatrix) {
    GlTestWindow window(100, 50);
    ASSERT_TRUE(window.ready());
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glTranslatef(0.5f, -0.25f, 0.0f);
    glScalef(2.0f, 2.0f, 1.0f);
    GLfloat start[16];
    glGetFloatv(GL_PROJECTION_MATRIX, start);

    PickPerspective(40.0, 2.0, 1.0, 15.0, 0.25, -0.5, 0.1, 0.2, 3.0);
    GLfloat picked[16];
    glGetFloatv(GL_PROJECTION_MATRIX, picked);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_PROJECTION);

    const FrustumPlanes f = JitteredFrustum(PerspectiveFrustum(40.0, 2.0, 1.0, 15.0), 100, 50, 0.25,
                                            -0.5, 0.1, 0.2, 3.0);
    glLoadMatrixf(start);
    glFrustum(f.left, f.right, f.bottom, f.top, f.zNear, f.zFar);
    GLfloat expected[16];
    glGetFloatv(GL_PROJECTION_MATRIX, expected);
    for (int i = 0; i < 16; ++i) {
        EXPECT_NEAR(picked[i], expected[i], 1e-6) << i;
    }
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
}

}  // namespace
