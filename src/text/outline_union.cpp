#include "text/outline_union.h"

#include <algorithm>
#include <clipper.hpp>
#include <cmath>
#include <limits>
#include <utility>

#include "text/disjoint_contours.h"

namespace {

// Far beyond any real glyph, and small enough for exact integer orientation tests.
constexpr float kMaxEm = 64.0f;
// How far, in grid steps, a corner may move to part two rings that touch.
constexpr double kMaxNudge = 256.0;
constexpr int kMaxUnionPasses = 3;

using ClipperLib::IntPoint;
using ClipperLib::Path;
using ClipperLib::Paths;
using Edge = std::pair<size_t, size_t>;
using Int = ClipperLib::cInt;

// A function object, so sorting and searching inline the comparison.
struct PointOrder {
    bool operator()(const IntPoint& a, const IntPoint& b) const {
        return a.X < b.X || (a.X == b.X && a.Y < b.Y);
    }
};
constexpr PointOrder Before;

Int Cross(Int ux, Int uy, Int vx, Int vy) {
    return ux * vy - uy * vx;
}

Int Orient(const IntPoint& a, const IntPoint& b, const IntPoint& c) {
    return Cross(b.X - a.X, b.Y - a.Y, c.X - a.X, c.Y - a.Y);
}

bool InClosedTriangle(const IntPoint& a, const IntPoint& b, const IntPoint& c, const IntPoint& p) {
    const Int ab = Orient(a, b, p), bc = Orient(b, c, p), ca = Orient(c, a, p);
    return (ab >= 0 && bc >= 0 && ca >= 0) || (ab <= 0 && bc <= 0 && ca <= 0);
}

Int TwiceArea(const Path& path) {
    Int sum = 0;
    for (size_t i = 1; i + 1 < path.size(); ++i) {
        sum += Orient(path[0], path[i], path[i + 1]);
    }
    return sum;
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

struct YOrder {
    bool operator()(const IntPoint& a, const IntPoint& b) const {
        return a.Y < b.Y || (a.Y == b.Y && a.X < b.X);
    }
};

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

// The rings' distinct points sorted by x and by y: the points near an edge lie in a band along
// the axis it runs across least.
class NearbyPoints {
  public:
    explicit NearbyPoints(const std::vector<IntPoint>& byX) : byX_(byX), byY_(byX) {
        std::sort(byY_.begin(), byY_.end(), YOrder{});
    }

    // Points strictly between a and b and less than a grid step from the segment, nearest to a
    // first.
    std::vector<IntPoint> Along(const IntPoint& a, const IntPoint& b) const {
        std::vector<IntPoint> found;
        const Int x0 = std::min(a.X, b.X) - 1, x1 = std::max(a.X, b.X) + 1;
        const Int y0 = std::min(a.Y, b.Y) - 1, y1 = std::max(a.Y, b.Y) + 1;
        auto consider = [&](const IntPoint& p) {
            if (x0 <= p.X && p.X <= x1 && y0 <= p.Y && p.Y <= y1 && AlongEdge(a, b, p)) {
                found.push_back(p);
            }
        };
        constexpr Int kLeast = std::numeric_limits<Int>::min();
        if (x1 - x0 <= y1 - y0) {
            for (auto it = std::lower_bound(byX_.begin(), byX_.end(), IntPoint(x0, kLeast), Before);
                 it != byX_.end() && it->X <= x1; ++it) {
                consider(*it);
            }
        } else {
            for (auto it =
                     std::lower_bound(byY_.begin(), byY_.end(), IntPoint(kLeast, y0), YOrder{});
                 it != byY_.end() && it->Y <= y1; ++it) {
                consider(*it);
            }
        }
        std::sort(found.begin(), found.end(), [&a, &b](const IntPoint& p, const IntPoint& q) {
            return (p.X - a.X) * (b.X - a.X) + (p.Y - a.Y) * (b.Y - a.Y) <
                   (q.X - a.X) * (b.X - a.X) + (q.Y - a.Y) * (b.Y - a.Y);
        });
        return found;
    }

  private:
    const std::vector<IntPoint>& byX_;
    std::vector<IntPoint> byY_;
};

// The clipper's strictly simple output may still have two rings run along one edge in opposite
// directions (the edge lies inside the filled region) or touch at a point, or a corner of one ring
// may lie on an edge. Four walls would then meet along one line, or walls would overlap, and the
// solid would not be a proper surface there.
class Untangler {
  public:
    // points: the rings' distinct points in PointOrder, visits: how many corners the rings
    // have. Moved corners are appended to points.
    Untangler(const Paths& rings, std::vector<IntPoint>& points, size_t visits) : points_(points) {
        tangled_ = points_.size() != visits;
        const NearbyPoints nearby(points_);
        std::vector<std::vector<IntPoint>> between;
        between.reserve(visits);
        for (const Path& ring : rings) {
            for (size_t i = 0; i < ring.size(); ++i) {
                between.push_back(nearby.Along(ring[i], ring[(i + 1) % ring.size()]));
                tangled_ = tangled_ || !between.back().empty();
            }
        }
        if (!tangled_) {
            return;
        }
        // Edges are cut at the corners lying on them, so overlaps become shared edges.
        size_t k = 0;
        for (const Path& ring : rings) {
            for (size_t i = 0; i < ring.size(); ++i, ++k) {
                size_t from = Index(ring[i]);
                for (const IntPoint& p : between[k]) {
                    edges_.emplace_back(from, Index(p));
                    from = edges_.back().second;
                }
                edges_.emplace_back(from, Index(ring[(i + 1) % ring.size()]));
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
    size_t Index(const IntPoint& p) const {
        const auto end = points_.begin() + static_cast<std::ptrdiff_t>(sorted_);
        return static_cast<size_t>(std::lower_bound(points_.begin(), end, p, Before) -
                                   points_.begin());
    }

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
    // few grid steps into the sector, which cuts off a sliver far below anything visible.
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
            for (double reach = 2.0; reach <= kMaxNudge; reach *= 2.0) {
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
    const size_t sorted_ = points_.size();
    std::vector<Edge> edges_;
    bool tangled_ = false;
};

// The rings' distinct points in PointOrder, and for each corner of the rings, one ring after
// another, the index of its point.
std::vector<IntPoint> DistinctPoints(const Paths& rings, std::vector<uint32_t>& pointOfCorner) {
    std::vector<std::pair<IntPoint, uint32_t>> corners;
    for (const Path& ring : rings) {
        for (const IntPoint& p : ring) {
            corners.emplace_back(p, static_cast<uint32_t>(corners.size()));
        }
    }
    std::sort(corners.begin(), corners.end(),
              [](const auto& a, const auto& b) { return Before(a.first, b.first); });
    std::vector<IntPoint> points;
    pointOfCorner.resize(corners.size());
    for (const auto& [p, corner] : corners) {
        if (points.empty() || !(points.back() == p)) {
            points.push_back(p);
        }
        pointOfCorner[corner] = static_cast<uint32_t>(points.size() - 1);
    }
    return points;
}

Paths RingsOf(const ClipperLib::PolyTree& tree) {
    Paths rings;
    for (const ClipperLib::PolyNode* node = tree.GetFirst(); node; node = node->GetNext()) {
        rings.push_back(node->Contour);
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

// The outline's points on the grid, each ring without repeated consecutive points.
std::vector<std::vector<uint32_t>> GridRings(const FlatOutline& outline, UnitedOutline& result) {
    std::vector<std::vector<uint32_t>> rings;
    rings.reserve(outline.contours.size());
    size_t total = 0;
    for (const OutlineContour& contour : outline.contours) {
        total += contour.size();
    }
    result.grid.reserve(total);
    result.points.reserve(total);
    for (const OutlineContour& contour : outline.contours) {
        auto& ring = rings.emplace_back();
        ring.reserve(contour.size());
        for (const OutlinePoint& p : contour) {
            if (!(std::abs(p.x) < kMaxEm && std::abs(p.y) < kMaxEm)) {
                result = UnitedOutline{};
                result.ok = false;
                return {};
            }
            const GridPoint grid{std::llround(static_cast<double>(p.x) * kGridStepsPerEm),
                                 std::llround(static_cast<double>(p.y) * kGridStepsPerEm)};
            if (!ring.empty() && SameGridPoint(result.grid[ring.back()], grid)) {
                result.points[ring.back()].smooth = result.points[ring.back()].smooth && p.smooth;
                continue;
            }
            ring.push_back(static_cast<uint32_t>(result.grid.size()));
            result.grid.push_back(grid);
            result.points.push_back(OnGrid(grid, p.smooth));
        }
        if (ring.size() > 1 && SameGridPoint(result.grid[ring.front()], result.grid[ring.back()])) {
            result.points[ring.front()].smooth =
                result.points[ring.front()].smooth && result.points.back().smooth;
            ring.pop_back();
            result.grid.pop_back();
            result.points.pop_back();
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
    // Each input point with its smoothness; where several meet, a corner wins.
    std::vector<std::pair<IntPoint, bool>> smoothAt;
    smoothAt.reserve(result.grid.size());
    for (const auto& ring : rings) {
        Path& path = paths.emplace_back();
        path.reserve(ring.size());
        for (uint32_t i : ring) {
            const IntPoint grid(result.grid[i].x, result.grid[i].y);
            path.push_back(grid);
            smoothAt.emplace_back(grid, result.points[i].smooth);
        }
    }
    result.grid.clear();
    result.points.clear();
    result.polygons.clear();
    ClipperLib::PolyTree tree;
    std::vector<IntPoint> distinct;
    std::vector<uint32_t> pointOfCorner;
    for (int pass = 0; pass < kMaxUnionPasses; ++pass) {
        if (!Unite(paths, tree)) {
            result.ok = false;
            return result;
        }
        paths = RingsOf(tree);
        distinct = DistinctPoints(paths, pointOfCorner);
        if (pass + 1 == kMaxUnionPasses) {
            break;
        }
        Untangler untangler(paths, distinct, pointOfCorner.size());
        if (!untangler.Tangled()) {
            break;
        }
        paths = untangler.Untangle();
    }

    std::sort(smoothAt.begin(), smoothAt.end(),
              [](const auto& a, const auto& b) { return Before(a.first, b.first); });
    result.grid.reserve(distinct.size());
    result.points.reserve(distinct.size());
    auto known = smoothAt.begin();
    for (const IntPoint& p : distinct) {
        while (known != smoothAt.end() && Before(known->first, p)) {
            ++known;
        }
        bool smooth = known != smoothAt.end() && known->first == p;
        for (auto same = known; same != smoothAt.end() && same->first == p; ++same) {
            smooth = smooth && same->second;
        }
        result.grid.push_back({p.X, p.Y});
        result.points.push_back(OnGrid(result.grid.back(), smooth));
    }

    // The tree's nodes come in the order RingsOf() took them, each outer ring before its holes.
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
