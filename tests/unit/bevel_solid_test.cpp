#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <clipper.hpp>
#include <cmath>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "scene/cp932.h"
#include "support/test_glyphs.h"
#include "tests/support/bevel_coverage.h"
#include "tests/support/closed_solid.h"
#include "text/font_resolver.h"
#include "text/outline_bevel.h"
#include "text/outline_glyph.h"
#include "text/outline_tessellator.h"

namespace {

// Finer than the insets' grid: points just beside an edge leave slivers narrower than its step,
// which the clipper would round on that grid.
constexpr double kGrid = 1 << 26;

ClipperLib::IntPoint OnGrid(const float* position) {
    return {std::llround(position[0] * kGrid), std::llround(position[1] * kGrid)};
}

// The front (up) or back (down) sheet of a bevelled solid, seen along z: the triangles whose
// projection is counter-clockwise, or clockwise. A sheet that does not fold over itself covers
// every point of the outline once, so the clipper's union of its triangles has exactly the
// outline's area and so has the sum of their own areas.
struct SheetAreas {
    int64_t sum = 0;  // twice the area, as the rest
    int64_t united = 0;
};

int64_t TwiceArea(const ClipperLib::Path& path) {
    int64_t sum = 0;
    for (size_t i = 0; i < path.size(); ++i) {
        const ClipperLib::IntPoint& a = path[i];
        const ClipperLib::IntPoint& b = path[(i + 1) % path.size()];
        sum += a.X * b.Y - a.Y * b.X;
    }
    return sum;
}

SheetAreas Sheet(const GlyphMesh& mesh, bool up) {
    SheetAreas areas;
    ClipperLib::Paths triangles;
    for (size_t t = 0; t + 2 < mesh.indices.size(); t += 3) {
        ClipperLib::Path path;
        for (int k = 0; k < 3; ++k) {
            path.push_back(OnGrid(mesh.vertices[mesh.indices[t + k]].position));
        }
        const int64_t area = TwiceArea(path);
        if (area != 0 && (area > 0) == up) {
            areas.sum += std::llabs(area);
            triangles.push_back(path);
        }
    }
    ClipperLib::Clipper clipper;
    clipper.AddPaths(triangles, ClipperLib::ptSubject, true);
    ClipperLib::Paths united;
    clipper.Execute(ClipperLib::ctUnion, united, ClipperLib::pftNonZero, ClipperLib::pftNonZero);
    for (const ClipperLib::Path& path : united) {
        areas.united += TwiceArea(path);
    }
    return areas;
}

int64_t OutlineArea(const FaceTriangulation& face) {
    int64_t sum = 0;
    for (const auto& [from, to] : face.boundary) {
        const float a[2] = {face.vertices[from].x, face.vertices[from].y};
        const float b[2] = {face.vertices[to].x, face.vertices[to].y};
        sum += OnGrid(a).X * OnGrid(b).Y - OnGrid(a).Y * OnGrid(b).X;
    }
    return sum;
}

// Closed, facing outwards, and neither sheet folding over itself or leaving a gap.
void ExpectWholeBevelledSolid(const GlyphMesh& mesh, const FaceTriangulation& face,
                              const std::string& what) {
    const SolidFaults faults = InspectSolid(mesh);
    EXPECT_TRUE(faults.Closed()) << what << ": " << faults;
    const int64_t area = OutlineArea(face);
    for (bool up : {true, false}) {
        const SheetAreas sheet = Sheet(mesh, up);
        EXPECT_EQ(sheet.sum, area) << what << (up ? " front" : " back");
        // The clipper rounds where the edges of long slivers meet: a millionth is all it may lose.
        EXPECT_NEAR(static_cast<double>(sheet.united), static_cast<double>(area),
                    1e-6 * static_cast<double>(area))
            << what << (up ? " front" : " back");
    }
}

// Pieces of the mesh joined through shared corner positions.
size_t PieceCount(const GlyphMesh& mesh) {
    std::map<std::vector<float>, size_t> ids;
    std::vector<size_t> parent;
    auto find = [&parent](size_t i) {
        while (parent[i] != i) {
            i = parent[i] = parent[parent[i]];
        }
        return i;
    };
    std::vector<size_t> corner(mesh.vertices.size());
    for (size_t v = 0; v < mesh.vertices.size(); ++v) {
        const float* p = mesh.vertices[v].position;
        const auto [it, added] = ids.emplace(std::vector<float>{p[0], p[1], p[2]}, ids.size());
        if (added) {
            parent.push_back(parent.size());
        }
        corner[v] = it->second;
    }
    for (size_t t = 0; t + 2 < mesh.indices.size(); t += 3) {
        const size_t a = find(corner[mesh.indices[t]]);
        parent[find(corner[mesh.indices[t + 1]])] = a;
        parent[find(corner[mesh.indices[t + 2]])] = a;
    }
    size_t roots = 0;
    for (size_t i = 0; i < parent.size(); ++i) {
        roots += find(i) == i ? 1 : 0;
    }
    return roots;
}

BevelSettings Bevel(BevelProfile profile, float width, int segments, bool backToo) {
    BevelSettings bevel;
    bevel.profile = profile;
    bevel.width = width;
    bevel.depth = width;
    bevel.segments = segments;
    bevel.backToo = backToo;
    return bevel;
}

char32_t Unicode(uint32_t cp932) {
    const char bytes[2] = {static_cast<char>(cp932 >> 8), static_cast<char>(cp932 & 0xFF)};
    const auto utf8 = Cp932ToUtf8(std::string_view(bytes, 2));
    if (!utf8 || utf8->size() != 3) {
        return 0;
    }
    const auto* u = reinterpret_cast<const unsigned char*>(utf8->data());
    return static_cast<char32_t>(((u[0] & 0x0F) << 12) | ((u[1] & 0x3F) << 6) | (u[2] & 0x3F));
}

// Kana, kanji, symbols and Latin letters in Mincho (synthetic bold, sheared too) and Gothic,
// chamfered and rounded up to the widest bevel.
TEST(BevelledSolids, SampledGlyphsStayClosedWithoutFoldsUpToTheWidestBevel) {
    std::vector<char32_t> characters;
    for (uint32_t code = 0x8140; code < 0x9870; code += 173) {
        if (const char32_t c = Unicode(code)) {
            characters.push_back(c);
        }
    }
    for (char32_t c : {U'A', U'g', U'@', U'8', U'%'}) {
        characters.push_back(c);
    }
    const BevelSettings bevels[] = {Bevel(BevelProfile::kChamfer, 0.05f, 1, true),
                                    Bevel(BevelProfile::kRound, 0.05f, 4, false),
                                    Bevel(BevelProfile::kRound, 0.02f, 8, true)};
    FontResolver& resolver = TestFonts();
    for (const auto& [name, italic] : {std::pair{"ＭＳ 明朝", 1}, std::pair{"ＭＳ ゴシック", 0}}) {
        const ResolvedFont* font = resolver.Resolve(name, italic, 128);
        ASSERT_NE(font, nullptr);
        size_t bevelled = 0, built = 0;
        for (const BevelSettings& bevel : bevels) {
            for (char32_t c : characters) {
                const auto outline = BuildGlyphOutline(*font, c);
                const auto geometry = BuildGlyphGeometry(*font, c, 0.3f, bevel);
                if (!outline || !geometry || geometry->mesh.indices.empty()) {
                    continue;
                }
                ++built;
                const std::string what = std::string(name) + " U+" +
                                         std::to_string(static_cast<unsigned>(c)) + " width " +
                                         std::to_string(bevel.width);
                ExpectWholeBevelledSolid(geometry->mesh, outline->face, what);
                const auto plain = BuildGlyphGeometry(*font, c, 0.3f);
                bevelled += geometry->mesh.TriangleCount() > plain->mesh.TriangleCount() ? 1 : 0;
            }
        }
        EXPECT_GT(built, 3 * characters.size() * 3 / 4) << name;
        EXPECT_EQ(bevelled, built) << name;
    }
}

// A Mincho horizontal is thinner than two widest bevels: its width shrinks, the stroke stays one
// closed piece with a front face of its own, and the round profile's normals turn smoothly.
TEST(BevelledSolids, ThinMinchoStrokesKeepAReducedBevelAndStayWhole) {
    const ResolvedFont* mincho = TestFonts().Resolve("ＭＳ 明朝", 0, 128);
    ASSERT_NE(mincho, nullptr);
    for (char32_t c : {U'一', U'十'}) {
        const auto outline = BuildGlyphOutline(*mincho, c);
        ASSERT_NE(outline, nullptr);
        for (BevelProfile profile : {BevelProfile::kChamfer, BevelProfile::kRound}) {
            const BevelSettings bevel = Bevel(profile, 0.05f, 8, true);
            const BevelledFace inset =
                InsetFace(outline->face, bevel.width, BevelSteps(bevel), bevel.backToo);
            ASSERT_EQ(inset.rings.size(), 1u);
            float least = 1.0f;
            for (const BevelSideWidths& w : inset.rings[0].widths) {
                least = std::min({least, w.in, w.out});
            }
            EXPECT_GT(least, 0.0f);
            EXPECT_LT(least, 0.05f);
            EXPECT_FALSE(inset.capTriangles.empty());
            const GlyphMesh mesh = ExtrudeBevelled(outline->face, inset, 0.3f, bevel);
            const std::string what = "U+" + std::to_string(static_cast<unsigned>(c));
            ExpectWholeBevelledSolid(mesh, outline->face, what);
            EXPECT_EQ(PieceCount(mesh), 1u) << what;
        }
    }
}

// Across the round profile the strips share their corners, so the shading has no steps: every
// point of the profile has one height of normal, rising from the wall's direction to the face's.
TEST(BevelledSolids, RoundProfileNormalsRiseSmoothlyFromWallToFace) {
    const ResolvedFont* gothic = TestFonts().Resolve("ＭＳ ゴシック", 0, 128);
    ASSERT_NE(gothic, nullptr);
    const auto outline = BuildGlyphOutline(*gothic, U'口');
    ASSERT_NE(outline, nullptr);
    const BevelSettings round = Bevel(BevelProfile::kRound, 0.02f, 4, false);
    const GlyphMesh mesh =
        ExtrudeBevelled(outline->face, InsetFace(outline->face, 0.02f, 4, false), 0.3f, round);
    std::map<std::vector<float>, float> rise;
    int steps = 0;
    float lowest = 1.0f, highest = 0.0f;
    for (const MeshVertex& v : mesh.vertices) {
        if (v.position[2] > -0.02f && v.position[2] < 0.0f) {
            const auto [it, first] =
                rise.emplace(std::vector<float>(v.position, v.position + 3), v.normal[2]);
            steps += !first && it->second != v.normal[2] ? 1 : 0;
            lowest = std::min(lowest, v.normal[2]);
            highest = std::max(highest, v.normal[2]);
        }
    }
    EXPECT_GT(rise.size(), 12u);
    EXPECT_EQ(steps, 0);
    EXPECT_LT(lowest, 0.45f);
    EXPECT_GT(highest, 0.85f);
}

// Down a round profile the normal turns in equal steps from the wall's direction to the face's,
// however far a corner was narrowed, and meets the wall and the face in vertices of their own.
TEST(BevelledSolids, RoundProfileNormalsTurnEvenlyFromWallToFace) {
    const ResolvedFont* mincho = TestFonts().Resolve("ＭＳ 明朝", 0, 128);
    ASSERT_NE(mincho, nullptr);
    const auto outline = BuildGlyphOutline(*mincho, U'驚');
    ASSERT_NE(outline, nullptr);
    constexpr int kSteps = 8;
    const BevelSettings round = Bevel(BevelProfile::kRound, 0.05f, kSteps, false);
    const BevelledFace inset = InsetFace(outline->face, round.width, kSteps, false);
    size_t narrowed = 0;
    for (const BevelRing& ring : inset.rings) {
        narrowed += std::count_if(ring.widths.begin(), ring.widths.end(),
                                  [](BevelSideWidths w) { return w.out > 0.0f && w.out < 0.025f; });
    }
    EXPECT_GT(narrowed, 20u);
    const GlyphMesh mesh = ExtrudeBevelled(outline->face, inset, 0.3f, round);
    std::multimap<std::vector<float>, size_t> at;
    for (size_t i = 0; i < mesh.vertices.size(); ++i) {
        at.emplace(std::vector<float>(mesh.vertices[i].position, mesh.vertices[i].position + 3), i);
    }
    // The same position and normal in a vertex that is not this one.
    auto twin = [&](size_t v, const std::array<float, 3>& normal) {
        const float* p = mesh.vertices[v].position;
        const auto [from, to] = at.equal_range(std::vector<float>(p, p + 3));
        return std::any_of(from, to, [&](const auto& entry) {
            const float* n = mesh.vertices[entry.second].normal;
            return entry.second != v && std::equal(n, n + 3, normal.begin());
        });
    };
    // At a round reflex corner the columns between its two edges' fan out from the walls' one
    // corner: other level normals there lie either side of theirs.
    auto fannedOut = [&](size_t v) {
        const float* p = mesh.vertices[v].position;
        const float* n = mesh.vertices[v].normal;
        const auto [from, to] = at.equal_range(std::vector<float>(p, p + 3));
        bool left = false, right = false;
        for (auto entry = from; entry != to; ++entry) {
            const float* m = mesh.vertices[entry->second].normal;
            const float turn = n[0] * m[1] - n[1] * m[0];
            left = left || (m[2] == 0.0f && turn > 1e-3f);
            right = right || (m[2] == 0.0f && turn < -1e-3f);
        }
        return left && right;
    };
    auto angle = [](const float* a, const float* b) {
        const double dot = double{a[0]} * b[0] + double{a[1]} * b[1] + double{a[2]} * b[2];
        return std::acos(std::clamp(dot, -1.0, 1.0)) * 180.0 / M_PI;
    };
    const float wallEnd = -round.depth;
    size_t columns = 0;
    for (size_t i = 0; i + kSteps < mesh.vertices.size(); ++i) {
        const MeshVertex* column = &mesh.vertices[i];
        if (column[0].position[2] != wallEnd || column[kSteps].position[2] != 0.0f) {
            continue;
        }
        ++columns;
        const float* wall = column[0].normal;
        EXPECT_EQ(wall[2], 0.0f);
        EXPECT_TRUE(twin(i, {wall[0], wall[1], 0.0f}) || fannedOut(i)) << i;
        EXPECT_TRUE(twin(i + kSteps, {0.0f, 0.0f, 1.0f})) << i;
        EXPECT_EQ(column[kSteps].normal[2], 1.0f);
        for (int k = 0; k < kSteps; ++k) {
            ASSERT_NEAR(angle(column[k].normal, column[k + 1].normal), 90.0 / kSteps, 0.01)
                << "vertex " << i << " row " << k;
        }
    }
    EXPECT_GT(columns, 300u);
}

// A hole close to the outline narrows its bevel and the outline's where the two would meet, and
// there only, not along the whole of their edges; a hole well inside keeps the full width.
TEST(BevelledSolids, OnlyRingsThatWouldMeetNarrow) {
    auto square = [](float x0, float y0, float x1, float y1, bool hole) {
        OutlineContour c{{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
        if (hole) {
            std::reverse(c.begin(), c.end());
        }
        return c;
    };
    FlatOutline outline;
    outline.contours = {square(0.0f, 0.0f, 0.5f, 0.5f, false),
                        square(0.03f, 0.2f, 0.13f, 0.3f, true),
                        square(0.3f, 0.2f, 0.4f, 0.3f, true)};
    const FaceTriangulation face = TessellateOutline(outline);
    ASSERT_EQ(face.polygons.size(), 1u);
    const BevelSettings bevel = Bevel(BevelProfile::kRound, 0.02f, 4, false);
    const BevelledFace inset = InsetFace(face, bevel.width, BevelSteps(bevel), bevel.backToo);
    ASSERT_EQ(inset.rings.size(), 3u);
    for (const BevelRing& ring : inset.rings) {
        for (size_t i = 0; i < ring.outline.size(); ++i) {
            const OutlinePoint& p = ring.rows[i];
            // The wall between the near hole and the outline, 0.03 thick, lies left of x = 0.03
            // between y = 0.2 and 0.3: both its sides narrow, and points well away from it
            // (even on the same edges) keep the full width.
            const float awayX = p.x - 0.03f;
            const float awayY = std::max(0.2f - p.y, p.y - 0.3f);
            const BevelSideWidths& w = ring.widths[i];
            if (p.x < 0.031f && awayY < 0.0f) {
                EXPECT_GT(std::min(w.in, w.out), 0.0f) << p.x << " " << p.y;
                EXPECT_LT(std::min(w.in, w.out), 0.015f) << p.x << " " << p.y;
            } else if (std::max(awayX, awayY) > 0.06f) {
                EXPECT_EQ(w.in, 0.02f) << p.x << " " << p.y;
                EXPECT_EQ(w.out, 0.02f) << p.x << " " << p.y;
            }
        }
    }
    ExpectWholeBevelledSolid(ExtrudeBevelled(face, inset, 0.3f, bevel), face, "square");
}

// A thin stroke joining a thick one's side narrows only its own bevel: the thick stroke's edge
// keeps the full width right up to the junction, on the front alone and on both faces.
TEST(BevelledSolids, ThickStrokeKeepsItsWidthWhereAThinOneJoinsIt) {
    FlatOutline outline;
    outline.contours = {{{0.0f, 0.0f},
                         {0.3f, 0.0f},
                         {0.3f, 0.5f},
                         {0.8f, 0.5f},
                         {0.8f, 0.56f},
                         {0.3f, 0.56f},
                         {0.3f, 1.0f},
                         {0.0f, 1.0f}}};
    const FaceTriangulation face = TessellateOutline(outline);
    for (bool backToo : {false, true}) {
        const BevelSettings bevel = Bevel(BevelProfile::kRound, 0.05f, 4, backToo);
        const BevelledFace inset = InsetFace(face, bevel.width, BevelSteps(bevel), backToo);
        ASSERT_EQ(inset.rings.size(), 1u);
        const BevelRing& ring = inset.rings[0];
        const size_t n = ring.outline.size();
        size_t junctions = 0;
        for (size_t i = 0; i < n; ++i) {
            const OutlinePoint& p = ring.rows[i];
            if (std::abs(p.x - 0.3f) < 1e-4f &&
                (std::abs(p.y - 0.5f) < 1e-4f || std::abs(p.y - 0.56f) < 1e-4f)) {
                ++junctions;
                EXPECT_LE(ring.rows[ring.rows.size() - n + i].x, 0.3f - 0.95f * bevel.width)
                    << p.y << " " << backToo;
            }
        }
        EXPECT_EQ(junctions, 2u);
        ExpectWholeBevelledSolid(ExtrudeBevelled(face, inset, 0.3f, bevel), face, "junction");
    }
}

// A stroke cut off at a slant, thinning further on: the points along its top edge, which take
// the narrowing, lie within twice the width of its end, yet the acute corner between the two
// keeps the full width, at the front alone and at both faces.
TEST(BevelledSolids, SlantedStrokeEndKeepsItsWidthBesidePointsAlongTheNextEdge) {
    FlatOutline outline;
    outline.contours = {{{0.0673f, 0.7f},
                         {0.6f, 0.7f},
                         {0.6f, 0.725f},
                         {0.3f, 0.725f},
                         {0.32f, 0.76f},
                         {0.049f, 0.76f}}};
    const FaceTriangulation face = TessellateOutline(outline);
    for (bool backToo : {false, true}) {
        const BevelSettings bevel = Bevel(BevelProfile::kRound, 0.02f, 4, backToo);
        const BevelledFace inset = InsetFace(face, bevel.width, BevelSteps(bevel), backToo);
        ASSERT_EQ(inset.rings.size(), 1u);
        const BevelRing& ring = inset.rings[0];
        const auto end =
            std::find_if(ring.rows.begin(), ring.rows.begin() + ring.outline.size(),
                         [](const OutlinePoint& p) { return std::abs(p.x - 0.049f) < 1e-4f; });
        ASSERT_NE(end, ring.rows.begin() + ring.outline.size());
        const BevelSideWidths& w = ring.widths[end - ring.rows.begin()];
        EXPECT_GE(std::min(w.in, w.out), 0.95f * bevel.width) << backToo;
        ExpectWholeBevelledSolid(ExtrudeBevelled(face, inset, 0.3f, bevel), face, "stroke end");
    }
}

// A point in units of 1/1024 em, as a font's are.
OutlinePoint InFontUnits(float x, float y) {
    return {x / 1024.0f, y / 1024.0f};
}

// With a round bevel of the given width, at the front alone and at both faces, the bevel keeps its
// width along at least `share` of the roomy outline, and the solid stays whole.
void ExpectWidthKeptAtFrontAndBoth(const FaceTriangulation& face, float width, double share,
                                   const std::string& what) {
    for (bool backToo : {false, true}) {
        const BevelSettings bevel = Bevel(BevelProfile::kRound, width, 4, backToo);
        const BevelledFace inset = InsetFace(face, bevel.width, BevelSteps(bevel), backToo);
        const BevelCoverage coverage = MeasureCoverage(face, inset, bevel.width);
        EXPECT_GE(coverage.kept / coverage.roomy, share) << what << " " << backToo;
        ExpectWholeBevelledSolid(ExtrudeBevelled(face, inset, 0.3f, bevel), face, what);
    }
}

// A narrow notch cut into a square: its tip turns too sharply for a full miter, yet the bevel
// keeps its width along the notch's sides, at the front alone and at both faces.
TEST(BevelledSolids, SidesOfASharpNotchKeepTheirWidth) {
    auto at = InFontUnits;
    FlatOutline outline;
    outline.contours = {
        {at(0, 0), at(512, 0), at(512, 512), at(276, 512), at(256, 256), at(236, 512), at(0, 512)}};
    ExpectWidthKeptAtFrontAndBoth(TessellateOutline(outline), 0.02f, 0.99, "notch");
}

// An L whose inner corner faces a square hole's corner across less room than its miter needs,
// though a circle as wide as the bevel fits against either edge there: both corners turn round,
// and the front face's edge lies a full width from each edge right up to them, at the front
// alone and at both faces.
TEST(BevelledSolids, ReflexCornersShortOfRoomForTheirMiterTurnRound) {
    auto at = InFontUnits;
    FlatOutline outline;
    outline.contours = {
        {at(0, 0), at(1024, 0), at(1024, 512), at(512, 512), at(512, 1024), at(0, 1024)},
        {at(391, 391), at(391, 431), at(431, 431), at(431, 391)}};
    const FaceTriangulation face = TessellateOutline(outline);
    ASSERT_EQ(face.polygons.size(), 1u);
    for (bool backToo : {false, true}) {
        const BevelSettings bevel = Bevel(BevelProfile::kRound, 0.05f, 4, backToo);
        const BevelledFace inset = InsetFace(face, bevel.width, BevelSteps(bevel), backToo);
        size_t sides = 0;
        for (const BevelRing& ring : inset.rings) {
            const size_t n = ring.outline.size();
            const OutlinePoint* edge = ring.rows.data() + ring.rows.size() - n;
            // How far in from the line through the outline's a and b the front face's edge lies
            // at point i.
            auto inFrom = [&](size_t i, const OutlinePoint& a, const OutlinePoint& b) {
                const float dx = b.x - a.x, dy = b.y - a.y;
                return ((edge[i].x - a.x) * -dy + (edge[i].y - a.y) * dx) / std::hypot(dx, dy);
            };
            for (size_t i = 0; i < n; ++i) {
                const OutlinePoint& p = ring.rows[i];
                const OutlinePoint& before = ring.rows[(i + n - 1) % n];
                const OutlinePoint& after = ring.rows[(i + 1) % n];
                const bool facing =
                    std::abs(p.x - at(512, 0).x) + std::abs(p.y - at(0, 512).y) < 1e-6f ||
                    std::abs(p.x - at(431, 0).x) + std::abs(p.y - at(0, 431).y) < 1e-6f;
                if (!facing) {
                    continue;
                }
                if (before.x != p.x || before.y != p.y) {
                    EXPECT_GE(inFrom(i, before, p), 0.98f * bevel.width) << p.x << " " << backToo;
                    ++sides;
                }
                if (after.x != p.x || after.y != p.y) {
                    EXPECT_GE(inFrom(i, p, after), 0.98f * bevel.width) << p.x << " " << backToo;
                    ++sides;
                }
            }
        }
        EXPECT_EQ(sides, 4u) << backToo;
        ExpectWholeBevelledSolid(ExtrudeBevelled(face, inset, 0.3f, bevel), face, "L");
    }
}

// A triangular hole whose corners come nearer the square's sides than two widths: along those
// sides the bevel narrows only where a circle as wide as the bevel no longer fits between them,
// and keeps its width up to there, at the front alone and at both faces.
TEST(BevelledSolids, BevelKeepsItsWidthUpToWhereTheRoomEnds) {
    auto at = InFontUnits;
    FlatOutline outline;
    outline.contours = {{at(0, 0), at(1024, 0), at(1024, 1024), at(0, 1024)},
                        {at(953, 662), at(354, 90), at(768, 760)}};
    const FaceTriangulation face = TessellateOutline(outline);
    ASSERT_EQ(face.polygons.size(), 1u);
    ExpectWidthKeptAtFrontAndBoth(face, 0.05f, 0.995, "room");
}

// With the given bevel, glyph c of the named face keeps its width along at least `share` of its
// roomy outline, and its solid stays whole.
void ExpectGlyphKeepsWidth(const char* name, char32_t c, const BevelSettings& bevel, double share,
                           const std::string& what) {
    const ResolvedFont* font = TestFonts().Resolve(name, 0, 128);
    ASSERT_NE(font, nullptr) << name;
    const auto outline = BuildGlyphOutline(*font, c);
    ASSERT_NE(outline, nullptr) << what;
    const BevelledFace inset =
        InsetFace(outline->face, bevel.width, BevelSteps(bevel), bevel.backToo);
    const BevelCoverage coverage = MeasureCoverage(outline->face, inset, bevel.width);
    EXPECT_GE(coverage.kept / coverage.roomy, share) << what;
    ExpectWholeBevelledSolid(ExtrudeBevelled(outline->face, inset, 0.3f, bevel), outline->face,
                             what);
}

// In 京 (IPAGothic) a slanted stroke hangs from a box by a neck narrower than twice the width:
// its front face's edges cross across the neck, and mending narrows the ends beside it, not
// the stroke's far ends round after round with them. A chamfer, front alone and both faces.
TEST(BevelledSolids, StrokeHangingByANarrowNeckKeepsItsWidthBeyondIt) {
    // Mended four ends a round, the front kept 0.81 of its roomy length, both faces 0.82.
    for (bool backToo : {false, true}) {
        ExpectGlyphKeepsWidth("IPAGothic", U'京', Bevel(BevelProfile::kChamfer, 0.02f, 1, backToo),
                              0.93, backToo ? "京 both faces" : "京 front");
    }
}

// Where two rings' bands run into each other, of the edges that could narrow to clear the other the
// one that lost its width already does: 髪 in IPAMincho and 鬱 in IPAexGothic at 0.05 em, whose
// strokes crowd each other, keep the width along almost all their roomy outline.
TEST(BevelledSolids, CrowdedBandsNarrowWhereTheWidthIsLostAlready) {
    ExpectGlyphKeepsWidth("IPAMincho", U'髪', Bevel(BevelProfile::kRound, 0.05f, 4, false), 0.945,
                          "髪");
    ExpectGlyphKeepsWidth("IPAexGothic", U'鬱', Bevel(BevelProfile::kRound, 0.05f, 4, false), 0.945,
                          "鬱");
}

// Where another ring's band runs into one edge of a split corner in 曜 (both Mincho faces, 0.05
// em), only that edge's side of the corner narrows: the short piece along the corner's other
// edge keeps its width (narrowing both sides, 0.9757 of the roomy length was kept).
TEST(BevelledSolids, CollisionBesideASplitCornerNarrowsOnlyItsOwnSide) {
    for (const char* name : {"IPAMincho", "IPAexMincho"}) {
        ExpectGlyphKeepsWidth(name, U'曜', Bevel(BevelProfile::kRound, 0.05f, 4, false), 0.978,
                              name);
    }
}

// Along a long, nearly level edge of 鬱 (IPAMincho) the grid points just inside it near where the
// room ends lie too far in for the points before them: placed a little further from where they
// were meant, they still end the narrowed piece there, which otherwise ran across most of a stroke
// (the front kept 0.88 of its roomy length at 0.05 em).
TEST(BevelledSolids, PointsWhereTheRoomEndsStayWhenNoGridPointIsNear) {
    ExpectGlyphKeepsWidth("IPAMincho", U'鬱', Bevel(BevelProfile::kRound, 0.05f, 4, false), 0.93,
                          "鬱");
}

// A strip folding across a short edge of 髪 and 驚 (IPAexMincho, 0.05 em) turns over where the
// inset point it runs to lies too far in: only that end narrows, as the other reaches in no
// further than the outer row (narrowing both, 0.9714 and 0.9592 of the roomy length were kept).
TEST(BevelledSolids, FoldingStripNarrowsOnlyTheEndItFoldsAt) {
    const ResolvedFont* mincho = TestFonts().Resolve("IPAexMincho", 0, 128);
    ASSERT_NE(mincho, nullptr);
    for (const auto& [c, least] : {std::pair{U'髪', 0.976}, std::pair{U'驚', 0.963}}) {
        const auto outline = BuildGlyphOutline(*mincho, c);
        ASSERT_NE(outline, nullptr);
        const BevelCoverage coverage =
            MeasureCoverage(outline->face, InsetFace(outline->face, 0.05f, 1, false), 0.05f);
        EXPECT_GE(coverage.kept / coverage.roomy, least) << static_cast<uint32_t>(c);
        for (int steps : {1, 4}) {
            const BevelSettings bevel = Bevel(BevelProfile::kRound, 0.05f, steps, false);
            const BevelledFace inset =
                InsetFace(outline->face, bevel.width, BevelSteps(bevel), false);
            ExpectWholeBevelledSolid(ExtrudeBevelled(outline->face, inset, 0.3f, bevel),
                                     outline->face, "folding strip");
        }
    }
}

// Hard kanji, where thin strokes crowd thick ones: every ring keeps a bevel, and where a stroke
// has room the bevel mostly keeps its width.
TEST(BevelledSolids, HardKanjiKeepTheirBevelAlongTheOutlineAndItsWidthWhereThereIsRoom) {
    for (const char* name : {"IPAMincho", "IPAexGothic"}) {
        const ResolvedFont* font = TestFonts().Resolve(name, 0, 128);
        ASSERT_NE(font, nullptr);
        for (float width : {0.02f, 0.05f}) {
            BevelCoverage total;
            for (char32_t c : {U'鬱', U'驚', U'識'}) {
                const auto outline = BuildGlyphOutline(*font, c);
                ASSERT_NE(outline, nullptr);
                total += MeasureCoverage(outline->face, InsetFace(outline->face, width, 1, false),
                                         width);
            }
            const std::string what = std::string(name) + " " + std::to_string(width);
            EXPECT_GE(total.bevelled / total.length, 0.98) << what;
            // Narrowing whole rings kept under a fifth; corner by corner, with points along the
            // edges, where the room across them ends and close beside narrowed corners, and
            // mending all of a ring's faults at once, over 92%; with round reflex corners, 98.9.
            EXPECT_GE(total.kept / total.roomy, 0.98) << what;
        }
    }
}

}  // namespace
