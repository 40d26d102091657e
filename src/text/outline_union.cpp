#include "text/outline_union.h"

#include <algorithm>
#include <clipper.hpp>
#include <cmath>
#include <utility>

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
        ClipperLib::Clipper clipper(ClipperLib::ioStrictlySimple);
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

// Points bucketed in square cells, about one a cell, to find those lying on an edge.
class PointGrid {
  public:
    explicit PointGrid(const std::vector<IntPoint>& points) : points_(points) {
        if (points.empty()) {
            return;
        }
        Int minX = points[0].X, maxX = minX, minY = points[0].Y, maxY = minY;
        for (const IntPoint& p : points) {
            minX = std::min(minX, p.X);
            maxX = std::max(maxX, p.X);
            minY = std::min(minY, p.Y);
            maxY = std::max(maxY, p.Y);
        }
        const double area =
            (static_cast<double>(maxX - minX) + 1.0) * (static_cast<double>(maxY - minY) + 1.0);
        cell_ = std::max<Int>(
            1, static_cast<Int>(std::ceil(std::sqrt(area / static_cast<double>(points.size())))));
        originX_ = minX;
        originY_ = minY;
        columns_ = (maxX - minX) / cell_ + 1;
        rows_ = (maxY - minY) / cell_ + 1;
        heads_.assign(static_cast<size_t>(columns_ * rows_), kEnd);
        next_.assign(points.size(), kEnd);
        for (size_t i = 0; i < points.size(); ++i) {
            size_t& head =
                heads_[static_cast<size_t>(Row(points[i].Y) * columns_ + Column(points[i].X))];
            next_[i] = head;
            head = i;
        }
    }

    // Points strictly inside segment ab, nearest to a first.
    std::vector<IntPoint> OnSegment(const IntPoint& a, const IntPoint& b) const {
        std::vector<IntPoint> found;
        if (points_.empty()) {
            return found;
        }
        const Int c0 = Column(std::min(a.X, b.X)), c1 = Column(std::max(a.X, b.X));
        for (Int column = c0; column <= c1; ++column) {
            // The rows the segment crosses within this column, one cell of slack.
            Int r0 = Row(std::min(a.Y, b.Y)), r1 = Row(std::max(a.Y, b.Y));
            if (a.X != b.X) {
                const double x0 = std::max<double>(static_cast<double>(std::min(a.X, b.X)),
                                                   static_cast<double>(originX_ + column * cell_));
                const double x1 =
                    std::min<double>(static_cast<double>(std::max(a.X, b.X)),
                                     static_cast<double>(originX_ + (column + 1) * cell_));
                const double slope =
                    static_cast<double>(b.Y - a.Y) / static_cast<double>(b.X - a.X);
                const double y0 =
                    static_cast<double>(a.Y) + (x0 - static_cast<double>(a.X)) * slope;
                const double y1 =
                    static_cast<double>(a.Y) + (x1 - static_cast<double>(a.X)) * slope;
                r0 = std::max(r0, Row(static_cast<Int>(std::floor(std::min(y0, y1)))) - 1);
                r1 = std::min(r1, Row(static_cast<Int>(std::ceil(std::max(y0, y1)))) + 1);
            }
            for (Int row = r0; row <= r1; ++row) {
                for (size_t i = heads_[static_cast<size_t>(row * columns_ + column)]; i != kEnd;
                     i = next_[i]) {
                    const IntPoint& p = points_[i];
                    if (Orient(a, b, p) == 0 &&
                        Cross(p.X - a.X, p.Y - a.Y, a.Y - b.Y, b.X - a.X) > 0 &&
                        Cross(p.X - b.X, p.Y - b.Y, b.Y - a.Y, a.X - b.X) > 0) {
                        found.push_back(p);
                    }
                }
            }
        }
        std::sort(found.begin(), found.end(), [&a](const IntPoint& p, const IntPoint& q) {
            return std::abs(p.X - a.X) + std::abs(p.Y - a.Y) <
                   std::abs(q.X - a.X) + std::abs(q.Y - a.Y);
        });
        return found;
    }

  private:
    static constexpr size_t kEnd = static_cast<size_t>(-1);
    Int Column(Int x) const { return std::clamp<Int>((x - originX_) / cell_, 0, columns_ - 1); }
    Int Row(Int y) const { return std::clamp<Int>((y - originY_) / cell_, 0, rows_ - 1); }

    const std::vector<IntPoint>& points_;
    Int originX_ = 0, originY_ = 0, cell_ = 1, columns_ = 1, rows_ = 1;
    std::vector<size_t> heads_, next_;
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
        const PointGrid grid(points_);
        std::vector<std::vector<IntPoint>> between;
        for (const Path& ring : rings) {
            for (size_t i = 0; i < ring.size(); ++i) {
                between.push_back(grid.OnSegment(ring[i], ring[(i + 1) % ring.size()]));
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

std::vector<IntPoint> DistinctPoints(const Paths& rings, size_t& visits) {
    std::vector<IntPoint> points;
    for (const Path& ring : rings) {
        points.insert(points.end(), ring.begin(), ring.end());
    }
    visits = points.size();
    std::sort(points.begin(), points.end(), Before);
    points.erase(std::unique(points.begin(), points.end()), points.end());
    return points;
}

Paths RingsOf(const ClipperLib::PolyTree& tree) {
    Paths rings;
    for (const ClipperLib::PolyNode* node = tree.GetFirst(); node; node = node->GetNext()) {
        rings.push_back(node->Contour);
    }
    return rings;
}

class Indexer {
  public:
    explicit Indexer(std::vector<IntPoint> sorted) : sorted_(std::move(sorted)) {}
    uint32_t operator()(const IntPoint& p) const {
        return static_cast<uint32_t>(std::lower_bound(sorted_.begin(), sorted_.end(), p, Before) -
                                     sorted_.begin());
    }

  private:
    std::vector<IntPoint> sorted_;
};

std::vector<uint32_t> Ring(const Path& path, bool counterClockwise, const Indexer& index) {
    std::vector<uint32_t> ring;
    ring.reserve(path.size());
    for (const IntPoint& p : path) {
        ring.push_back(index(p));
    }
    if ((TwiceArea(path) > 0) != counterClockwise) {
        std::reverse(ring.begin(), ring.end());
    }
    return ring;
}

}  // namespace

UnitedOutline UniteContours(const FlatOutline& outline) {
    UnitedOutline result;
    Paths paths;
    paths.reserve(outline.contours.size());
    // Each input point with its smoothness; where several meet, a corner wins.
    std::vector<std::pair<IntPoint, bool>> smoothAt;
    for (const OutlineContour& contour : outline.contours) {
        Path& path = paths.emplace_back();
        path.reserve(contour.size());
        for (const OutlinePoint& p : contour) {
            if (!(std::abs(p.x) < kMaxEm && std::abs(p.y) < kMaxEm)) {
                result.ok = false;
                return result;
            }
            const IntPoint grid(std::llround(static_cast<double>(p.x) * kGridStepsPerEm),
                                std::llround(static_cast<double>(p.y) * kGridStepsPerEm));
            path.push_back(grid);
            smoothAt.emplace_back(grid, p.smooth);
        }
    }
    ClipperLib::PolyTree tree;
    std::vector<IntPoint> distinct;
    for (int pass = 0; pass < kMaxUnionPasses; ++pass) {
        if (!Unite(paths, tree)) {
            result.ok = false;
            return result;
        }
        paths = RingsOf(tree);
        size_t visits = 0;
        distinct = DistinctPoints(paths, visits);
        if (pass + 1 == kMaxUnionPasses) {
            break;
        }
        Untangler untangler(paths, distinct, visits);
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
        result.points.push_back({static_cast<float>(static_cast<double>(p.X) / kGridStepsPerEm),
                                 static_cast<float>(static_cast<double>(p.Y) / kGridStepsPerEm),
                                 smooth});
    }

    const Indexer index(std::move(distinct));
    for (const ClipperLib::PolyNode* outer = tree.GetFirst(); outer; outer = outer->GetNext()) {
        if (outer->IsHole() || outer->IsOpen()) {
            continue;
        }
        PolygonRings& polygon = result.polygons.emplace_back();
        polygon.outer = Ring(outer->Contour, true, index);
        for (const ClipperLib::PolyNode* hole : outer->Childs) {
            polygon.holes.push_back(Ring(hole->Contour, false, index));
        }
    }
    return result;
}
