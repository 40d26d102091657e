#include "text/grid_segments.h"

#include <algorithm>

namespace {

int Sign(int64_t v) {
    return (v > 0) - (v < 0);
}

bool OnSegment(const GridPoint& a, const GridPoint& b, const GridPoint& p) {
    return std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x) && std::min(a.y, b.y) <= p.y &&
           p.y <= std::max(a.y, b.y);
}

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

}  // namespace

int64_t GridCross(const GridPoint& a, const GridPoint& b, const GridPoint& c) {
    return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

bool SegmentsMeet(const GridPoint& a, const GridPoint& b, const GridPoint& c, const GridPoint& d) {
    const int o1 = Sign(GridCross(a, b, c));
    const int o2 = Sign(GridCross(a, b, d));
    const int o3 = Sign(GridCross(c, d, a));
    const int o4 = Sign(GridCross(c, d, b));
    if (o1 != o2 && o3 != o4) {
        return true;
    }
    return (o1 == 0 && OnSegment(a, b, c)) || (o2 == 0 && OnSegment(a, b, d)) ||
           (o3 == 0 && OnSegment(c, d, a)) || (o4 == 0 && OnSegment(c, d, b));
}

void AddRingEdges(const std::vector<GridPoint>& points, size_t begin, size_t count,
                  std::vector<GridSegment>& out) {
    for (size_t i = 0; i < count; ++i) {
        out.push_back({points[begin + i], points[begin + (i + 1) % count]});
    }
}

bool AnySegmentsMeet(std::vector<GridSegment> first, std::vector<GridSegment> second) {
    auto byLeft = [](const GridSegment& s, const GridSegment& t) { return Left(s) < Left(t); };
    std::sort(first.begin(), first.end(), byLeft);
    std::sort(second.begin(), second.end(), byLeft);
    const std::vector<GridSegment>* lists[2] = {&first, &second};
    std::vector<const GridSegment*> active[2];
    size_t next[2] = {0, 0};
    while (next[0] < first.size() || next[1] < second.size()) {
        const int k = next[1] == second.size() || (next[0] < first.size() &&
                                                   Left(first[next[0]]) <= Left(second[next[1]]))
                          ? 0
                          : 1;
        const GridSegment& s = (*lists[k])[next[k]++];
        std::vector<const GridSegment*>& others = active[1 - k];
        const int64_t x = Left(s);
        others.erase(std::remove_if(others.begin(), others.end(),
                                    [x](const GridSegment* t) { return Right(*t) < x; }),
                     others.end());
        for (const GridSegment* t : others) {
            if (Meet(s, *t)) {
                return true;
            }
        }
        active[k].push_back(&s);
    }
    return false;
}

int WindingNumber(const std::vector<GridPoint>& points, size_t begin, size_t count,
                  const GridPoint& p) {
    int winding = 0;
    for (size_t i = 0; i < count; ++i) {
        const GridPoint& a = points[begin + i];
        const GridPoint& b = points[begin + (i + 1) % count];
        if (a.y <= p.y) {
            winding += b.y > p.y && GridCross(a, b, p) > 0 ? 1 : 0;
        } else {
            winding -= b.y <= p.y && GridCross(a, b, p) < 0 ? 1 : 0;
        }
    }
    return winding;
}
