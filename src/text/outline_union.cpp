#include "text/outline_union.h"

#include <algorithm>
#include <clipper.hpp>
#include <cmath>
#include <utility>

#include "text/disjoint_contours.h"
#include "text/grid_cells.h"
#include "text/integer_geometry.h"
#include "text/nearly_straight_corners.h"

namespace {

// Far beyond any real glyph, and small enough for exact integer orientation tests.
constexpr float kMaxEm = 64.0f;
// How far, in grid steps, a corner may move to part two rings that touch: at least as far as a
// 1 mm print's six decimals may move it, so the rings stay apart in the file.
constexpr double kLeastNudge = 16.0;
constexpr double kMaxNudge = 512.0;
constexpr int kMaxUnionPasses = 3;

using ClipperLib::IntPoint;
using ClipperLib::Path;
using ClipperLib::Paths;
using Edge = std::pair<size_t, size_t>;
using Int = ClipperLib::cInt;

GridPoint At(const IntPoint& p) {
    return {p.X, p.Y};
}

Int Orient(const IntPoint& a, const IntPoint& b, const IntPoint& c) {
    return Orientation(At(a), At(b), At(c));
}

bool InClosedTriangle(const IntPoint& a, const IntPoint& b, const IntPoint& c, const IntPoint& p) {
    const Int ab = Orient(a, b, p), bc = Orient(b, c, p), ca = Orient(c, a, p);
    return (ab >= 0 && bc >= 0 && ca >= 0) || (ab <= 0 && bc <= 0 && ca <= 0);
}

Int TwiceArea(const Path& path) {
    return TwiceRingArea(path.size(), [&path](size_t i) { return At(path[i]); });
}

// Outer rings come out counter-clockwise, holes clockwise; false when the clipper fails.
bool Unite(const Paths& paths, ClipperLib::PolyTree& tree) {
    try {
        ClipperLib::Clipper clipper;
        if (!clipper.AddPaths(paths, ClipperLib::ptSubject, true)) {
            tree.Clear();
            return true;  // nothing that encloses an area, such as the space
        }
        return clipper.Execute(ClipperLib::ctUnion, tree, ClipperLib::pftNonZero,
                               ClipperLib::pftNonZero);
    } catch (const ClipperLib::clipperException&) {
        return false;
    }
}

// The clipper rounds the points it makes where edges cross to the grid, so a corner that belongs
// on an edge may miss it by a fraction of a step; such a corner counts as lying on the edge.
bool AlongEdge(const IntPoint& a, const IntPoint& b, const IntPoint& p) {
    const Int dx = b.X - a.X, dy = b.Y - a.Y;
    if ((p.X - a.X) * dx + (p.Y - a.Y) * dy <= 0 || (b.X - p.X) * dx + (b.Y - p.Y) * dy <= 0) {
        return false;
    }
    const auto off = static_cast<double>(Orient(a, b, p));
    return off * off < static_cast<double>(dx) * static_cast<double>(dx) +
                           static_cast<double>(dy) * static_cast<double>(dy);
}

// Points in cells of about one point each, to find those near an edge or at a given place.
class PointCells {
  public:
    struct Entry {
        IntPoint point;
        uint32_t index = 0;
    };

    explicit PointCells(const std::vector<IntPoint>& points) {
        if (points.empty()) {
            return;
        }
        Int maxX = points[0].X, maxY = points[0].Y, minX = maxX, minY = maxY;
        std::vector<Entry> entries;
        entries.reserve(points.size());
        for (uint32_t i = 0; i < points.size(); ++i) {
            const IntPoint& p = points[i];
            minX = std::min(minX, p.X);
            maxX = std::max(maxX, p.X);
            minY = std::min(minY, p.Y);
            maxY = std::max(maxY, p.Y);
            entries.push_back({p, i});
        }
        layout_.FitCount(minX, minY, maxX, maxY, points.size());
        cells_.Fill(entries, layout_.CellCount(), [this](const Entry& e, auto add) {
            add(layout_.CellOf(e.point.X, e.point.Y));
        });
    }

    // Calls visit(first, end) with the entries of each cell that holds any.
    template <typename Visit>
    void ForEachCell(Visit visit) const {
        if (cells_.Empty()) {
            return;
        }
        for (size_t cell = 0; cell < layout_.CellCount(); ++cell) {
            if (cells_.Start(cell) < cells_.Start(cell + 1)) {
                visit(cells_.Begin(cell), cells_.Begin(cell + 1));
            }
        }
    }

    // The index of the point at p, or -1.
    int64_t Find(const IntPoint& p) const {
        if (cells_.Empty()) {
            return -1;
        }
        const size_t cell = layout_.CellOf(p.X, p.Y);
        for (uint32_t k = cells_.Start(cell); k < cells_.Start(cell + 1); ++k) {
            if (cells_[k].point == p) {
                return cells_[k].index;
            }
        }
        return -1;
    }

    // Calls found(point) for the points strictly between a and b less than a grid step from the
    // segment, until it returns true; returns whether it did.
    template <typename Found>
    bool Along(const IntPoint& a, const IntPoint& b, Found found) const {
        if (cells_.Empty()) {
            return false;
        }
        const Int x0 = std::min(a.X, b.X) - 1, x1 = std::max(a.X, b.X) + 1;
        const Int y0 = std::min(a.Y, b.Y) - 1, y1 = std::max(a.Y, b.Y) + 1;
        const Int r0 = layout_.Row(y0), r1 = layout_.Row(y1);
        const int shift = layout_.shift();
        const double slope =
            a.Y == b.Y ? 0.0 : static_cast<double>(b.X - a.X) / static_cast<double>(b.Y - a.Y);
        for (Int row = r0; row <= r1; ++row) {
            // The segment's x within this row's band, a step of slack either way.
            Int from = x0, to = x1;
            if (r0 != r1 && a.Y != b.Y) {
                const double ya =
                    static_cast<double>(std::max(y0 + 1, layout_.minY() + (row << shift) - 1));
                const double yb =
                    static_cast<double>(std::min(y1 - 1, layout_.minY() + ((row + 1) << shift)));
                const double xa =
                    static_cast<double>(a.X) + (ya - static_cast<double>(a.Y)) * slope;
                const double xb =
                    static_cast<double>(a.X) + (yb - static_cast<double>(a.Y)) * slope;
                from = std::max(x0, static_cast<Int>(std::floor(std::min(xa, xb))) - 2);
                to = std::min(x1, static_cast<Int>(std::ceil(std::max(xa, xb))) + 2);
            }
            const uint32_t end = cells_.Start(layout_.Cell(layout_.Column(to), row) + 1);
            for (uint32_t k = cells_.Start(layout_.Cell(layout_.Column(from), row)); k < end; ++k) {
                const IntPoint& p = cells_[k].point;
                if (x0 <= p.X && p.X <= x1 && y0 <= p.Y && p.Y <= y1 && AlongEdge(a, b, p) &&
                    found(p)) {
                    return true;
                }
            }
        }
        return false;
    }

  private:
    CellLayout layout_;
    CellContents<Entry> cells_;
};

// The clipper's output may have two rings run along one edge in opposite directions (the edge
// lies inside the filled region) or touch at a point, or a corner of one ring may lie on an edge.
// Four walls would then meet along one line, or walls would overlap, and the solid would not be a
// proper surface there.
class Untangler {
  public:
    // points: the rings' distinct points, found in cells, visits: how many corners the rings
    // have. Moved corners are appended to points.
    Untangler(const Paths& rings, std::vector<IntPoint>& points, size_t visits,
              const PointCells& cells)
        : points_(points), cells_(cells) {
        tangled_ = points_.size() != visits;
        auto any = [](const IntPoint&) { return true; };
        for (const Path& ring : rings) {
            for (size_t i = 0; i < ring.size() && !tangled_; ++i) {
                tangled_ = cells.Along(ring[i], ring[(i + 1) % ring.size()], any);
            }
        }
        if (!tangled_) {
            return;
        }
        // Edges are cut at the corners lying on them, so overlaps become shared edges.
        std::vector<IntPoint> between;
        for (const Path& ring : rings) {
            for (size_t i = 0; i < ring.size(); ++i) {
                const IntPoint &a = ring[i], &b = ring[(i + 1) % ring.size()];
                between.clear();
                cells.Along(a, b, [&between](const IntPoint& p) {
                    between.push_back(p);
                    return false;
                });
                std::sort(between.begin(), between.end(),
                          [&a, &b](const IntPoint& p, const IntPoint& q) {
                              return (p.X - a.X) * (b.X - a.X) + (p.Y - a.Y) * (b.Y - a.Y) <
                                     (q.X - a.X) * (b.X - a.X) + (q.Y - a.Y) * (b.Y - a.Y);
                          });
                size_t from = Index(a);
                for (const IntPoint& p : between) {
                    edges_.emplace_back(from, Index(p));
                    from = edges_.back().second;
                }
                edges_.emplace_back(from, Index(b));
            }
        }
    }

    // Whether some point is visited twice or lies on an edge; then Untangle() gives rings that
    // neither share edges nor touch (unless a corner found no room to move).
    bool Tangled() const { return tangled_; }

    Paths Untangle() {
        DropSharedEdges();
        std::vector<std::vector<size_t>> leaving(points_.size()), arriving(points_.size());
        for (size_t e = 0; e < edges_.size(); ++e) {
            leaving[edges_[e].first].push_back(e);
            arriving[edges_[e].second].push_back(e);
        }
        const size_t original = points_.size();
        for (size_t p = 0; p < original; ++p) {
            if (leaving[p].size() >= 2 && leaving[p].size() == arriving[p].size()) {
                SeparateSectors(p, leaving[p], arriving[p]);
            }
        }
        return Trace();
    }

  private:
    size_t Index(const IntPoint& p) const { return static_cast<size_t>(cells_.Find(p)); }

    void DropSharedEdges() {
        std::vector<Edge> sorted = edges_;
        std::sort(sorted.begin(), sorted.end());
        std::vector<Edge> kept;
        for (const Edge& e : edges_) {
            if (!std::binary_search(sorted.begin(), sorted.end(), Edge{e.second, e.first})) {
                kept.push_back(e);
            }
        }
        edges_ = std::move(kept);
    }

    // Around a point several rings pass through, the filled sectors each run counter-clockwise
    // from a leaving edge to an arriving one. All but the first get a corner of their own, a
    // few dozen grid steps into the sector, which cuts off a sliver far below anything visible.
    void SeparateSectors(size_t p, const std::vector<size_t>& leaving,
                         const std::vector<size_t>& arriving) {
        struct Spoke {
            double angle;
            size_t edge;
            bool leaves;
        };
        const IntPoint centre = points_[p];
        std::vector<Spoke> spokes;
        auto add = [&](size_t edge, size_t other, bool leaves) {
            const IntPoint& q = points_[other];
            spokes.push_back({std::atan2(static_cast<double>(q.Y - centre.Y),
                                         static_cast<double>(q.X - centre.X)),
                              edge, leaves});
        };
        for (size_t e : leaving) {
            add(e, edges_[e].second, true);
        }
        for (size_t e : arriving) {
            add(e, edges_[e].first, false);
        }
        std::sort(spokes.begin(), spokes.end(),
                  [](const Spoke& a, const Spoke& b) { return a.angle < b.angle; });
        const size_t n = spokes.size();
        const size_t first = spokes[0].leaves ? 0 : 1;
        for (size_t i = 0; i < n; ++i) {
            if (spokes[i].leaves == spokes[(i + 1) % n].leaves) {
                return;  // not alternating: overlapping edges, left as they are
            }
        }
        for (size_t s = first + 2; s < first + n; s += 2) {
            const Spoke& out = spokes[s % n];
            const Spoke& in = spokes[(s + 1) % n];
            const size_t to = edges_[out.edge].second, from = edges_[in.edge].first;
            const double pi = std::acos(-1.0);
            double sweep = in.angle - out.angle;
            if (sweep <= 0.0) {
                sweep += 2.0 * pi;
            }
            const double bisector = out.angle + sweep / 2.0;
            for (double reach = kLeastNudge; reach <= kMaxNudge; reach *= 2.0) {
                const IntPoint q(centre.X + std::llround(reach * std::cos(bisector)),
                                 centre.Y + std::llround(reach * std::sin(bisector)));
                if (Clear(from, p, to, q, sweep < pi)) {
                    points_.push_back(q);
                    edges_[out.edge].first = points_.size() - 1;
                    edges_[in.edge].second = points_.size() - 1;
                    break;
                }
            }
        }
    }

    // Whether corner p of the sector between its edges to `to` and from `from` can move to q:
    // q lies strictly inside the sector and the slivers cut off hold no other point.
    bool Clear(size_t from, size_t p, size_t to, const IntPoint& q, bool convex) const {
        const IntPoint &a = points_[from], &c = points_[p], &b = points_[to];
        const Int afterOut = Orient(c, b, q), beforeIn = Orient(c, q, a);
        const bool inside = convex ? afterOut > 0 && beforeIn > 0 : afterOut > 0 || beforeIn > 0;
        if (!inside || Orient(a, q, b) == 0) {
            return false;
        }
        for (size_t i = 0; i < points_.size(); ++i) {
            if (i != from && i != p && i != to &&
                (InClosedTriangle(a, c, q, points_[i]) || InClosedTriangle(c, b, q, points_[i]))) {
                return false;
            }
        }
        return true;
    }

    Paths Trace() const {
        std::vector<std::vector<size_t>> leaving(points_.size());
        for (size_t e = 0; e < edges_.size(); ++e) {
            leaving[edges_[e].first].push_back(e);
        }
        std::vector<bool> used(edges_.size(), false);
        Paths rings;
        for (size_t start = 0; start < edges_.size(); ++start) {
            Path ring;
            for (size_t e = start; !used[e];) {
                used[e] = true;
                ring.push_back(points_[edges_[e].first]);
                const auto& next = leaving[edges_[e].second];
                const auto it =
                    std::find_if(next.begin(), next.end(), [&used](size_t k) { return !used[k]; });
                if (it == next.end()) {
                    break;
                }
                e = *it;
            }
            if (ring.size() >= 3) {
                rings.push_back(std::move(ring));
            }
        }
        return rings;
    }

    std::vector<IntPoint>& points_;
    const PointCells& cells_;
    std::vector<Edge> edges_;
    bool tangled_ = false;
};

// The rings' distinct points, and for each corner of the rings, one ring after another, the
// index of its point. Equal points meet in one cell.
std::vector<IntPoint> DistinctPoints(const Paths& rings, std::vector<uint32_t>& pointOfCorner) {
    std::vector<IntPoint> corners;
    for (const Path& ring : rings) {
        corners.insert(corners.end(), ring.begin(), ring.end());
    }
    pointOfCorner.assign(corners.size(), 0);
    std::vector<IntPoint> points;
    PointCells(corners).ForEachCell(
        [&](const PointCells::Entry* first, const PointCells::Entry* end) {
            for (const PointCells::Entry* e = first; e != end; ++e) {
                const PointCells::Entry* same = first;
                while (same != e && !(same->point == e->point)) {
                    ++same;
                }
                if (same == e) {
                    pointOfCorner[e->index] = static_cast<uint32_t>(points.size());
                    points.push_back(e->point);
                } else {
                    pointOfCorner[e->index] = pointOfCorner[same->index];
                }
            }
        });
    return points;
}

// Whether some point is a corner of rings twice, or lies exactly on an edge between its ends:
// what passes within a step of an edge without touching it makes no fault of the solid.
bool Touching(const Paths& rings, size_t points, size_t corners, const PointCells& cells) {
    if (points != corners) {
        return true;
    }
    for (const Path& ring : rings) {
        for (size_t i = 0; i < ring.size(); ++i) {
            const IntPoint &a = ring[i], &b = ring[(i + 1) % ring.size()];
            if (cells.Along(a, b, [&a, &b](const IntPoint& p) { return Orient(a, b, p) == 0; })) {
                return true;
            }
        }
    }
    return false;
}

// The tree's rings without the corners the clipper made almost straight between their
// neighbours where contours cross at a shallow angle; the nodes lose them too. A run of corners
// goes only where no other corner lies near its straight line, so no ring comes to meet another.
Paths StraightenedRings(ClipperLib::PolyTree& tree) {
    struct Corner {
        GridPoint p;
        const ClipperLib::PolyNode* node;
        size_t index;
    };
    std::vector<Corner> corners;
    for (const ClipperLib::PolyNode* node = tree.GetFirst(); node; node = node->GetNext()) {
        for (size_t i = 0; i < node->Contour.size(); ++i) {
            corners.push_back({{node->Contour[i].X, node->Contour[i].Y}, node, i});
        }
    }
    std::sort(corners.begin(), corners.end(),
              [](const Corner& a, const Corner& b) { return a.p.x < b.p.x; });
    const double reach = kStraightRunTolerance + 1.0;
    const auto reachSteps = static_cast<int64_t>(reach);
    Paths rings;
    std::vector<GridPoint> ring;
    for (ClipperLib::PolyNode* node = tree.GetFirst(); node; node = node->GetNext()) {
        ring.clear();
        for (const IntPoint& p : node->Contour) {
            ring.push_back({p.X, p.Y});
        }
        const size_t n = ring.size();
        const auto clear = [&](size_t from, size_t to) {
            const GridPoint& a = ring[from];
            const GridPoint& b = ring[to % n];
            const int64_t left = std::min(a.x, b.x) - reachSteps;
            auto c = std::lower_bound(corners.begin(), corners.end(), left,
                                      [](const Corner& k, int64_t x) { return k.p.x < x; });
            for (; c != corners.end() && c->p.x <= std::max(a.x, b.x) + reachSteps; ++c) {
                const bool own = c->node == node &&
                                 (c->index >= from ? c->index <= to : to == n && c->index == 0);
                if (!own && NearSegment(a, b, c->p, reach)) {
                    return false;
                }
            }
            return true;
        };
        Path& kept = rings.emplace_back();
        for (size_t k : CornersOffStraightRuns(ring, clear)) {
            kept.push_back(node->Contour[k]);
        }
        node->Contour = kept;
    }
    return rings;
}

// The ring of the corners from first on, in the wanted direction.
std::vector<uint32_t> Ring(const Path& path, const uint32_t* pointOfCorner, bool counterClockwise) {
    std::vector<uint32_t> ring(pointOfCorner, pointOfCorner + path.size());
    if ((TwiceArea(path) > 0) != counterClockwise) {
        std::reverse(ring.begin(), ring.end());
    }
    return ring;
}

bool SameGridPoint(const GridPoint& a, const GridPoint& b) {
    return a.x == b.x && a.y == b.y;
}

OutlinePoint OnGrid(const GridPoint& p, bool smooth) {
    return {static_cast<float>(static_cast<double>(p.x) / kGridStepsPerEm),
            static_cast<float>(static_cast<double>(p.y) / kGridStepsPerEm), smooth};
}

// The outline's points on the grid, each ring without repeated consecutive points nor corners
// lying almost straight between their neighbours.
std::vector<std::vector<uint32_t>> GridRings(const FlatOutline& outline, UnitedOutline& result) {
    std::vector<std::vector<uint32_t>> rings;
    rings.reserve(outline.contours.size());
    size_t total = 0;
    for (const OutlineContour& contour : outline.contours) {
        total += contour.size();
    }
    result.grid.reserve(total);
    result.points.reserve(total);
    std::vector<GridPoint> grid;
    std::vector<bool> smooth;
    for (const OutlineContour& contour : outline.contours) {
        grid.clear();
        smooth.clear();
        for (const OutlinePoint& p : contour) {
            if (!(std::abs(p.x) < kMaxEm && std::abs(p.y) < kMaxEm)) {
                result = UnitedOutline{};
                result.ok = false;
                return {};
            }
            const GridPoint g{std::llround(static_cast<double>(p.x) * kGridStepsPerEm),
                              std::llround(static_cast<double>(p.y) * kGridStepsPerEm)};
            if (!grid.empty() && SameGridPoint(grid.back(), g)) {
                smooth.back() = smooth.back() && p.smooth;
                continue;
            }
            grid.push_back(g);
            smooth.push_back(p.smooth);
        }
        if (grid.size() > 1 && SameGridPoint(grid.front(), grid.back())) {
            smooth.front() = smooth.front() && smooth.back();
            grid.pop_back();
            smooth.pop_back();
        }
        auto& ring = rings.emplace_back();
        const std::vector<size_t> kept = CornersOffStraightRuns(grid);
        ring.reserve(kept.size());
        for (size_t k : kept) {
            ring.push_back(static_cast<uint32_t>(result.grid.size()));
            result.grid.push_back(grid[k]);
            result.points.push_back(OnGrid(grid[k], smooth[k]));
        }
    }
    return rings;
}

}  // namespace

UnitedOutline UniteContours(const FlatOutline& outline) {
    UnitedOutline result;
    const std::vector<std::vector<uint32_t>> rings = GridRings(outline, result);
    if (!result.ok || NestDisjointRings(result.grid, rings, result.polygons)) {
        return result;
    }
    Paths paths;
    paths.reserve(rings.size());
    for (const auto& ring : rings) {
        Path& path = paths.emplace_back();
        path.reserve(ring.size());
        for (uint32_t i : ring) {
            path.emplace_back(result.grid[i].x, result.grid[i].y);
        }
    }
    const UnitedOutline input = std::move(result);
    result = UnitedOutline{};
    ClipperLib::PolyTree tree;
    std::vector<IntPoint> distinct;
    std::vector<uint32_t> pointOfCorner;
    PointCells cells(distinct);
    // Each pass parts the rings the clipper left touching; the clipper then checks the parted
    // rings once more, and may round new crossings into new contacts.
    bool parted = false;
    for (int pass = 0; pass < kMaxUnionPasses; ++pass) {
        if (!Unite(paths, tree)) {
            result.ok = false;
            return result;
        }
        paths = StraightenedRings(tree);
        distinct = DistinctPoints(paths, pointOfCorner);
        cells = PointCells(distinct);
        Untangler untangler(paths, distinct, pointOfCorner.size(), cells);
        parted = !untangler.Tangled();
        if (parted || pass + 1 == kMaxUnionPasses) {
            break;
        }
        paths = untangler.Untangle();
    }
    if (!parted && Touching(paths, distinct.size(), pointOfCorner.size(), cells)) {
        // Rings sharing a point would make walls meeting four along one line.
        result.ok = false;
        return result;
    }

    // Points made where contours cross are corners; where input points meet, a corner wins.
    std::vector<signed char> smooth(distinct.size(), -1);
    for (size_t i = 0; i < input.grid.size(); ++i) {
        const int64_t k = cells.Find(IntPoint(input.grid[i].x, input.grid[i].y));
        if (k >= 0) {
            signed char& s = smooth[static_cast<size_t>(k)];
            s = static_cast<signed char>(s != 0 && input.points[i].smooth);
        }
    }
    result.grid.reserve(distinct.size());
    result.points.reserve(distinct.size());
    for (size_t k = 0; k < distinct.size(); ++k) {
        result.grid.push_back({distinct[k].X, distinct[k].Y});
        result.points.push_back(OnGrid(result.grid.back(), smooth[k] == 1));
    }

    // The tree's nodes come in the order StraightenedRings() took them, each outer ring before its
    // holes.
    std::vector<std::pair<const ClipperLib::PolyNode*, size_t>> polygonOf;
    size_t corner = 0;
    for (const ClipperLib::PolyNode* node = tree.GetFirst(); node; node = node->GetNext()) {
        const uint32_t* first = pointOfCorner.data() + corner;
        corner += node->Contour.size();
        if (node->IsOpen()) {
            continue;
        }
        if (!node->IsHole()) {
            polygonOf.emplace_back(node, result.polygons.size());
            result.polygons.push_back({Ring(node->Contour, first, true), {}});
            continue;
        }
        for (const auto& [outer, polygon] : polygonOf) {
            if (outer == node->Parent) {
                result.polygons[polygon].holes.push_back(Ring(node->Contour, first, false));
            }
        }
    }
    return result;
}
