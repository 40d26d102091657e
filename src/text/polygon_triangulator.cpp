#include "text/polygon_triangulator.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "text/grid_cells.h"
#include "text/integer_geometry.h"
#include "text/sliver_flips.h"

namespace {

constexpr int32_t kNoNode = -1;

struct Node {
    uint32_t point = 0;
    int64_t x = 0, y = 0;
    int32_t prev = kNoNode, next = kNoNode;
    int32_t samePoint = kNoNode;  // next node of the joined ring at the same point
    bool revisited = false;       // the joined ring passes this point more than once
    bool removed = false;
};

// A corner that may lie inside an ear, with its position at hand.
struct Candidate {
    int64_t x = 0, y = 0;
    int32_t node = kNoNode;
    uint32_t point = 0;
};

template <typename P>
bool InClosedTriangle(const Node& a, const Node& b, const Node& c, const P& p) {
    return Orientation(a, b, p) >= 0 && Orientation(b, c, p) >= 0 && Orientation(c, a, p) >= 0;
}

class EarClipper {
  public:
    EarClipper(const std::vector<GridPoint>& points, std::vector<uint32_t>& triangles)
        : points_(points), triangles_(triangles) {}

    // One clipper serves the polygons of a glyph one after another, keeping its buffers.
    bool Run(const PolygonRings& polygon) {
        nodes_.clear();
        late_.clear();
        cells_.Clear();
        clean_ = true;
        atPoint_.resize(points_.size(), kNoNode);
        Triangulate(polygon);
        for (const Node& node : nodes_) {
            atPoint_[node.point] = kNoNode;
        }
        return clean_;
    }

  private:
    void Triangulate(const PolygonRings& polygon) {
        size_t total = polygon.outer.size();
        for (const auto& ring : polygon.holes) {
            total += ring.size() + 2;
        }
        nodes_.reserve(total + 16);
        const int32_t outer = AddRing(polygon.outer, true);
        if (outer == kNoNode) {
            return;  // encloses nothing
        }
        RegisterRing(outer);
        std::vector<int32_t> holes;
        for (const auto& ring : polygon.holes) {
            const int32_t hole = AddRing(ring, false);
            if (hole != kNoNode) {
                holes.push_back(Leftmost(hole));
            }
        }
        // Left to right, so a hole's bridge never crosses a hole not yet joined.
        std::sort(holes.begin(), holes.end(), [this](int32_t a, int32_t b) {
            const Node &na = nodes_[a], &nb = nodes_[b];
            return na.x < nb.x || (na.x == nb.x && na.y < nb.y);
        });
        for (int32_t hole : holes) {
            JoinHole(hole, outer);
        }
        BuildGrid(outer);
        Clip(outer);
    }

    Node& N(int32_t i) { return nodes_[static_cast<size_t>(i)]; }

    int32_t NewNode(uint32_t point) {
        Node node;
        node.point = point;
        node.x = points_[point].x;
        node.y = points_[point].y;
        nodes_.push_back(node);
        return static_cast<int32_t>(nodes_.size() - 1);
    }

    // Links the ring in the wanted direction; kNoNode when it has no area.
    int32_t AddRing(const std::vector<uint32_t>& ring, bool counterClockwise) {
        if (ring.size() < 3) {
            return kNoNode;
        }
        int64_t twiceArea = 0;
        const GridPoint& origin = points_[ring[0]];
        for (size_t i = 1; i + 1 < ring.size(); ++i) {
            const GridPoint& b = points_[ring[i]];
            const GridPoint& c = points_[ring[i + 1]];
            twiceArea += (b.x - origin.x) * (c.y - origin.y) - (b.y - origin.y) * (c.x - origin.x);
        }
        if (twiceArea == 0) {
            return kNoNode;
        }
        const bool reverse = (twiceArea > 0) != counterClockwise;
        const auto first = static_cast<int32_t>(nodes_.size());
        for (size_t i = 0; i < ring.size(); ++i) {
            NewNode(ring[reverse ? ring.size() - 1 - i : i]);
        }
        const auto last = static_cast<int32_t>(nodes_.size() - 1);
        for (int32_t i = first; i <= last; ++i) {
            N(i).prev = i == first ? last : i - 1;
            N(i).next = i == last ? first : i + 1;
        }
        return first;
    }

    void Register(int32_t i) {
        int32_t& head = atPoint_[N(i).point];
        for (int32_t k = head; k != kNoNode; k = N(k).samePoint) {
            N(k).revisited = true;
            N(i).revisited = true;
        }
        N(i).samePoint = head;
        head = i;
    }

    void RegisterRing(int32_t start) {
        int32_t i = start;
        do {
            Register(i);
            i = N(i).next;
        } while (i != start);
    }

    int32_t Leftmost(int32_t start) {
        int32_t best = start;
        for (int32_t i = N(start).next; i != start; i = N(i).next) {
            if (N(i).x < N(best).x || (N(i).x == N(best).x && N(i).y < N(best).y)) {
                best = i;
            }
        }
        return best;
    }

    // Whether the direction from a to b leaves a into the polygon's interior.
    bool LocallyInside(int32_t ai, int32_t bi) {
        const Node &a = N(ai), &b = N(bi), &prev = N(a.prev), &next = N(a.next);
        if (Orientation(prev, a, next) < 0) {
            return Orientation(a, next, b) >= 0 || Orientation(a, b, prev) >= 0;
        }
        return Orientation(a, next, b) >= 0 && Orientation(a, b, prev) >= 0;
    }

    // Among the ring nodes at the point of node, the one whose wedge holds the direction to
    // target (a ring passing twice through one point has one node per visit).
    int32_t VisitFacing(int32_t node, int32_t target) {
        if (LocallyInside(node, target)) {
            return node;
        }
        for (int32_t i = atPoint_[N(node).point]; i != kNoNode; i = N(i).samePoint) {
            if (LocallyInside(i, target)) {
                return i;
            }
        }
        return node;
    }

    void JoinHole(int32_t hole, int32_t outer) {
        // A hole touching the ring at a shared point joins there, without a bridge.
        int32_t h = hole;
        do {
            for (int32_t i = atPoint_[N(h).point]; i != kNoNode; i = N(i).samePoint) {
                if (LocallyInside(i, N(h).next) && LocallyInside(i, N(h).prev)) {
                    RegisterRing(h);
                    JoinAtSharedPoint(i, h);
                    return;
                }
            }
            h = N(h).next;
        } while (h != hole);
        const int32_t m = FindBridge(hole, outer);
        if (m == kNoNode) {
            clean_ = false;  // a hole outside its outer ring: left unfilled
            return;
        }
        Bridge(VisitFacing(m, hole), hole);
    }

    // The ring node seen from the hole's leftmost point looking left, preferring among the
    // corners in the way the one closest in angle to that ray.
    int32_t FindBridge(int32_t hole, int32_t outer) {
        const Node& h = N(hole);
        double hitX = -std::numeric_limits<double>::infinity();
        int32_t m = kNoNode;
        int32_t i = outer;
        do {
            const Node &p = N(i), &q = N(p.next);
            // Edges running downwards bound the interior on their left, towards +x.
            if (p.y >= h.y && h.y >= q.y && p.y != q.y) {
                const double x = static_cast<double>(p.x) + static_cast<double>(h.y - p.y) *
                                                                static_cast<double>(q.x - p.x) /
                                                                static_cast<double>(q.y - p.y);
                if (x <= static_cast<double>(h.x) && x > hitX) {
                    hitX = x;
                    m = p.x < q.x ? i : p.next;
                    if (p.y == h.y && p.x == static_cast<int64_t>(x)) {
                        m = i;
                    } else if (q.y == h.y && q.x == static_cast<int64_t>(x)) {
                        m = p.next;
                    }
                }
            }
            i = p.next;
        } while (i != outer);
        if (m == kNoNode || (N(m).y == h.y && static_cast<double>(N(m).x) == hitX)) {
            return m;
        }
        // Corners inside the triangle (hole point, ray hit, m) would hide m from the hole.
        const Node& cand = N(m);
        const double ax = static_cast<double>(h.x), ay = static_cast<double>(h.y);
        const double bx = hitX, cx = static_cast<double>(cand.x), cy = static_cast<double>(cand.y);
        const bool upwards = cand.y > h.y;
        int32_t best = m;
        int64_t bestDy = std::abs(cand.y - h.y), bestDx = h.x - cand.x;
        i = outer;
        do {
            const Node& p = N(i);
            if (p.x < h.x && p.x >= cand.x && p.point != cand.point) {
                const double px = static_cast<double>(p.x), py = static_cast<double>(p.y);
                auto side = [&](double x0, double y0, double x1, double y1) {
                    return (x1 - x0) * (py - y0) - (y1 - y0) * (px - x0);
                };
                // The triangle (h, hit, m) in counter-clockwise order.
                const bool inside = upwards
                                        ? side(ax, ay, cx, cy) >= 0 && side(cx, cy, bx, ay) >= 0 &&
                                              side(bx, ay, ax, ay) >= 0
                                        : side(ax, ay, bx, ay) >= 0 && side(bx, ay, cx, cy) >= 0 &&
                                              side(cx, cy, ax, ay) >= 0;
                if (inside && LocallyInside(i, hole)) {
                    const int64_t dy = std::abs(p.y - h.y), dx = h.x - p.x;
                    // Smaller angle to the ray first, then the nearer corner.
                    const int64_t lhs = dy * bestDx, rhs = bestDy * dx;
                    if (lhs < rhs || (lhs == rhs && dx < bestDx)) {
                        best = i;
                        bestDy = dy;
                        bestDx = dx;
                    }
                }
            }
            i = p.next;
        } while (i != outer);
        return best;
    }

    // first → second … second's old predecessor → second' → first' → first's old successor,
    // with first' and second' copies of the two corners: within one ring this cuts it in two
    // along first–second; between two rings it joins them by a bridge walked once each way.
    void Join(int32_t first, int32_t second, int32_t firstCopy, int32_t secondCopy) {
        const int32_t firstNext = N(first).next, secondPrev = N(second).prev;
        Link(first, second);
        Link(secondPrev, secondCopy);
        Link(secondCopy, firstCopy);
        Link(firstCopy, firstNext);
    }

    void Link(int32_t a, int32_t b) {
        N(a).next = b;
        N(b).prev = a;
    }

    // m → h … h.prev → h' → m' → m.next: the bridge is walked once each way.
    void Bridge(int32_t m, int32_t h) {
        RegisterRing(h);
        const int32_t m2 = NewNode(N(m).point);
        const int32_t h2 = NewNode(N(h).point);
        Register(m2);
        Register(h2);
        Join(m, h, m2, h2);
    }

    // The ring passes the shared point twice: once into the hole, once back out of it.
    void JoinAtSharedPoint(int32_t m, int32_t h) {
        const int32_t mNext = N(m).next, hNext = N(h).next;
        N(m).next = hNext;
        N(hNext).prev = m;
        N(h).next = mNext;
        N(mNext).prev = h;
    }

    // Only a corner that is reflex, flat or one of several visits of a point can be the first
    // to stand in an ear's way: where a convex corner lies inside a candidate ear, the boundary
    // entered it across the diagonal, and its corner farthest from the diagonal is one of these.
    // Ear cuts only make corners more convex, so the set found once stays sufficient.
    bool MayObstruct(int32_t i) {
        return Orientation(N(N(i).prev), N(i), N(N(i).next)) <= 0 || N(i).revisited;
    }

    // Candidates in cells of about one candidate each.
    void BuildGrid(int32_t start) {
        std::vector<Candidate>& found = found_;
        found.clear();
        int32_t i = start;
        do {
            if (MayObstruct(i)) {
                found.push_back({N(i).x, N(i).y, i, N(i).point});
            }
            i = N(i).next;
        } while (i != start);
        late_.clear();
        cells_.Clear();
        if (found.empty()) {
            return;
        }
        int64_t minX = found[0].x, maxX = minX, minY = found[0].y, maxY = minY;
        for (const Candidate& c : found) {
            minX = std::min(minX, c.x);
            maxX = std::max(maxX, c.x);
            minY = std::min(minY, c.y);
            maxY = std::max(maxY, c.y);
        }
        layout_.FitCount(minX, minY, maxX, maxY, found.size());
        cells_.Fill(found, layout_.CellCount(),
                    [this](const Candidate& c, auto add) { add(layout_.CellOf(c.x, c.y)); });
    }

    // A corner whose neighbours changed after the grid was built.
    void AddCandidate(int32_t i) { late_.push_back({N(i).x, N(i).y, i, N(i).point}); }

    // Whether some live corner other than a visit of a, b or c lies in the closed triangle.
    bool Obstructed(const Node& a, const Node& b, const Node& c, const Candidate& p) {
        // Other visits of the corners' own points belong to other wedges.
        if (p.point == a.point || p.point == b.point || p.point == c.point ||
            !InClosedTriangle(a, b, c, p)) {
            return false;
        }
        return !N(p.node).removed;
    }

    bool IsEar(int32_t bi) {
        const int32_t ai = N(bi).prev, ci = N(bi).next;
        const Node &a = N(ai), &b = N(bi), &c = N(ci);
        if (Orientation(a, b, c) <= 0) {
            return false;
        }
        // Where the ring passes a point twice, the diagonal must stay in this visit's wedge.
        if ((a.revisited && !LocallyInside(ai, ci)) || (c.revisited && !LocallyInside(ci, ai))) {
            return false;
        }
        for (const Candidate& p : late_) {
            if (Obstructed(a, b, c, p)) {
                return false;
            }
        }
        const int64_t x0 = std::min({a.x, b.x, c.x}), x1 = std::max({a.x, b.x, c.x});
        const int64_t y0 = std::min({a.y, b.y, c.y}), y1 = std::max({a.y, b.y, c.y});
        if (cells_.Empty() || layout_.Misses(x0, y0, x1, y1)) {
            return true;
        }
        const int64_t c0 = layout_.Column(x0), c1 = layout_.Column(x1);
        for (int64_t row = layout_.Row(y0); row <= layout_.Row(y1); ++row) {
            const uint32_t end = cells_.Start(layout_.Cell(c1, row) + 1);
            for (uint32_t k = cells_.Start(layout_.Cell(c0, row)); k < end; ++k) {
                const Candidate& p = cells_[k];
                if (p.x >= x0 && p.x <= x1 && p.y >= y0 && p.y <= y1 && Obstructed(a, b, c, p)) {
                    return false;
                }
            }
        }
        return true;
    }

    void Emit(int32_t a, int32_t b, int32_t c) {
        triangles_.push_back(N(a).point);
        triangles_.push_back(N(b).point);
        triangles_.push_back(N(c).point);
    }

    void Unlink(int32_t i) {
        N(N(i).prev).next = N(i).next;
        N(N(i).next).prev = N(i).prev;
        N(i).removed = true;
    }

    size_t RingSize(int32_t start) {
        size_t count = 0;
        int32_t i = start;
        do {
            ++count;
            i = N(i).next;
        } while (i != start);
        return count;
    }

    void Clip(int32_t start) {
        size_t live = RingSize(start);
        int32_t ear = start, stop = start;
        while (live > 3) {
            if (IsEar(ear)) {
                const int32_t next = N(ear).next;
                Emit(N(ear).prev, ear, next);
                Unlink(ear);
                --live;
                ear = stop = N(next).next;
                continue;
            }
            ear = N(ear).next;
            if (ear != stop) {
                continue;
            }
            // A whole round without an ear: the ring doubles back on itself somewhere.
            if (const int32_t left = DropSpikes(ear); left != kNoNode) {
                ear = stop = left;
                live = RingSize(left);
                continue;
            }
            if (Split(ear)) {
                return;
            }
            if (!ForceEar(ear)) {
                clean_ = false;
                return;
            }
            ear = stop = N(ear).next;
            --live;
        }
        if (live == 3) {
            const int32_t a = N(ear).prev, c = N(ear).next;
            if (Orientation(N(a), N(ear), N(c)) > 0) {
                Emit(a, ear, c);
            } else if (Orientation(N(a), N(ear), N(c)) < 0) {
                clean_ = false;
            }
        }
    }

    // Removes out-and-back excursions (a → b → a) and zero-length edges, which bound nothing.
    // Returns a live node when something was removed.
    int32_t DropSpikes(int32_t start) {
        bool removed = false;
        int32_t i = start;
        size_t live = RingSize(start);
        for (size_t guard = 2 * live; guard > 0 && live > 3; --guard) {
            const int32_t next = N(i).next;
            if (N(i).point == N(next).point) {
                Unlink(next);
                AddCandidate(i);
                AddCandidate(N(i).next);
                removed = true;
                --live;
                continue;
            }
            if (N(N(i).prev).point == N(next).point) {
                const int32_t keep = N(i).prev;
                Unlink(i);
                Unlink(next);
                AddCandidate(keep);
                AddCandidate(N(keep).next);
                removed = true;
                live -= 2;
                i = keep;
                continue;
            }
            i = next;
        }
        return removed ? i : kNoNode;
    }

    // Cuts the ring along a diagonal no edge touches and clips both halves.
    bool Split(int32_t start) {
        int32_t a = start;
        do {
            for (int32_t b = N(N(a).next).next; b != N(a).prev; b = N(b).next) {
                if (N(a).point != N(b).point && IsDiagonal(a, b)) {
                    const int32_t a2 = NewNode(N(a).point);
                    const int32_t b2 = NewNode(N(b).point);
                    Join(b, a, b2, a2);
                    AddCandidate(a2);
                    AddCandidate(b2);
                    Register(a2);
                    Register(b2);
                    Clip(a);
                    Clip(a2);
                    return true;
                }
            }
            a = N(a).next;
        } while (a != start);
        return false;
    }

    bool IsDiagonal(int32_t ai, int32_t bi) {
        if (!LocallyInside(ai, bi) || !LocallyInside(bi, ai)) {
            return false;
        }
        const Node &a = N(ai), &b = N(bi);
        int32_t i = ai;
        do {
            const Node &p = N(i), &q = N(p.next);
            const bool sharesEnd = p.point == a.point || p.point == b.point || q.point == a.point ||
                                   q.point == b.point;
            if (!sharesEnd && SegmentsMeet(a, b, p, q)) {
                return false;
            }
            // A corner lying on the diagonal splits it.
            if (p.point != a.point && p.point != b.point && Orientation(a, b, p) == 0 &&
                SegmentsMeet(a, b, p, p)) {
                return false;
            }
            i = p.next;
        } while (i != ai);
        // The diagonal's midpoint must lie inside: the ring winds around it.
        const double mx = (static_cast<double>(a.x) + static_cast<double>(b.x)) / 2.0;
        const double my = (static_cast<double>(a.y) + static_cast<double>(b.y)) / 2.0;
        bool inside = false;
        i = ai;
        do {
            const Node &p = N(i), &q = N(p.next);
            const auto py = static_cast<double>(p.y), qy = static_cast<double>(q.y);
            if ((py > my) != (qy > my)) {
                const double x = static_cast<double>(p.x) +
                                 (my - py) * static_cast<double>(q.x - p.x) / (qy - py);
                if (mx < x) {
                    inside = !inside;
                }
            }
            i = p.next;
        } while (i != ai);
        return inside;
    }

    // Last resort: clips the first convex corner whatever lies inside it, so the surface stays
    // closed even if the face overlaps itself.
    bool ForceEar(int32_t& ear) {
        int32_t i = ear;
        do {
            if (Orientation(N(N(i).prev), N(i), N(N(i).next)) > 0) {
                clean_ = false;
                Emit(N(i).prev, i, N(i).next);
                ear = N(i).prev;
                Unlink(i);
                return true;
            }
            i = N(i).next;
        } while (i != ear);
        return false;
    }

    const std::vector<GridPoint>& points_;
    std::vector<uint32_t>& triangles_;
    std::vector<Node> nodes_;
    CellLayout layout_;
    CellContents<Candidate> cells_;
    std::vector<Candidate> late_, found_;
    std::vector<int32_t> atPoint_;  // first node of the joined ring at each point
    bool clean_ = true;
};

}  // namespace

bool TriangulatePolygon(const std::vector<GridPoint>& points, const PolygonRings& polygon,
                        std::vector<uint32_t>& triangles) {
    const size_t first = triangles.size();
    EarClipper clipper(points, triangles);
    const bool clean = clipper.Run(polygon);
    FlipSlivers(points, triangles, first);
    return clean;
}

bool TriangulatePolygons(const std::vector<GridPoint>& points,
                         const std::vector<PolygonRings>& polygons,
                         std::vector<uint32_t>& triangles) {
    const size_t first = triangles.size();
    EarClipper clipper(points, triangles);
    bool clean = true;
    for (const PolygonRings& polygon : polygons) {
        clean = clipper.Run(polygon) && clean;
    }
    FlipSlivers(points, triangles, first);
    return clean;
}
