#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "formats/texture_pictures.h"
#include "render/projection.h"
#include "render/render_cache.h"
#include "render/renderer.h"
#include "scene/cp932.h"
#include "support/gl_window.h"
#include "support/recording_sink.h"
#include "support/test_glyphs.h"
#include "support/window_projection.h"
#include "text/font_resolver.h"
#include "text/glyph_layout.h"
#include "text/outline_glyph.h"

namespace {

bool IsBackground(GlTestWindow::Rgb p) {
    return p.r > 250 && p.g > 250 && p.b > 250;
}
// The default material lit from the front: clearly yellow, no blue.
bool IsLitYellow(GlTestWindow::Rgb p) {
    return p.r > 120 && p.g > 120 && p.b < 40;
}

struct Extent {
    int left, right, top, bottom;
};

Extent Drawn(const GlTestWindow& window) {
    Extent e{window.width(), -1, window.height(), -1};
    const auto pixels = window.ReadAll();
    for (int y = 0; y < window.height(); ++y) {
        for (int x = 0; x < window.width(); ++x) {
            if (!IsBackground(pixels[static_cast<size_t>(y) * window.width() + x])) {
                e = {std::min(e.left, x), std::max(e.right, x), std::min(e.top, y),
                     std::max(e.bottom, y)};
            }
        }
    }
    return e;
}

class GlyphRendering : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(window.ready());
        InitRenderState();
        ResetSceneSettings(scene);
        SetLightColors();
        ResetProjection(1, scene.backgroundColor, scene.view.perspective);
        for (int slot = 0; slot < kSlotCount; ++slot) {
            scene.objects[slot].SetIndex(slot);
        }
    }
    // The ink of the string, as the pen advances lay it out, must land where the object's
    // centring puts it: pen position W/2 on the object's position (looking straight at it).
    void ExpectCentredAndLit(const TextObject& object, const char* what) {
        const Extent e = Drawn(window);
        ASSERT_GT(e.right, e.left) << what;
        float pen = 0.0f, inkLeft = 1e9f, inkRight = -1e9f;
        for (int i = 0; i < object.glyphCount; ++i) {
            const GlyphMetricsFloat& m = object.glyphMetrics[i];
            if (m.gmfBlackBoxX > 0.0f) {
                inkLeft = std::min(inkLeft, pen + m.gmfptGlyphOrigin.x);
                inkRight = std::max(inkRight, pen + m.gmfptGlyphOrigin.x + m.gmfBlackBoxX);
            }
            pen += m.gmfCellIncX;
        }
        EXPECT_FLOAT_EQ(pen, object.textWidth) << what;
        const float s = object.scale[0];
        EXPECT_NEAR(e.left, ScreenX(s * (inkLeft - pen / 2.0f)), 1.5) << what;
        EXPECT_NEAR(e.right, ScreenX(s * (inkRight - pen / 2.0f)), 1.5) << what;
        EXPECT_GT(window.CountPixels(IsLitYellow), 300) << what;
        if (HasFailure()) {
            window.SaveImage(std::string("glyph_render_") + what + ".ppm");
        }
    }
    // Window column of a world point on the plane z = 0, through the frame's matrices.
    static double ScreenX(double worldX) {
        return ProjectToWindow(worldX, 0.0, 0.0).x - 0.5;  // pixel centres lie half a pixel in
    }

    GlTestWindow window{240, 120};
    TexturePictures pictures;
    GlyphLayout glyphs{TestGlyphs()};
    RenderCache cache{TestGlyphs(), pictures};
    Scene scene;
    Renderer renderer{scene, cache};
    RecordingSink sink;
};

TEST_F(GlyphRendering, JapaneseTextInTheDefaultFontIsCentredAndLit) {
    TextObject& object = scene.objects[0];
    glyphs.ApplyTextWithFallback(object, Utf8ToCp932("日本ABC").value(), sink);
    EXPECT_TRUE(sink.texts.empty());
    ASSERT_EQ(object.glyphCount, 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(glIsList(cache.GlyphList(object, i)));
    }
    renderer.RenderScene(0);
    ExpectCentredAndLit(object, "japanese");
    const GLuint first = cache.GlyphList(object, 0);
    object.ClearGlyphs();
    renderer.RenderScene(0);
    EXPECT_FALSE(glIsList(first)) << "a frame without the glyph lets its list go";
}

// Two columns, right to left, the block centred on the position: each glyph drawn at its place.
TEST_F(GlyphRendering, ColumnsAreDrawnWhereTheLayoutPlacesThem) {
    TextObject& object = scene.objects[0];
    object.typography.vertical = true;
    object.SetScale(0.8f, 0.8f, 0.3f);
    glyphs.ApplyTextWithFallback(object, Utf8ToCp932("日本\n語").value(), sink);
    ASSERT_TRUE(object.typeset);
    renderer.RenderScene(0);
    const Extent e = Drawn(window);
    float inkLeft = 1e9f, inkRight = -1e9f;
    for (int i = 0; i < object.glyphCount; ++i) {
        const GlyphMetricsFloat& m = object.glyphMetrics[i];
        const float left = object.glyphPlacements[i].x + m.gmfptGlyphOrigin.x;
        inkLeft = std::min(inkLeft, left);
        inkRight = std::max(inkRight, left + m.gmfBlackBoxX);
    }
    const float s = object.scale[0], half = object.textWidth / 2.0f;
    EXPECT_NEAR(e.left, ScreenX(s * (inkLeft - half)), 1.5);
    EXPECT_NEAR(e.right, ScreenX(s * (inkRight - half)), 1.5);
    EXPECT_GT(e.bottom - e.top, (e.right - e.left) * 9 / 10);  // two kanji high, two columns
    EXPECT_GT(window.CountPixels(IsLitYellow), 300);
}

TEST_F(GlyphRendering, ObjectsShareTheListsOfTheirCommonGlyphs) {
    glyphs.ApplyTextWithFallback(scene.objects[0], "ABBA", sink);
    glyphs.ApplyTextWithFallback(scene.objects[1], "BAD", sink);
    scene.objects[1].SetScale(0.5f, 2.0f, scene.objects[1].scale[2]);
    renderer.RenderScene(0);
    EXPECT_EQ(cache.GlyphListCount(), 3u);
    EXPECT_EQ(cache.GlyphList(scene.objects[0], 0), cache.GlyphList(scene.objects[1], 1));
    EXPECT_NE(cache.GlyphList(scene.objects[0], 0), cache.GlyphList(scene.objects[0], 1));
}

TEST_F(GlyphRendering, OnlyTheDepthAndBevelArePartOfTheGeometry) {
    TextObject& object = scene.objects[0];
    glyphs.ApplyTextWithFallback(object, "H", sink);
    renderer.RenderScene(0);
    const GLuint first = cache.GlyphList(object, 0);
    object.SetScale(3.0f, 2.0f, 0.3f);
    object.bevel.width = 0.01f;  // no profile: no bevel
    renderer.RenderScene(0);
    EXPECT_EQ(cache.GlyphList(object, 0), first);
    object.SetScale(3.0f, 2.0f, 0.75f);
    renderer.RenderScene(0);
    const GLuint deeper = cache.GlyphList(object, 0);
    EXPECT_NE(deeper, first);
    object.bevel.profile = BevelProfile::kChamfer;
    renderer.RenderScene(0);
    EXPECT_NE(cache.GlyphList(object, 0), deeper);
    EXPECT_EQ(cache.GlyphListCount(), 1u);
    EXPECT_FALSE(glIsList(first));
}

TEST_F(GlyphRendering, LatinItalicTextIsCentredAndLit) {
    TextObject& object = scene.objects[2];
    object.SetText("Hello");
    glyphs.ApplyFontWithFallback(object, "DejaVu Serif", 1, 0, sink);
    EXPECT_TRUE(sink.texts.empty());
    ASSERT_EQ(object.glyphCount, 5);
    renderer.RenderScene(0);
    ExpectCentredAndLit(object, "latin");
}

TEST_F(GlyphRendering, WiderScaleStaysCentredWithoutARebuild) {
    TextObject& object = scene.objects[0];
    glyphs.ApplyTextWithFallback(object, "WAVE", sink);
    renderer.RenderScene(0);
    const Extent narrow = Drawn(window);
    object.SetScale(1.5f, 1.0f, object.scale[2]);
    renderer.RenderScene(0);
    const Extent wide = Drawn(window);
    EXPECT_GT(wide.right - wide.left, (narrow.right - narrow.left) * 13 / 10);
    ExpectCentredAndLit(object, "scaled");
}

TEST_F(GlyphRendering, SelectionModeOverGlyphListsHitsTheObject) {
    TextObject& object = scene.objects[3];
    glyphs.ApplyTextWithFallback(object, Utf8ToCp932("日本語テキスト").value(), sink);
    ASSERT_EQ(object.glyphCount, 7);
    renderer.RenderScene(0);
    const Extent e = Drawn(window);
    ASSERT_GT(e.right, e.left);

    auto pick = [&](int x, int y) {
        GLuint buffer[64] = {};
        glSelectBuffer(64, buffer);
        glRenderMode(GL_SELECT);
        glInitNames();
        glPushName(0);
        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glLoadIdentity();
        gluPickMatrix(x, viewport[3] - y, 4.0, 4.0, viewport);
        gluPerspective(kFieldOfViewDegrees, CurrentViewportAspect(), kNearPlane, kPickFarPlane);
        glMatrixMode(GL_MODELVIEW);
        renderer.ApplyViewTransform();
        renderer.DrawAllObjects(GL_SELECT, 0);
        const GLint hits = glRenderMode(GL_RENDER);
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        return std::make_pair(hits, buffer[3]);
    };
    // Find a drawn pixel of the middle row of the text and pick there.
    const int row = (e.top + e.bottom) / 2;
    int column = -1;
    for (int x = e.left; x <= e.right && column < 0; ++x) {
        if (IsLitYellow(window.Pixel(x, row))) {
            column = x;
        }
    }
    ASSERT_GE(column, 0);
    const auto [hits, name] = pick(column, row);
    EXPECT_EQ(hits, 1);
    EXPECT_EQ(name, 3u);
    EXPECT_EQ(pick(2, 2).first, 0);
}

// What feedback returns of draw seen from a fixed angle where no wall lies edge-on.
std::vector<GLfloat> Feedback(size_t triangles, const std::function<void()>& draw) {
    std::vector<GLfloat> buffer(triangles * 12 + 64);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    glDisable(GL_CULL_FACE);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-1.0, 2.0, -1.0, 2.0, -3.0, 3.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glRotatef(25.0f, 1.0f, 1.0f, 0.0f);
    draw();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glEnable(GL_CULL_FACE);
    buffer.resize(static_cast<size_t>(std::max(glRenderMode(GL_RENDER), 0)));
    return buffer;
}

size_t TriangleCount(const TextObject& object, char32_t character) {
    const ResolvedFont* font = TestFonts().Resolve("ＭＳ 明朝", 0, 128);
    const auto geometry = BuildGlyphGeometry(*font, character, object.scale[2]);
    return geometry ? geometry->mesh.TriangleCount() : 0;
}

// Feedback replays a list that mixes primitive types inexactly; plain triangles come back one
// polygon each.
TEST_F(GlyphRendering, FeedbackReturnsEveryTriangleOfAGlyphList) {
    TextObject& object = scene.objects[0];
    glyphs.ApplyTextWithFallback(object, Utf8ToCp932("鬱").value(), sink);
    ASSERT_EQ(object.glyphCount, 1);
    const size_t triangles = TriangleCount(object, U'鬱');
    ASSERT_GT(triangles, 0u);
    const std::vector<GLfloat> buffer =
        Feedback(triangles, [&] { glCallList(cache.GlyphList(object, 0)); });
    ASSERT_FALSE(buffer.empty());
    size_t polygons = 0;
    for (size_t i = 0; i < buffer.size();) {
        ASSERT_EQ(buffer[i], GL_POLYGON_TOKEN);
        ASSERT_EQ(buffer[i + 1], 3.0f);
        ++polygons;
        i += 2 + 3 * 3;
    }
    EXPECT_EQ(polygons, triangles);
}

TEST_F(GlyphRendering, AGlyphsVertexBufferDrawsTheTrianglesOfItsListAndGoesWithIt) {
    TextObject& object = scene.objects[0];
    glyphs.ApplyTextWithFallback(object, Utf8ToCp932("鬱 ").value(), sink);
    ASSERT_EQ(object.glyphCount, 2);
    EXPECT_EQ(cache.Mesh(object, 1), nullptr) << "a space draws nothing";
    const GlyphBuffer* mesh = cache.Mesh(object, 0);
    ASSERT_NE(mesh, nullptr);
    const size_t triangles = TriangleCount(object, U'鬱');
    EXPECT_EQ(static_cast<size_t>(mesh->vertexCount), triangles * 3);
    const BufferFunctions gl = LoadBufferFunctions();
    const std::vector<GLfloat> fromBuffer =
        Feedback(triangles, [&] { DrawGlyphBuffer(gl, *mesh); });
    EXPECT_EQ(fromBuffer.size(), triangles * 11);
    EXPECT_EQ(fromBuffer, Feedback(triangles, [&] { glCallList(cache.GlyphList(object, 0)); }));
    EXPECT_EQ(cache.GlyphListCount(), 2u) << "the buffer and the list share the glyph's entry";

    const GLuint name = mesh->buffer;
    ASSERT_TRUE(glIsBuffer(name));
    object.ClearGlyphs();
    renderer.RenderScene(0);
    EXPECT_FALSE(glIsBuffer(name)) << "a frame without the glyph lets its buffer go";
}

// Feedback's triangles, each from its least corner on (the winding kept), in sorted order.
std::vector<std::vector<GLfloat>> Triangles(const std::vector<GLfloat>& buffer) {
    std::vector<std::vector<GLfloat>> triangles;
    for (size_t i = 0; i + 11 <= buffer.size(); i += 11) {
        std::vector<GLfloat> t(buffer.begin() + static_cast<std::ptrdiff_t>(i + 2),
                               buffer.begin() + static_cast<std::ptrdiff_t>(i + 11));
        std::vector<GLfloat> least = t;
        for (int turn = 0; turn < 2; ++turn) {
            std::rotate(t.begin(), t.begin() + 3, t.end());
            least = std::min(least, t);
        }
        triangles.push_back(std::move(least));
    }
    std::sort(triangles.begin(), triangles.end());
    return triangles;
}

// A bevel's bands go into the list as triangle strips: they must draw the very triangles of the
// solid, each turning the same way.
TEST_F(GlyphRendering, ABevelledGlyphsListDrawsTheTrianglesOfItsBuffer) {
    TextObject& object = scene.objects[0];
    object.bevel.profile = BevelProfile::kRound;
    object.bevel.backToo = true;
    glyphs.ApplyTextWithFallback(object, Utf8ToCp932("鬱").value(), sink);
    ASSERT_EQ(object.glyphCount, 1);
    const GlyphBuffer* mesh = cache.Mesh(object, 0);
    ASSERT_NE(mesh, nullptr);
    const auto triangles = static_cast<size_t>(mesh->vertexCount / 3);
    const BufferFunctions gl = LoadBufferFunctions();
    const std::vector<GLfloat> fromBuffer =
        Feedback(triangles, [&] { DrawGlyphBuffer(gl, *mesh); });
    ASSERT_EQ(fromBuffer.size(), triangles * 11);
    EXPECT_EQ(Triangles(fromBuffer),
              Triangles(Feedback(triangles, [&] { glCallList(cache.GlyphList(object, 0)); })));
}

}  // namespace
