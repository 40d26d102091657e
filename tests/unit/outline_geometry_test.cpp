#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <tuple>
#include <vector>

#include "text/font_resolver.h"
#include "text/outline_extruder.h"
#include "text/outline_flattener.h"
#include "text/outline_glyph.h"
#include "text/outline_glyph_cache.h"
#include "text/outline_tessellator.h"

namespace {

// A hand-made FreeType outline, coordinates in font units.
class TestOutline {
  public:
    void Contour(std::initializer_list<std::tuple<long, long, char>> points) {
        for (const auto& [x, y, tag] : points) {
            points_.push_back({x, y});
            tags_.push_back(tag);
        }
        ends_.push_back(static_cast<short>(points_.size() - 1));
    }
    FT_Outline Get() {
        FT_Outline outline{};
        outline.n_points = static_cast<short>(points_.size());
        outline.n_contours = static_cast<short>(ends_.size());
        outline.points = points_.data();
        outline.tags = tags_.data();
        outline.contours = ends_.data();
        return outline;
    }

  private:
    std::vector<FT_Vector> points_;
    std::vector<char> tags_;
    std::vector<short> ends_;
};

constexpr char kOn = FT_CURVE_TAG_ON;
constexpr char kConic = FT_CURVE_TAG_CONIC;

double Area(const FaceTriangulation& t) {
    double sum = 0.0;
    for (size_t i = 0; i < t.triangles.size(); i += 3) {
        const OutlinePoint& a = t.vertices[t.triangles[i]];
        const OutlinePoint& b = t.vertices[t.triangles[i + 1]];
        const OutlinePoint& c = t.vertices[t.triangles[i + 2]];
        sum += ((b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x)) / 2.0;
    }
    return sum;
}

double BoundaryLength(const FaceTriangulation& t) {
    double sum = 0.0;
    for (const auto& [from, to] : t.boundary) {
        sum += std::hypot(t.vertices[to].x - t.vertices[from].x,
                          t.vertices[to].y - t.vertices[from].y);
    }
    return sum;
}

struct Vec3 {
    double x, y, z;
};
Vec3 Sub(const float* a, const float* b) {
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}
Vec3 Cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// Checks that the mesh is a closed, consistently oriented surface whose normals face outwards:
// every directed edge appears once and its reverse once, every real triangle winds
// counter-clockwise around its normals, and the enclosed volume is positive.
void ExpectClosedOutwardSolid(const GlyphMesh& mesh, const char* what) {
    // Exact coordinates: corners shared by faces and walls come from the same floats.
    using Point = std::tuple<float, float, float>;
    auto key = [](const float* p) { return Point{p[0], p[1], p[2]}; };
    std::map<std::pair<Point, Point>, int> directed;
    double volume = 0.0;
    int inward = 0;
    for (size_t i = 0; i + 2 < mesh.vertices.size(); i += 3) {
        const MeshVertex* v = &mesh.vertices[i];
        for (int k = 0; k < 3; ++k) {
            ++directed[{key(v[k].position), key(v[(k + 1) % 3].position)}];
        }
        const Vec3 n = Cross(Sub(v[1].position, v[0].position), Sub(v[2].position, v[0].position));
        const double length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
        if (length > 1e-9) {
            for (int k = 0; k < 3; ++k) {
                const float* s = v[k].normal;
                if ((n.x * s[0] + n.y * s[1] + n.z * s[2]) / length <= 0.0) {
                    ++inward;
                }
            }
        }
        const float* a = v[0].position;
        volume += (a[0] * n.x + a[1] * n.y + a[2] * n.z) / 6.0;
    }
    int unmatched = 0;
    for (const auto& [edge, count] : directed) {
        const auto reverse = directed.find({edge.second, edge.first});
        if (count != 1 || reverse == directed.end() || reverse->second != 1) {
            ++unmatched;
        }
    }
    EXPECT_EQ(unmatched, 0) << what;
    EXPECT_EQ(inward, 0) << what;
    EXPECT_GT(volume, 0.0) << what;
}

TEST(OutlineFlattening, CurvesStayWithinTheToleranceWithFewPieces) {
    // A quarter-circle-like conic bulging upwards, closed by a straight base, 1000 units = 1 em.
    TestOutline shape;
    shape.Contour({{0, 0, kOn}, {500, 1000, kConic}, {1000, 0, kOn}});
    const FT_Outline outline = shape.Get();
    const FlatOutline flat = FlattenOutline(outline, 0.001f);
    ASSERT_EQ(flat.contours.size(), 1u);
    const OutlineContour& c = flat.contours[0];
    // Every chord's midpoint lies within the tolerance of the true curve y = 2t(1-t) over x = t.
    double worst = 0.0;
    for (size_t i = 0; i + 1 < c.size(); ++i) {
        const double mx = (c[i].x + c[i + 1].x) / 2.0;
        const double my = (c[i].y + c[i + 1].y) / 2.0;
        worst = std::max(worst, std::abs(2.0 * mx * (1.0 - mx) - my));
    }
    EXPECT_LE(worst, kChordalTolerance * 1.01);
    EXPECT_GE(c.size(), 10u);  // a 1-em arc cannot be that accurate with a handful of chords
    EXPECT_LE(c.size(), 40u);  // nor needs hundreds
    // Interior curve points are smooth; the two corners with the base are not.
    EXPECT_FALSE(c.front().smooth);
    EXPECT_TRUE(c[c.size() / 2].smooth);
    EXPECT_FALSE(c.back().smooth);
}

TEST(OutlineFlattening, CubicCurvesOfPostScriptOutlinesToo) {
    TestOutline shape;
    constexpr char kCubic = FT_CURVE_TAG_CUBIC;
    shape.Contour({{0, 0, kOn}, {0, 1000, kCubic}, {1000, 1000, kCubic}, {1000, 0, kOn}});
    const FT_Outline outline = shape.Get();
    const FlatOutline flat = FlattenOutline(outline, 0.001f);
    ASSERT_EQ(flat.contours.size(), 1u);
    const OutlineContour& c = flat.contours[0];
    // Distance of each chord's midpoint from the densely sampled curve.
    std::vector<std::pair<double, double>> curve;
    for (int i = 0; i <= 4000; ++i) {
        const double t = i / 4000.0;
        curve.emplace_back(3 * t * t - 2 * t * t * t, 3 * t * (1 - t));
    }
    double worst = 0.0;
    for (size_t i = 0; i + 1 < c.size(); ++i) {
        const double mx = (c[i].x + c[i + 1].x) / 2.0;
        const double my = (c[i].y + c[i + 1].y) / 2.0;
        if (my <= 0.0) {
            continue;  // the straight base
        }
        double nearest = 1.0;
        for (const auto& [x, y] : curve) {
            nearest = std::min(nearest, std::hypot(x - mx, y - my));
        }
        worst = std::max(worst, nearest);
    }
    EXPECT_LE(worst, kChordalTolerance * 1.05);
    EXPECT_GE(c.size(), 10u);
    EXPECT_LE(c.size(), 60u);
}

TEST(OutlineFlattening, ScalesToEmUnitsAppliesTheMatrixAndDropsEmptyContours) {
    TestOutline shape;
    shape.Contour({{0, 0, kOn}, {2048, 0, kOn}, {2048, 2048, kOn}, {0, 2048, kOn}});
    shape.Contour({{10, 10, kOn}, {10, 10, kOn}});  // encloses nothing
    const FT_Outline outline = shape.Get();
    const FlatOutline flat = FlattenOutline(outline, 1.0f / 2048.0f, OutlineMatrix{1, 0.2f, 0, 1});
    ASSERT_EQ(flat.contours.size(), 1u);
    ASSERT_EQ(flat.contours[0].size(), 4u);
    EXPECT_FLOAT_EQ(flat.contours[0][2].x, 1.2f);  // (1, 1) sheared by 0.2
    EXPECT_FLOAT_EQ(flat.contours[0][2].y, 1.0f);
    EXPECT_FLOAT_EQ(flat.contours[0][1].x, 1.0f);
}

TEST(OutlineTessellation, HolesAndOverlapsFollowNonZeroWindingWithOutwardBoundaries) {
    // TrueType habit: outer contour clockwise, hole counter-clockwise.
    TestOutline ring;
    ring.Contour({{0, 0, kOn}, {0, 1000, kOn}, {1000, 1000, kOn}, {1000, 0, kOn}});
    ring.Contour({{250, 250, kOn}, {750, 250, kOn}, {750, 750, kOn}, {250, 750, kOn}});
    FT_Outline outline = ring.Get();
    FaceTriangulation face = TessellateOutline(FlattenOutline(outline, 0.001f));
    ASSERT_TRUE(face.ok);
    EXPECT_NEAR(Area(face), 1.0 - 0.25, 1e-6);  // every triangle counter-clockwise, hole open
    EXPECT_NEAR(BoundaryLength(face), 4.0 + 2.0, 1e-6);
    // The filled region lies left of every boundary edge: outer runs counter-clockwise.
    double turning = 0.0;
    for (const auto& [from, to] : face.boundary) {
        const OutlinePoint& a = face.vertices[from];
        const OutlinePoint& b = face.vertices[to];
        turning += a.x * b.y - b.x * a.y;
    }
    EXPECT_NEAR(turning / 2.0, 0.75, 1e-6);

    // Two overlapping squares wound the same way fill their union, with no inner walls.
    TestOutline overlap;
    overlap.Contour({{0, 0, kOn}, {0, 1000, kOn}, {1000, 1000, kOn}, {1000, 0, kOn}});
    overlap.Contour({{500, 500, kOn}, {500, 1500, kOn}, {1500, 1500, kOn}, {1500, 500, kOn}});
    outline = overlap.Get();
    face = TessellateOutline(FlattenOutline(outline, 0.001f));
    EXPECT_NEAR(Area(face), 1.75, 1e-6);
    EXPECT_NEAR(BoundaryLength(face), 6.0, 1e-6);
    for (size_t i = 0; i < face.triangles.size(); i += 3) {
        const auto* t = &face.triangles[i];
        const OutlinePoint &a = face.vertices[t[0]], &b = face.vertices[t[1]],
                           &c = face.vertices[t[2]];
        EXPECT_GE((b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x), 0.0);
    }
}

TEST(OutlineExtrusion, FacesAtTheRightDepthWallsBlendOnlyOnCurves) {
    TestOutline shape;
    shape.Contour({{0, 0, kOn}, {500, 1000, kConic}, {1000, 0, kOn}});
    const FT_Outline outline = shape.Get();
    const FaceTriangulation face = TessellateOutline(FlattenOutline(outline, 0.001f));
    const GlyphMesh mesh = ExtrudeFaces(face, 0.3f);
    ExpectClosedOutwardSolid(mesh, "arch");
    int front = 0, back = 0, sideDown = 0;
    for (const MeshVertex& v : mesh.vertices) {
        if (v.normal[2] == 1.0f) {
            ++front;
            EXPECT_EQ(v.position[2], 0.0f);
        } else if (v.normal[2] == -1.0f) {
            ++back;
            EXPECT_FLOAT_EQ(v.position[2], -0.3f);
        } else {
            EXPECT_EQ(v.normal[2], 0.0f);
            // The flat base keeps its own straight-down normal right up to the corners.
            if (v.position[1] == 0.0f && v.normal[1] < -0.999f) {
                ++sideDown;
            }
        }
    }
    EXPECT_EQ(front, back);
    EXPECT_EQ(front, static_cast<int>(face.triangles.size()));
    EXPECT_EQ(sideDown, 6);  // both triangles of the base wall, all six corners
    // Along the curve neighbouring walls meet with one normal, so the arch shades smoothly.
    std::map<std::tuple<float, float, float>, std::tuple<float, float, float>> curveNormals;
    int seams = 0;
    for (const MeshVertex& v : mesh.vertices) {
        if (v.normal[2] != 0.0f || v.position[1] <= 0.0f) {
            continue;
        }
        const auto normal = std::make_tuple(v.normal[0], v.normal[1], v.normal[2]);
        const auto [it, first] = curveNormals.emplace(
            std::make_tuple(v.position[0], v.position[1], v.position[2]), normal);
        seams += !first && it->second != normal ? 1 : 0;
    }
    EXPECT_GT(curveNormals.size(), 20u);
    EXPECT_EQ(seams, 0);
    // A negative depth puts the solid in front of z = 0 and keeps it facing outwards.
    ExpectClosedOutwardSolid(ExtrudeFaces(face, -0.2f), "negative depth");
}

TEST(GlyphSolids, RealGlyphsAreClosedOutwardSolidsMatchingTheirMetrics) {
    FontResolver& resolver = FontResolver::Instance();
    const ResolvedFont* mincho = resolver.Resolve("ＭＳ 明朝", 1, 128);  // synthetic bold italic
    const ResolvedFont* sans = resolver.Resolve("DejaVu Sans", 0, 0);
    ASSERT_NE(mincho, nullptr);
    ASSERT_NE(sans, nullptr);
    const std::vector<std::pair<const ResolvedFont*, char32_t>> glyphs = {
        {mincho, U'あ'}, {mincho, U'日'}, {mincho, U'鬱'}, {mincho, U'g'},
        {sans, U'O'},    {sans, U'B'},    {sans, U'%'},    {sans, U'@'}};
    for (const auto& [font, character] : glyphs) {
        const auto geometry = BuildGlyphGeometry(*font, character, 0.3f);
        ASSERT_NE(geometry, nullptr);
        const std::string what = "U+" + std::to_string(static_cast<unsigned>(character));
        ExpectClosedOutwardSolid(geometry->mesh, what.c_str());
        float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f;
        for (const MeshVertex& v : geometry->mesh.vertices) {
            minX = std::min(minX, v.position[0]);
            maxX = std::max(maxX, v.position[0]);
            minY = std::min(minY, v.position[1]);
            maxY = std::max(maxY, v.position[1]);
        }
        const GlyphMetricsFloat& m = geometry->metrics;
        EXPECT_FLOAT_EQ(m.gmfptGlyphOrigin.x, minX) << what;
        EXPECT_FLOAT_EQ(m.gmfptGlyphOrigin.y, maxY) << what;
        EXPECT_FLOAT_EQ(m.gmfBlackBoxX, maxX - minX) << what;
        EXPECT_FLOAT_EQ(m.gmfBlackBoxY, maxY - minY) << what;
        EXPECT_GT(m.gmfCellIncX, 0.3f) << what;
        EXPECT_LT(m.gmfBlackBoxY, 1.2f) << what;  // em units
        EXPECT_EQ(m.gmfCellIncY, 0.0f) << what;
    }
}

TEST(GlyphSolids, MissingGlyphFailsAndBlankGlyphOnlyAdvances) {
    const ResolvedFont* sans = FontResolver::Instance().Resolve("DejaVu Sans", 0, 0);
    ASSERT_NE(sans, nullptr);
    EXPECT_EQ(BuildGlyphGeometry(*sans, U'日', 0.3f), nullptr);
    const auto space = BuildGlyphGeometry(*sans, U' ', 0.3f);
    ASSERT_NE(space, nullptr);
    EXPECT_TRUE(space->mesh.vertices.empty());
    EXPECT_GT(space->metrics.gmfCellIncX, 0.2f);
    EXPECT_EQ(space->metrics.gmfBlackBoxY, 0.0f);
}

TEST(GlyphSolids, OutlinesAreCachedPerFontAndCharacter) {
    FontResolver& resolver = FontResolver::Instance();
    const ResolvedFont* upright = resolver.Resolve("ＭＳ 明朝", 0, 128);
    const ResolvedFont* italic = resolver.Resolve("ＭＳ 明朝", 1, 128);
    ASSERT_NE(upright, nullptr);
    ASSERT_NE(italic, nullptr);
    const auto first = CachedGlyphOutline(*upright, U'字');
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(CachedGlyphOutline(*upright, U'字'), first);
    const auto slanted = CachedGlyphOutline(*italic, U'字');
    ASSERT_NE(slanted, nullptr);
    EXPECT_NE(slanted, first);
    EXPECT_GT(slanted->metrics.gmfBlackBoxX, first->metrics.gmfBlackBoxX);  // sheared
    ClearGlyphOutlineCache();
    EXPECT_NE(CachedGlyphOutline(*upright, U'字'), first);
    EXPECT_EQ(CachedGlyphOutline(*resolver.Resolve("DejaVu Sans", 0, 0), U'字'), nullptr);
}

}  // namespace
