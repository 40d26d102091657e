#include <gtest/gtest.h>

#include <algorithm>
#include <clipper.hpp>
#include <cmath>
#include <map>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "scene/cp932.h"
#include "support/test_glyphs.h"
#include "tests/support/closed_solid.h"
#include "text/font_resolver.h"
#include "text/grid_segments.h"
#include "text/outline_extruder.h"
#include "text/outline_flattener.h"
#include "text/outline_glyph.h"
#include "text/outline_glyph_cache.h"
#include "text/outline_tessellator.h"
#include "text/outline_union.h"
#include "text/polygon_triangulator.h"
#include "text/sliver_flips.h"

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

void ExpectClosedOutwardSolid(const GlyphMesh& mesh, const std::string& what) {
    const SolidFaults faults = InspectSolid(mesh);
    EXPECT_TRUE(faults.Closed()) << what << ": " << faults;
}

// The corners of the mesh's triangles, three per triangle.
std::vector<MeshVertex> Corners(const GlyphMesh& mesh) {
    std::vector<MeshVertex> corners;
    for (uint32_t index : mesh.indices) {
        corners.push_back(mesh.vertices.at(index));
    }
    return corners;
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

    // An island in the hole fills again; a contour inside the island wound its way adds nothing.
    ring.Contour({{400, 400, kOn}, {400, 600, kOn}, {600, 600, kOn}, {600, 400, kOn}});
    ring.Contour({{450, 450, kOn}, {450, 550, kOn}, {550, 550, kOn}, {550, 450, kOn}});
    outline = ring.Get();
    face = TessellateOutline(FlattenOutline(outline, 0.001f));
    EXPECT_NEAR(Area(face), 0.75 + 0.04, 1e-6);
    EXPECT_NEAR(BoundaryLength(face), 6.0 + 0.8, 1e-5);

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

    // A small square crossing a long bar far from where the bar's edges start.
    TestOutline bar;
    bar.Contour({{0, 0, kOn}, {0, 100, kOn}, {3000, 100, kOn}, {3000, 0, kOn}});
    bar.Contour({{2500, 200, kOn}, {2600, 200, kOn}, {2600, 50, kOn}, {2500, 50, kOn}});
    outline = bar.Get();
    face = TessellateOutline(FlattenOutline(outline, 0.001f));
    EXPECT_NEAR(Area(face), 0.31, 1e-5);
}

TEST(OutlineTessellation, ContoursTouchingAtACornerStillMakeAClosedSolid) {
    // Two squares meeting at one corner, and a third overlapping a fourth along part of an
    // edge: walls must neither meet four along one line nor overlap.
    TestOutline shape;
    shape.Contour({{0, 0, kOn}, {0, 1000, kOn}, {1000, 1000, kOn}, {1000, 0, kOn}});
    shape.Contour({{1000, 1000, kOn}, {1000, 2000, kOn}, {2000, 2000, kOn}, {2000, 1000, kOn}});
    shape.Contour({{3000, 0, kOn}, {3000, 1000, kOn}, {4000, 1000, kOn}, {4000, 0, kOn}});
    shape.Contour({{4000, 500, kOn}, {4000, 700, kOn}, {5000, 700, kOn}, {5000, 500, kOn}});
    const FT_Outline outline = shape.Get();
    const FaceTriangulation face = TessellateOutline(FlattenOutline(outline, 0.001f));
    ASSERT_TRUE(face.ok);
    // Parting the corners cuts two slivers 16 grid steps deep.
    EXPECT_NEAR(Area(face), 3.2, 2e-5);
    ExpectClosedOutwardSolid(ExtrudeFaces(face, 0.3f), "touching squares");
}

// Random rectangles, stars and self-crossing contours on a 1/32 em grid, where rounding the
// points contours make where they cross is most likely to bring rings together.
FlatOutline RandomContours(std::mt19937& random) {
    auto grid = [&random](int from, int to) {
        return static_cast<float>(std::uniform_int_distribution<int>(from, to)(random)) / 32.0f;
    };
    FlatOutline outline;
    const int count = std::uniform_int_distribution<int>(2, 5)(random);
    for (int c = 0; c < count; ++c) {
        OutlineContour& contour = outline.contours.emplace_back();
        const int kind = std::uniform_int_distribution<int>(0, 2)(random);
        if (kind == 0) {
            const float x0 = grid(0, 24), y0 = grid(0, 24), x1 = x0 + grid(1, 8),
                        y1 = y0 + grid(1, 8);
            contour = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
        } else if (kind == 1) {
            const float cx = grid(4, 28), cy = grid(4, 28), outer = grid(2, 8), inner = grid(1, 3);
            const int tips = std::uniform_int_distribution<int>(3, 8)(random);
            for (int k = 0; k < 2 * tips; ++k) {
                const double angle = M_PI * k / tips;
                const float r = k % 2 == 0 ? outer : inner;
                // On the grid as the flattener's points of a real glyph are not: rounded.
                contour.push_back(
                    {std::round(static_cast<float>(cx + r * std::cos(angle)) * 32) / 32,
                     std::round(static_cast<float>(cy + r * std::sin(angle)) * 32) / 32});
            }
        } else {
            const int corners = std::uniform_int_distribution<int>(4, 8)(random);
            for (int k = 0; k < corners; ++k) {
                contour.push_back({grid(0, 32), grid(0, 32)});
            }
        }
        if (std::bernoulli_distribution(0.5)(random)) {
            std::reverse(contour.begin(), contour.end());
        }
    }
    return outline;
}

// The clipper's own union of the contours, in square grid steps.
double ClipperArea(const FlatOutline& outline) {
    ClipperLib::Paths paths;
    for (const OutlineContour& contour : outline.contours) {
        ClipperLib::Path& path = paths.emplace_back();
        for (const OutlinePoint& p : contour) {
            path.emplace_back(std::llround(p.x * kGridStepsPerEm),
                              std::llround(p.y * kGridStepsPerEm));
        }
    }
    ClipperLib::Clipper clipper;
    clipper.AddPaths(paths, ClipperLib::ptSubject, true);
    ClipperLib::Paths united;
    clipper.Execute(ClipperLib::ctUnion, united, ClipperLib::pftNonZero, ClipperLib::pftNonZero);
    double area = 0.0;
    for (const ClipperLib::Path& path : united) {
        area += ClipperLib::Area(path);
    }
    return area;
}

// Twice the signed area of abc, exact on the grid.
int64_t Orientation(const GridPoint& a, const GridPoint& b, const GridPoint& c) {
    return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

TEST(OutlineUnion, RandomContoursUniteIntoRingsThatShareNoPointAndKeepTheArea) {
    std::mt19937 random(29);
    int failed = 0;
    for (int trial = 0; trial < 4000; ++trial) {
        const FlatOutline outline = RandomContours(random);
        const UnitedOutline united = UniteContours(outline);
        if (!united.ok) {
            ++failed;  // reported, so the glyph is left out as any failed one is
            continue;
        }
        std::vector<const std::vector<uint32_t>*> rings;
        for (const PolygonRings& polygon : united.polygons) {
            rings.push_back(&polygon.outer);
            for (const auto& hole : polygon.holes) {
                rings.push_back(&hole);
            }
        }
        std::vector<int> visits(united.grid.size(), 0);
        std::vector<GridPoint> byX = united.grid;
        std::sort(byX.begin(), byX.end(),
                  [](const GridPoint& p, const GridPoint& q) { return p.x < q.x; });
        double area = 0.0;
        for (const std::vector<uint32_t>* ring : rings) {
            for (size_t i = 0; i < ring->size(); ++i) {
                ++visits[(*ring)[i]];
                const GridPoint& a = united.grid[(*ring)[i]];
                const GridPoint& b = united.grid[(*ring)[(i + 1) % ring->size()]];
                area += static_cast<double>(a.x * b.y - a.y * b.x) / 2.0;
                // No corner anywhere lies on this edge between its ends.
                auto q = std::lower_bound(byX.begin(), byX.end(), std::min(a.x, b.x),
                                          [](const GridPoint& p, int64_t x) { return p.x < x; });
                for (; q != byX.end() && q->x <= std::max(a.x, b.x); ++q) {
                    const bool between =
                        (q->x - a.x) * (b.x - a.x) + (q->y - a.y) * (b.y - a.y) > 0 &&
                        (q->x - b.x) * (a.x - b.x) + (q->y - b.y) * (a.y - b.y) > 0;
                    ASSERT_FALSE(Orientation(a, b, *q) == 0 && between) << "trial " << trial;
                }
            }
        }
        ASSERT_TRUE(std::all_of(visits.begin(), visits.end(), [](int v) { return v <= 1; }))
            << "trial " << trial << ": rings share a point";
        // Parting rings cuts slivers some 16 grid steps (1.5e-5 em) deep.
        EXPECT_NEAR(area, ClipperArea(outline), 1e-4 * kGridStepsPerEm * kGridStepsPerEm)
            << "trial " << trial;
        const SolidFaults faults = InspectSolid(ExtrudeFaces(TessellateOutline(outline), 0.2f));
        ASSERT_TRUE(faults.Closed() || ClipperArea(outline) == 0.0)
            << "trial " << trial << ": " << faults;
    }
    // Reported failure is the last resort: about one in a thousand of these, none in real glyphs.
    EXPECT_LE(failed, 4);
}

// Checks that triangles cover the polygon exactly once: each has positive area, each ring
// edge is used once in its own direction, and every other edge is met by its reverse.
void ExpectExactCover(const std::vector<GridPoint>& points, const PolygonRings& polygon,
                      const std::vector<uint32_t>& triangles) {
    using Edge = std::pair<uint32_t, uint32_t>;
    std::map<Edge, int> edges;
    for (size_t i = 0; i + 2 < triangles.size(); i += 3) {
        const GridPoint &a = points[triangles[i]], &b = points[triangles[i + 1]],
                        &c = points[triangles[i + 2]];
        EXPECT_GT((b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x), 0);
        for (int k = 0; k < 3; ++k) {
            ++edges[{triangles[i + k], triangles[i + (k + 1) % 3]}];
        }
    }
    auto count = [&edges](const Edge& e) {
        const auto it = edges.find(e);
        return it == edges.end() ? 0 : it->second;
    };
    std::map<Edge, int> outside;  // the reverse of every ring edge
    auto walk = [&](const std::vector<uint32_t>& ring) {
        for (size_t i = 0; i < ring.size(); ++i) {
            const Edge e{ring[i], ring[(i + 1) % ring.size()]};
            EXPECT_EQ(count(e), 1);
            ++outside[{e.second, e.first}];
        }
    };
    walk(polygon.outer);
    for (const auto& hole : polygon.holes) {
        walk(hole);
    }
    for (const auto& [e, n] : edges) {
        const Edge reverse{e.second, e.first};
        EXPECT_EQ(n, 1);
        EXPECT_EQ(count(reverse) + outside[reverse], 1);
    }
}

TEST(PolygonTriangulation, ManyHolesTouchingCornersAndCollinearPointsAreCoveredExactly) {
    std::vector<GridPoint> points;
    auto at = [&points](int64_t x, int64_t y) {
        points.push_back({x, y});
        return static_cast<uint32_t>(points.size() - 1);
    };
    PolygonRings polygon;
    // A 40 x 40 square with points along its edges; one on the left edge also bounds a hole.
    const uint32_t touch = at(0, 20);
    polygon.outer = {at(0, 0),   at(10, 0), at(20, 0), at(40, 0), at(40, 40),
                     at(30, 40), at(0, 40), at(0, 30), touch,     at(0, 10)};
    polygon.holes.push_back({touch, at(5, 24), at(5, 16)});
    // A grid of square holes, clockwise; the last two share a corner.
    for (int64_t x = 10; x < 34; x += 6) {
        for (int64_t y = 6; y < 30; y += 6) {
            polygon.holes.push_back({at(x, y), at(x, y + 3), at(x + 3, y + 3), at(x + 3, y)});
        }
    }
    const uint32_t shared = at(36, 36);
    polygon.holes.push_back({at(34, 34), at(34, 36), shared, at(36, 34)});
    polygon.holes.push_back({shared, at(36, 38), at(38, 38), at(38, 36)});
    std::vector<uint32_t> triangles;
    EXPECT_TRUE(TriangulatePolygon(points, polygon, triangles));
    ExpectExactCover(points, polygon, triangles);
}

// Along a slightly bumpy edge ear clipping cuts triangles one grid step high; flipped over to
// their neighbours they become as high as the strip, and the cover stays exact.
TEST(PolygonTriangulation, SliversAlongABumpyEdgeAreFlippedAway) {
    std::vector<GridPoint> points;
    PolygonRings polygon;
    for (int64_t i = 0; i <= 40; ++i) {
        polygon.outer.push_back(static_cast<uint32_t>(points.size()));
        points.push_back({i * 1000, i % 2});
    }
    for (const int64_t x : {40000, 20000, 0}) {
        polygon.outer.push_back(static_cast<uint32_t>(points.size()));
        points.push_back({x, 3000});
    }
    std::vector<uint32_t> triangles;
    EXPECT_TRUE(TriangulatePolygon(points, polygon, triangles));
    ExpectExactCover(points, polygon, triangles);
    double lowest = 1e9;
    for (size_t t = 0; t < triangles.size(); t += 3) {
        const GridPoint &a = points[triangles[t]], &b = points[triangles[t + 1]],
                        &c = points[triangles[t + 2]];
        const double longest =
            std::max({std::hypot(b.x - a.x, b.y - a.y), std::hypot(c.x - b.x, c.y - b.y),
                      std::hypot(a.x - c.x, a.y - c.y)});
        lowest = std::min(lowest, static_cast<double>(Orientation(a, b, c)) / longest);
    }
    EXPECT_GE(lowest, kMinTriangleHeight);
}

// Slanted segments in every direction, most with no grid point of their own: points asked for in
// turn along one lie on it or just left of it, near where they were asked for, and seen from its
// start each lies no further left than the one before (none beside it follows one on it).
TEST(GridSegments, PointsAlongASegmentLieOnItOrJustLeftOfItInOrder) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int64_t> coordinate(-60000, 60000);
    size_t asked = 0, beside = 0;
    for (int n = 0; n < 400; ++n) {
        const GridPoint a{coordinate(random), coordinate(random)};
        const GridPoint b{coordinate(random), coordinate(random)};
        const double length =
            std::hypot(static_cast<double>(b.x - a.x), static_cast<double>(b.y - a.y));
        GridPoint previous = a;
        for (double t = 0.1; t < 0.95; t += 0.2) {
            double at = 0.0;
            const auto p = GridPointAlong(a, b, t, 0.01 * length, true, previous, at);
            ++asked;
            if (!p) {
                continue;
            }
            const int64_t off = Orientation(a, b, *p);
            EXPECT_GE(off, 0);
            EXPECT_LT(static_cast<double>(off) / length, 1.0 / 16.0);
            EXPECT_GE(Orientation(a, *p, previous), 0);
            if (off > 0) {
                EXPECT_NEAR(at, t, 0.01 + 1e-9);
                ++beside;
            }
            previous = *p;
        }
        double at = 0.0;
        const auto onEdge = GridPointAlong(a, b, 0.5, 0.0, false, a, at);
        EXPECT_TRUE(!onEdge || Orientation(a, b, *onEdge) == 0);
    }
    EXPECT_GT(beside, asked * 4 / 5);
}

// Rings round a centre, their corners' angles shaken by up to a few times the spacing, so some
// stay simple and others cross, touch or run along themselves: whether a ring meets itself, and
// whether every third of its edges meets another, agree with comparing every pair of edges but
// neighbours.
TEST(GridSegments, RingsMeetingThemselvesAgreeWithEveryPairCompared) {
    std::mt19937 random(11);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    int meeting = 0, clear = 0;
    for (int k = 0; k < 600; ++k) {
        const size_t n = 4 + static_cast<size_t>(k) % 70;
        const double spacing = 6.283185307179586 / static_cast<double>(n);
        std::vector<GridPoint> ring;
        for (size_t i = 0; i < n; ++i) {
            const double angle =
                (static_cast<double>(i) + (k % 4) * (unit(random) - 0.5)) * spacing;
            const double radius = 40.0 + 20.0 * unit(random);
            ring.push_back(
                {std::llround(radius * std::cos(angle)), std::llround(radius * std::sin(angle))});
        }
        auto next = [n](size_t e) { return (e + 1) % n; };
        bool repeated = false, expected = false;
        for (size_t e = 0; e < n; ++e) {
            repeated = repeated || (ring[e].x == ring[next(e)].x && ring[e].y == ring[next(e)].y);
            for (size_t f = e + 1; f < n; ++f) {
                expected =
                    expected || (f != next(e) && e != next(f) &&
                                 SegmentsMeet(ring[e], ring[next(e)], ring[f], ring[next(f)]));
            }
        }
        if (repeated) {
            continue;
        }
        EXPECT_EQ(RingMeetsItself(ring), expected) << "ring " << k;
        std::vector<size_t> some;
        bool someMeet = false;
        for (size_t e = static_cast<size_t>(k) % 3; e < n; e += 3) {
            some.push_back(e);
            for (size_t f = 0; f < n; ++f) {
                someMeet =
                    someMeet || (f != e && f != next(e) && e != next(f) &&
                                 SegmentsMeet(ring[e], ring[next(e)], ring[f], ring[next(f)]));
            }
        }
        EXPECT_EQ(EdgesMeetRing(ring, some), someMeet) << "ring " << k;
        (expected ? meeting : clear) += 1;
    }
    EXPECT_GT(meeting, 100);
    EXPECT_GT(clear, 100);
}

TEST(OutlineExtrusion, FacesAtTheRightDepthWallsBlendOnlyOnCurves) {
    TestOutline shape;
    shape.Contour({{0, 0, kOn}, {500, 1000, kConic}, {1000, 0, kOn}});
    const FT_Outline outline = shape.Get();
    const FaceTriangulation face = TessellateOutline(FlattenOutline(outline, 0.001f));
    const GlyphMesh mesh = ExtrudeFaces(face, 0.3f);
    ExpectClosedOutwardSolid(mesh, "arch");
    int front = 0, back = 0, sideDown = 0;
    for (const MeshVertex& v : Corners(mesh)) {
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
    for (const MeshVertex& v : Corners(mesh)) {
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
    FontResolver& resolver = TestFonts();
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
        ExpectClosedOutwardSolid(geometry->mesh, what);
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

// Every step-th code of the CP932 double-byte range, as Unicode (codes CP932 leaves empty
// are skipped).
std::vector<char32_t> SampledJisCharacters(int step) {
    std::vector<char32_t> characters;
    int n = 0;
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead == 0xA0) {
            lead = 0xE0;
        }
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F || n++ % step != 0) {
                continue;
            }
            const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            const auto utf8 = Cp932ToUtf8(std::string_view(bytes, 2));
            char32_t c = 0;
            if (utf8 && utf8->size() == 3) {
                const auto* u = reinterpret_cast<const unsigned char*>(utf8->data());
                c = static_cast<char32_t>(((u[0] & 0x0F) << 12) | ((u[1] & 0x3F) << 6) |
                                          (u[2] & 0x3F));
            }
            if (c != 0) {
                characters.push_back(c);
            }
        }
    }
    return characters;
}

// Synthetic bold (always asked for) and the oblique shear make contours overlap; the solids
// must stay closed anyway, in every Japanese alias and a few Latin faces.
TEST(GlyphSolids, SampledCharactersOfEveryFaceAreClosedSolids) {
    std::vector<char32_t> jis = SampledJisCharacters(41);
    // Sheared, its strokes cross where the clipper's rounding leaves a corner just off an edge.
    jis.push_back(U'静');
    std::vector<char32_t> latin;
    for (char32_t c = U'!'; c <= U'~'; ++c) {
        latin.push_back(c);
    }
    struct Face {
        const char* name;
        uint8_t charSet;
        const std::vector<char32_t>* characters;
    };
    const Face faces[] = {{"ＭＳ 明朝", 128, &jis},       {"ＭＳ ゴシック", 128, &jis},
                          {"ＭＳ Ｐ明朝", 128, &jis},     {"ＭＳ Ｐゴシック", 128, &jis},
                          {"DejaVu Sans", 0, &latin},     {"DejaVu Serif", 0, &latin},
                          {"DejaVu Sans Mono", 0, &latin}};
    FontResolver& resolver = TestFonts();
    for (const Face& face : faces) {
        for (int32_t italic : {0, 1}) {
            const ResolvedFont* font = resolver.Resolve(face.name, italic, face.charSet);
            ASSERT_NE(font, nullptr) << face.name;
            size_t built = 0;
            for (char32_t c : *face.characters) {
                const auto geometry = BuildGlyphGeometry(*font, c, 0.3f);
                if (!geometry || geometry->mesh.indices.empty()) {
                    continue;
                }
                ++built;
                const SolidFaults faults = InspectSolid(geometry->mesh);
                EXPECT_TRUE(faults.Closed())
                    << face.name << (italic ? " italic" : "") << " U+" << std::hex
                    << static_cast<unsigned>(c) << std::dec << ": " << faults;
            }
            EXPECT_GT(built, face.characters->size() * 3 / 4) << face.name;
        }
    }
}

TEST(GlyphSolids, MissingGlyphFailsAndBlankGlyphOnlyAdvances) {
    const ResolvedFont* sans = TestFonts().Resolve("DejaVu Sans", 0, 0);
    ASSERT_NE(sans, nullptr);
    EXPECT_EQ(BuildGlyphGeometry(*sans, U'日', 0.3f), nullptr);
    const auto space = BuildGlyphGeometry(*sans, U' ', 0.3f);
    ASSERT_NE(space, nullptr);
    EXPECT_TRUE(space->mesh.vertices.empty());
    EXPECT_GT(space->metrics.gmfCellIncX, 0.2f);
    EXPECT_EQ(space->metrics.gmfBlackBoxY, 0.0f);
}

TEST(GlyphSolids, OutlinesAreCachedPerFontAndCharacter) {
    FontResolver& resolver = TestFonts();
    const ResolvedFont* upright = resolver.Resolve("ＭＳ 明朝", 0, 128);
    const ResolvedFont* italic = resolver.Resolve("ＭＳ 明朝", 1, 128);
    ASSERT_NE(upright, nullptr);
    ASSERT_NE(italic, nullptr);
    GlyphOutlineCache cache;
    const auto first = cache.Outline(*upright, U'字');
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(cache.Outline(*upright, U'字'), first);
    const auto slanted = cache.Outline(*italic, U'字');
    ASSERT_NE(slanted, nullptr);
    EXPECT_NE(slanted, first);
    EXPECT_GT(slanted->metrics.gmfBlackBoxX, first->metrics.gmfBlackBoxX);  // sheared
    cache.Clear();
    EXPECT_NE(cache.Outline(*upright, U'字'), first);
    EXPECT_EQ(cache.Outline(*resolver.Resolve("DejaVu Sans", 0, 0), U'字'), nullptr);
}

// Bevels made side by side must be those made one by one, each glyph's once.
TEST(GlyphSolids, InsetsMadeTogetherAreThoseMadeOneAtATime) {
    const ResolvedFont* font = TestFonts().Resolve("ＭＳ 明朝", 0, 128);
    ASSERT_NE(font, nullptr);
    BevelSettings bevel;
    bevel.profile = BevelProfile::kRound;
    GlyphOutlineCache cache;
    std::vector<GlyphOutlineCache::InsetRequest> requests;
    for (char32_t c : std::u32string(U"鬱髪驚識曜議鬱A")) {
        requests.push_back({GlyphId::OfCharacter(c), cache.Outline(*font, c)});
    }
    requests.push_back({GlyphId::OfCharacter(U' '), nullptr});
    cache.PrepareInsets(*font, requests, bevel);
    auto same = [](const std::vector<OutlinePoint>& a, const std::vector<OutlinePoint>& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& p, const auto& q) {
            return p.x == q.x && p.y == q.y && p.smooth == q.smooth;
        });
    };
    for (const auto& [glyph, outline] : requests) {
        if (!outline) {
            EXPECT_FALSE(cache.HasInset(*font, glyph, bevel));
            continue;
        }
        ASSERT_TRUE(cache.HasInset(*font, glyph, bevel));
        const auto prepared = cache.Inset(*font, glyph, *outline, bevel);
        const BevelledFace alone =
            InsetFace(outline->face, bevel.width, BevelSteps(bevel), bevel.backToo);
        EXPECT_TRUE(same(prepared->capVertices, alone.capVertices));
        EXPECT_EQ(prepared->capTriangles, alone.capTriangles);
        ASSERT_EQ(prepared->rings.size(), alone.rings.size());
        for (size_t r = 0; r < alone.rings.size(); ++r) {
            EXPECT_TRUE(same(prepared->rings[r].rows, alone.rings[r].rows));
            const std::vector<BevelSideWidths>& widths = prepared->rings[r].widths;
            EXPECT_TRUE(std::equal(widths.begin(), widths.end(), alone.rings[r].widths.begin(),
                                   alone.rings[r].widths.end(),
                                   [](BevelSideWidths a, BevelSideWidths b) {
                                       return a.in == b.in && a.out == b.out;
                                   }));
        }
    }
}

}  // namespace
