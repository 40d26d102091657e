#include "text/grid_segments.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <utility>

namespace {

// Grid steps a point added beside a segment lies off it at most.
constexpr double kMostOff = 1.0 / 16.0;

int64_t Left(const GridSegment& s) {
    return std::min(s.a.x, s.b.x);
}

int64_t Right(const GridSegment& s) {
    return std::max(s.a.x, s.b.x);
}

bool Meet(const GridSegment& s, const GridSegment& t) {
    return std::min(s.a.y, s.b.y) <= std::max(t.a.y, t.b.y) &&
           std::min(t.a.y, t.b.y) <= std::max(s.a.y, s.b.y) && SegmentsMeet(s.a, s.b, t.a, t.b);
}

// Whether s runs into the box at all (one left of it was never taken).
bool Reaches(const GridSegment& s, const GridBox& box) {
    return Right(s) >= box.minX && std::max(s.a.y, s.b.y) >= box.minY &&
           std::min(s.a.y, s.b.y) <= box.maxY;
}

GridBox BoxOf(const GridSegment& s) {
    return {Left(s), std::min(s.a.y, s.b.y), Right(s), std::max(s.a.y, s.b.y)};
}

bool Overlap(const GridBox& a, const GridBox& b) {
    return a.minX <= b.maxX && b.minX <= a.maxX && a.minY <= b.maxY && b.minY <= a.maxY;
}

}  // namespace

void AddRingEdges(const std::vector<GridPoint>& points, size_t begin, size_t count,
                  std::vector<GridSegment>& out) {
    for (size_t i = 0; i < count; ++i) {
        out.push_back({points[begin + i], points[begin + (i + 1) % count], i});
    }
    std::sort(out.begin(), out.end(),
              [](const GridSegment& s, const GridSegment& t) { return Left(s) < Left(t); });
}

void MeetingSegments(const std::vector<GridSegment>& first, const std::vector<GridSegment>& second,
                     const GridBox& box, SegmentPairs& out) {
    const std::vector<GridSegment>* sides[2] = {&first, &second};
    size_t next[2] = {0, 0};
    // Each side's left end still to come, past every grid point once it has none.
    auto head = [&](int side) {
        return next[side] < sides[side]->size() ? Left((*sides[side])[next[side]]) : INT64_MAX;
    };
    int64_t heads[2] = {head(0), head(1)};
    std::vector<const GridSegment*> active[2];
    for (;;) {
        // The segment with the leftmost left end still to come, first's on a tie.
        const int side = heads[0] <= heads[1] ? 0 : 1;
        const int64_t x = heads[side];
        if (x == INT64_MAX || x > box.maxX) {
            return;
        }
        const GridSegment* s = &(*sides[side])[next[side]++];
        heads[side] = head(side);
        if (!Reaches(*s, box)) {
            continue;
        }
        // Those of the other side ending left of s are done with; the rest are compared.
        std::vector<const GridSegment*>& others = active[1 - side];
        size_t kept = 0;
        for (const GridSegment* t : others) {
            if (Right(*t) < x) {
                continue;
            }
            others[kept++] = t;
            if (Meet(*s, *t)) {
                side == 0 ? out.emplace_back(s, t) : out.emplace_back(t, s);
            }
        }
        others.resize(kept);
        active[side].push_back(s);
    }
}

SegmentCells::SegmentCells(std::vector<GridSegment> segments) : segments_(std::move(segments)) {
    if (segments_.empty()) {
        return;
    }
    std::vector<Entry> entries(segments_.size());
    GridBox all = BoxOf(segments_.front());
    for (size_t k = 0; k < segments_.size(); ++k) {
        const GridBox box = BoxOf(segments_[k]);
        entries[k] = {box, static_cast<uint32_t>(k)};
        all = {std::min(all.minX, box.minX), std::min(all.minY, box.minY),
               std::max(all.maxX, box.maxX), std::max(all.maxY, box.maxY)};
    }
    layout_.FitCount(all.minX, all.minY, all.maxX, all.maxY, segments_.size());
    cells_.Fill(entries, layout_.CellCount(), [this](const Entry& entry, auto add) {
        const GridBox& box = entry.box;
        for (int64_t row = layout_.Row(box.minY); row <= layout_.Row(box.maxY); ++row) {
            for (int64_t column = layout_.Column(box.minX); column <= layout_.Column(box.maxX);
                 ++column) {
                add(layout_.Cell(column, row));
            }
        }
    });
}

void SegmentCells::Meeting(const std::vector<GridSegment>& first, const GridBox& box,
                           SegmentPairs& out) const {
    if (segments_.empty()) {
        return;
    }
    for (const GridSegment& s : first) {
        const GridBox own = BoxOf(s);
        if (!Overlap(own, box)) {
            continue;
        }
        for (int64_t row = layout_.Row(own.minY); row <= layout_.Row(own.maxY); ++row) {
            for (int64_t column = layout_.Column(own.minX); column <= layout_.Column(own.maxX);
                 ++column) {
                const size_t cell = layout_.Cell(column, row);
                const uint32_t end = cells_.Start(cell + 1);
                for (uint32_t k = cells_.Start(cell); k < end; ++k) {
                    const GridBox& other = cells_[k].box;
                    // A pair sharing several cells counts in the one holding the lower left
                    // corner of where their boxes overlap.
                    if (Overlap(own, other) && Overlap(other, box) &&
                        layout_.CellOf(std::max(own.minX, other.minX),
                                       std::max(own.minY, other.minY)) == cell) {
                        const GridSegment& t = segments_[cells_[k].segment];
                        if (SegmentsMeet(s.a, s.b, t.a, t.b)) {
                            out.emplace_back(&s, &t);
                        }
                    }
                }
            }
        }
    }
}

bool RingMeetsItself(const std::vector<GridPoint>& ring) {
    const size_t n = ring.size();
    if (n < 4) {
        return false;
    }
    auto next = [n](size_t e) { return e + 1 < n ? e + 1 : 0; };
    std::vector<GridBox> boxes(n);
    int64_t left = INT64_MAX;
    for (size_t e = 0; e < n; ++e) {
        boxes[e] = BoxOf({ring[e], ring[next(e)]});
        left = std::min(left, boxes[e].minX);
    }
    // Swept from left to right, each edge is compared only with those still reaching its left end.
    // Plain numbers, an edge's left end above its index, sort fastest.
    std::vector<uint64_t> order(n);
    for (size_t e = 0; e < n; ++e) {
        order[e] = static_cast<uint64_t>(boxes[e].minX - left) << 32 | e;
    }
    std::sort(order.begin(), order.end());
    std::vector<uint32_t> active;
    for (const uint64_t key : order) {
        const auto e = static_cast<uint32_t>(key);
        size_t kept = 0;
        for (const uint32_t f : active) {
            if (boxes[f].maxX < boxes[e].minX) {
                continue;
            }
            active[kept++] = f;
            if (f != next(e) && e != next(f) && Overlap(boxes[e], boxes[f]) &&
                SegmentsMeet(ring[e], ring[next(e)], ring[f], ring[next(f)])) {
                return true;
            }
        }
        active.resize(kept);
        active.push_back(e);
    }
    return false;
}

bool EdgesMeetRing(const std::vector<GridPoint>& ring, const std::vector<size_t>& edges) {
    const size_t n = ring.size();
    if (edges.empty()) {
        return false;
    }
    auto next = [n](size_t e) { return e + 1 < n ? e + 1 : 0; };
    // Most edges lie clear of all those given at once.
    std::vector<GridBox> boxes;
    GridBox all = BoxOf({ring[edges.front()], ring[next(edges.front())]});
    for (const size_t e : edges) {
        const GridBox& box = boxes.emplace_back(BoxOf({ring[e], ring[next(e)]}));
        all = {std::min(all.minX, box.minX), std::min(all.minY, box.minY),
               std::max(all.maxX, box.maxX), std::max(all.maxY, box.maxY)};
    }
    for (size_t f = 0; f < n; ++f) {
        const GridBox other = BoxOf({ring[f], ring[next(f)]});
        if (!Overlap(all, other)) {
            continue;
        }
        for (size_t k = 0; k < edges.size(); ++k) {
            const size_t e = edges[k];
            if (f != e && f != next(e) && e != next(f) && Overlap(boxes[k], other) &&
                SegmentsMeet(ring[e], ring[next(e)], ring[f], ring[next(f)])) {
                return true;
            }
        }
    }
    return false;
}

int WindingNumber(const std::vector<GridPoint>& points, size_t begin, size_t count,
                  const GridPoint& p) {
    int winding = 0;
    if (count == 0) {
        return 0;
    }
    const GridPoint* ring = points.data() + begin;
    // Each edge from the corner before, the last's closing the ring first.
    const GridPoint* a = ring + count - 1;
    for (const GridPoint* b = ring; b != ring + count; a = b++) {
        if (a->y <= p.y) {
            winding += b->y > p.y && Orientation(*a, *b, p) > 0 ? 1 : 0;
        } else {
            winding -= b->y <= p.y && Orientation(*a, *b, p) < 0 ? 1 : 0;
        }
    }
    return winding;
}

std::optional<GridPoint> GridPointAlong(const GridPoint& a, const GridPoint& b, double t,
                                        double tolerance, bool beside, const GridPoint& previous,
                                        double& at) {
    const int64_t dx = b.x - a.x, dy = b.y - a.y;
    const int64_t g = std::gcd(dx, dy);
    if (g == 0) {
        return std::nullopt;
    }
    const int64_t sx = dx / g, sy = dy / g;
    const auto fx = static_cast<double>(dx), fy = static_cast<double>(dy);
    const double length2 = fx * fx + fy * fy;
    const double length = std::sqrt(length2);
    const int64_t onEdge = std::llround(static_cast<double>(g) * t);
    const bool onSegment = onEdge > 0 && onEdge < g;
    const double onEdgeAt = static_cast<double>(onEdge) / static_cast<double>(g);
    if (!beside) {
        if (!onSegment) {
            return std::nullopt;
        }
        at = onEdgeAt;
        return GridPoint{a.x + onEdge * sx, a.y + onEdge * sy};
    }
    auto fraction = [&](int64_t x, int64_t y) {
        return (static_cast<double>(x) * fx + static_cast<double>(y) * fy) / length2;
    };
    // A grid point u off a lies c / |s| grid steps left of the segment, c = sx u.y - sy u.x: at
    // most kMostOff steps, and at least half as far as the point before allows (later points may
    // lie only as far off in proportion to their distance from a), to leave room for the next.
    int64_t most = static_cast<int64_t>(length / static_cast<double>(g) * kMostOff);
    const int64_t previousOff = sx * (previous.y - a.y) - sy * (previous.x - a.x);
    if (previousOff > 0) {
        const double bound =
            static_cast<double>(previousOff) * t / fraction(previous.x - a.x, previous.y - a.y);
        most = std::min(most, static_cast<int64_t>(bound) + 1);
    } else if (previous.x != a.x || previous.y != a.y) {
        most = 0;  // none may follow one on the segment
    }
    const int64_t least = (most + 1) / 2;
    // Across each grid line along the segment's longer side the nearest point left of it, outwards
    // from fraction t. There c = sign (major v - minor u) at (u, v) across and along, which lies
    // in 1..|major| and steps by -sign minor (mod |major|) from one line to the next.
    const bool alongX = std::abs(sx) >= std::abs(sy);
    const int64_t major = alongX ? sx : sy, minor = alongX ? sy : sx;
    const int64_t sign = alongX ? 1 : -1;
    const int64_t lines = std::abs(major);
    auto wrap = [lines](int64_t c) { return c > lines ? c - lines : c < 1 ? c + lines : c; };
    const int64_t step = (-sign * minor) % lines;
    const double reach = tolerance * static_cast<double>(std::abs(alongX ? dx : dy)) / length;
    const int64_t middle = std::llround(t * static_cast<double>(alongX ? dx : dy));
    int64_t upOff = wrap((-sign * minor * middle) % lines);
    int64_t downOff = upOff;
    auto take = [&](int64_t u, int64_t c) -> std::optional<GridPoint> {
        if (c < least || c > most) {
            return std::nullopt;
        }
        const int64_t v = (sign * c + minor * u) / major;
        const GridPoint p = alongX ? GridPoint{a.x + u, a.y + v} : GridPoint{a.x + v, a.y + u};
        const double there = fraction(p.x - a.x, p.y - a.y);
        if (there <= 0.0 || there >= 1.0 || Orientation(a, p, previous) < 0) {
            return std::nullopt;
        }
        at = there;
        return p;
    };
    if (most > 0) {
        if (auto p = take(middle, upOff)) {
            return p;
        }
    }
    for (int64_t i = 1; most > 0 && static_cast<double>(i) <= reach; ++i) {
        upOff = wrap(upOff + step);
        downOff = wrap(downOff - step);
        if (auto p = take(middle + i, upOff)) {
            return p;
        }
        if (auto p = take(middle - i, downOff)) {
            return p;
        }
    }
    // Only near t: one on the segment bars the points after it from lying beside it.
    if (onSegment && std::abs(onEdgeAt - t) * length <= tolerance) {
        at = onEdgeAt;
        return GridPoint{a.x + onEdge * sx, a.y + onEdge * sy};
    }
    return std::nullopt;
}
