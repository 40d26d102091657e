// The exported transform against the view: points of an exported text that is turned and
// stretched, projected with the matrices of the frame just drawn, land on the text's colour.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>
#include <vector>

#include "export/model_assembly.h"
#include "formats/texture_pictures.h"
#include "render/render_cache.h"
#include "support/gl_view_setup.h"
#include "support/gl_window.h"
#include "support/recording_sink.h"
#include "support/test_glyphs.h"
#include "support/window_projection.h"
#include "text/glyph_layout.h"

namespace {

// The default yellow, lit from any side the rotation shows: never the white background.
bool IsTextColour(GlTestWindow::Rgb p) {
    return p.r > 60 && p.g > 60 && p.b < 80;
}

// Centres of the largest front-face triangles of the object's glyphs, in glyph units with the
// pen's advance added: points well inside the strokes.
std::vector<std::array<float, 3>> FrontPoints(const ModelScene& model, const ModelObject& object,
                                              std::size_t count) {
    std::vector<std::pair<float, std::array<float, 3>>> faces;
    for (const ModelGlyph& glyph : object.glyphs) {
        const ModelMesh& mesh = model.meshes[glyph.mesh];
        for (std::size_t t = 0; t < mesh.indices.size(); t += 3) {
            const float* p[3];
            bool front = true;
            for (int k = 0; k < 3; ++k) {
                const uint32_t v = mesh.indices[t + static_cast<std::size_t>(k)];
                p[k] = &mesh.positions[3 * v];
                front = front && mesh.normals[3 * v + 2] > 0.99f;
            }
            if (!front) {
                continue;
            }
            const float area = std::abs((p[1][0] - p[0][0]) * (p[2][1] - p[0][1]) -
                                        (p[2][0] - p[0][0]) * (p[1][1] - p[0][1]));
            faces.push_back({area,
                             {(p[0][0] + p[1][0] + p[2][0]) / 3.0f + glyph.advance,
                              (p[0][1] + p[1][1] + p[2][1]) / 3.0f, p[0][2]}});
        }
    }
    std::sort(faces.begin(), faces.end(),
              [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<std::array<float, 3>> points;
    for (std::size_t i = 0; i < faces.size() && i < count; ++i) {
        points.push_back(faces[i].second);
    }
    return points;
}

TEST(ExportedTransform, TurnedAndStretchedTextLandsWhereTheViewDrawsIt) {
    GlTestWindow window{320, 240};
    ASSERT_TRUE(window.ready());
    TexturePictures pictures;
    GlyphLayout glyphs{TestGlyphs()};
    RenderCache cache{TestGlyphs(), pictures};
    Scene scene;
    Renderer renderer{scene, cache};
    StartView(scene, 1);
    scene.view.showGuides = 0;
    TextObject& object = scene.objects[0];
    object.SetIndex(0);
    object.SetPosition(0.4f, -0.3f, 0.5f);
    object.SetRotation(25.0f, -35.0f, 20.0f);
    object.SetScale(1.8f, 0.7f, object.scale[2]);
    RecordingSink sink;
    glyphs.ApplyTextWithFallback(object, "HE", sink);
    ASSERT_EQ(object.glyphCount, 2);
    renderer.RenderScene(0);

    const ModelScene model = AssembleModelScene(scene, TestGlyphs(), sink);
    ASSERT_EQ(model.objects.size(), 1u);
    const std::vector<std::array<float, 3>> points = FrontPoints(model, model.objects[0], 8);
    ASSERT_EQ(points.size(), 8u);
    for (const std::array<float, 3>& point : points) {
        const std::array<double, 3> world =
            TransformPoint(model.objects[0].transform, point.data());
        const WindowProjection at = ProjectToWindow(world[0], world[1], world[2]);
        const int x = static_cast<int>(at.x);
        const int y = at.viewportHeight - 1 - static_cast<int>(at.y);
        ASSERT_TRUE(x >= 0 && x < window.width() && y >= 0 && y < window.height()) << x << "," << y;
        const GlTestWindow::Rgb p = window.Pixel(x, y);
        EXPECT_TRUE(IsTextColour(p))
            << "glyph point (" << point[0] << ", " << point[1] << ") drawn at " << x << "," << y
            << ": " << p.r << " " << p.g << " " << p.b;
    }
    if (HasFailure()) {
        window.SaveImage("model_transform.ppm");
    }
}

}  // namespace
