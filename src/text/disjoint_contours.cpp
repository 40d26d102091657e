#include "text/disjoint_contours.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <numeric>

#include "text/integer_geometry.h"

namespace {

// Differences stay below 2^25 and products below 2^50, so orientation tests and the areas of
// rings of up to 2^13 corners are exact in 64 bits.
constexpr int64_t kMaxCoordinate = int64_t{1} << 24;
constexpr size_t kMaxRingSize = size_t{1} << 13;

using Rings = std::vector<std::vector<uint32_t>>;

struct Box {
    int64_t minX, maxX, minY, maxY;
    bool Holds(const GridPoint& p) const {
        return minX <= p.x && p.x <= maxX && minY <= p.y && p.y <= maxY;
    }
};

Box BoxOf(const std::vector<GridPoint>& points, const std::vector<uint32_t>& ring) {
    Box box{points[ring[0]].x, points[ring[0]].x, points[ring[0]].y, points[ring[0]].y};
    for (uint32_t i : ring) {
        box.minX = std::min(box.minX, points[i].x);
        box.maxX = std::max(box.maxX, points[i].x);
        box.minY = std::min(box.minY, points[i].y);
        box.maxY = std::max(box.maxY, points[i].y);
    }
    return box;
}

struct Segment {
    int64_t minX, maxX, minY, maxY;
    const GridPoint *from, *to;
    uint32_t ring, index, next;  // next: the index of the following edge in the ring
};

// Every ring has three corners or more within range, and none turns straight back.
bool RingsUsable(const std::vector<GridPoint>& points, const Rings& rings) {
    for (const auto& ring : rings) {
        const size_t n = ring.size();
        if (n < 3 || n > kMaxRingSize) {
            return false;
        }
        for (size_t i = 0; i < n; ++i) {
            const GridPoint& a = points[ring[(i + n - 1) % n]];
            const GridPoint& b = points[ring[i]];
            const GridPoint& c = points[ring[(i + 1) % n]];
            if (std::max(std::abs(b.x), std::abs(b.y)) >= kMaxCoordinate) {
                return false;
            }
            const int64_t forward = (b.x - a.x) * (c.x - b.x) + (b.y - a.y) * (c.y - b.y);
            if (Orientation(a, b, c) == 0 && forward <= 0) {
                return false;
            }
        }
    }
    return true;
}

// Whether two edges share a point other than the corner between neighbours, found by a sweep
// over x so that only edges whose boxes overlap are compared. The edges are put in order of their
// left ends only roughly, in buckets of a few, which is all the sweep needs.
bool EdgesMeet(const std::vector<GridPoint>& points, const Rings& rings) {
    std::vector<Segment> edges;
    size_t total = 0;
    for (const auto& ring : rings) {
        total += ring.size();
    }
    edges.reserve(total);
    int64_t lo = std::numeric_limits<int64_t>::max(), hi = std::numeric_limits<int64_t>::min();
    for (uint32_t r = 0; r < rings.size(); ++r) {
        const auto& ring = rings[r];
        for (uint32_t i = 0; i < ring.size(); ++i) {
            const uint32_t next = i + 1 == ring.size() ? 0 : i + 1;
            const GridPoint &a = points[ring[i]], &b = points[ring[next]];
            edges.push_back({std::min(a.x, b.x), std::max(a.x, b.x), std::min(a.y, b.y),
                             std::max(a.y, b.y), &a, &b, r, i, next});
            lo = std::min(lo, edges.back().minX);
            hi = std::max(hi, edges.back().minX);
        }
    }
    if (edges.empty()) {
        return false;
    }
    const size_t buckets = edges.size() / 4 + 1;
    const double scale =
        static_cast<double>(buckets) / (static_cast<double>(hi) - static_cast<double>(lo) + 1.0);
    auto bucketOf = [&](const Segment& e) {
        return std::min(buckets - 1, static_cast<size_t>(static_cast<double>(e.minX - lo) * scale));
    };
    std::vector<uint32_t> start(buckets + 1, 0), order(edges.size());
    std::vector<int64_t> left(buckets, std::numeric_limits<int64_t>::max());
    for (const Segment& e : edges) {
        ++start[bucketOf(e) + 1];
        left[bucketOf(e)] = std::min(left[bucketOf(e)], e.minX);
    }
    for (size_t b = 0; b < buckets; ++b) {
        start[b + 1] += start[b];
    }
    std::vector<uint32_t> fill(start.begin(), start.end() - 1);
    for (uint32_t k = 0; k < edges.size(); ++k) {
        order[fill[bucketOf(edges[k])]++] = k;
    }
    auto neighbours = [](const Segment& s, const Segment& t) {
        return s.ring == t.ring && (s.next == t.index || t.next == s.index);
    };
    std::vector<Segment> active;
    for (size_t b = 0; b < buckets; ++b) {
        if (start[b] == start[b + 1]) {
            continue;  // no left end to measure against
        }
        active.erase(std::remove_if(active.begin(), active.end(),
                                    [&](const Segment& t) { return t.maxX < left[b]; }),
                     active.end());
        for (uint32_t k = start[b]; k < start[b + 1]; ++k) {
            const Segment& s = edges[order[k]];
            for (const Segment& t : active) {
                if (t.maxX < s.minX || s.maxX < t.minX || t.maxY < s.minY || s.maxY < t.minY ||
                    neighbours(s, t)) {
                    continue;
                }
                if (SegmentsMeet(*s.from, *s.to, *t.from, *t.to)) {
                    return true;
                }
            }
            active.push_back(s);
        }
    }
    return false;
}

int64_t TwiceArea(const std::vector<GridPoint>& points, const std::vector<uint32_t>& ring) {
    return TwiceRingArea(ring.size(),
                         [&](size_t i) -> const GridPoint& { return points[ring[i]]; });
}

// p lies on no edge of the ring.
bool Encloses(const std::vector<GridPoint>& points, const std::vector<uint32_t>& ring,
              const GridPoint& p) {
    bool inside = false;
    for (size_t i = 0; i < ring.size(); ++i) {
        const GridPoint &u = points[ring[i]], &v = points[ring[(i + 1) % ring.size()]];
        if ((u.y > p.y) != (v.y > p.y)) {
            // The edge crosses the ray from p towards +x.
            const int64_t side = Orientation(u, v, p);
            inside = inside != (v.y > u.y ? side > 0 : side < 0);
        }
    }
    return inside;
}

}  // namespace

bool NestDisjointRings(const std::vector<GridPoint>& points, const Rings& rings,
                       std::vector<PolygonRings>& polygons) {
    polygons.clear();
    if (!RingsUsable(points, rings) || EdgesMeet(points, rings)) {
        return false;
    }
    const size_t count = rings.size();
    std::vector<int64_t> area(count);
    std::vector<Box> boxes(count);
    for (size_t r = 0; r < count; ++r) {
        area[r] = TwiceArea(points, rings[r]);
        boxes[r] = BoxOf(points, rings[r]);
        if (area[r] == 0) {
            return false;
        }
    }
    // Larger rings first: a ring's parent, the smallest ring around it, comes before it.
    std::vector<size_t> order(count);
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&area](size_t a, size_t b) { return std::abs(area[a]) > std::abs(area[b]); });
    std::vector<int> winding(count, 0);
    std::vector<size_t> polygonOf(count, 0);
    for (size_t k = 0; k < count; ++k) {
        const size_t r = order[k];
        const GridPoint& probe = points[rings[r][0]];
        size_t parent = count;
        for (size_t j = k; j-- > 0;) {
            if (boxes[order[j]].Holds(probe) && Encloses(points, rings[order[j]], probe)) {
                parent = order[j];
                break;
            }
        }
        const int outside = parent == count ? 0 : winding[parent];
        winding[r] = outside + (area[r] > 0 ? 1 : -1);
        if ((outside == 0) == (winding[r] == 0)) {
            return false;  // filled, or empty, on both sides
        }
        std::vector<uint32_t> ring = rings[r];
        if ((area[r] > 0) != (outside == 0)) {
            std::reverse(ring.begin(), ring.end());
        }
        if (outside == 0) {
            polygonOf[r] = polygons.size();
            polygons.push_back({std::move(ring), {}});
        } else {
            polygons[polygonOf[parent]].holes.push_back(std::move(ring));
        }
    }
    return true;
}
