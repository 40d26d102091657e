#include "text/grid_segments.h"

#include <algorithm>

namespace {

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

void AddRingEdges(const std::vector<GridPoint>& points, size_t begin, size_t count,
                  std::vector<GridSegment>& out) {
    for (size_t i = 0; i < count; ++i) {
        out.push_back({points[begin + i], points[begin + (i + 1) % count], i});
    }
    std::sort(out.begin(), out.end(),
              [](const GridSegment& s, const GridSegment& t) { return Left(s) < Left(t); });
}

// Calls met(s, t) for meeting segments s of first and t of second until it returns true; returns
// whether it did.
namespace {

template <typename Met>
bool SweepMeetings(const SegmentLists& first, const SegmentLists& second, const GridBox& box,
                   Met met) {
    const SegmentLists* sides[2] = {&first, &second};
    std::vector<size_t> next[2] = {std::vector<size_t>(first.size(), 0),
                                   std::vector<size_t>(second.size(), 0)};
    std::vector<const GridSegment*> active[2];
    for (;;) {
        // The segment with the leftmost left end still to come, from either side.
        const GridSegment* s = nullptr;
        int side = 0;
        size_t list = 0;
        for (int k = 0; k < 2; ++k) {
            for (size_t l = 0; l < sides[k]->size(); ++l) {
                const std::vector<GridSegment>& segments = *(*sides[k])[l];
                if (next[k][l] < segments.size() && (!s || Left(segments[next[k][l]]) < Left(*s))) {
                    s = &segments[next[k][l]];
                    side = k;
                    list = l;
                }
            }
        }
        if (!s || Left(*s) > box.maxX) {
            return false;
        }
        ++next[side][list];
        if (Right(*s) < box.minX || std::max(s->a.y, s->b.y) < box.minY ||
            std::min(s->a.y, s->b.y) > box.maxY) {
            continue;
        }
        std::vector<const GridSegment*>& others = active[1 - side];
        const int64_t x = Left(*s);
        others.erase(std::remove_if(others.begin(), others.end(),
                                    [x](const GridSegment* t) { return Right(*t) < x; }),
                     others.end());
        for (const GridSegment* t : others) {
            if (Meet(*s, *t) && (side == 0 ? met(s, t) : met(t, s))) {
                return true;
            }
        }
        active[side].push_back(s);
    }
}

}  // namespace

bool AnySegmentsMeet(const SegmentLists& first, const SegmentLists& second, const GridBox& box) {
    return SweepMeetings(first, second, box,
                         [](const GridSegment*, const GridSegment*) { return true; });
}

void MeetingSegments(const SegmentLists& first, const SegmentLists& second, const GridBox& box,
                     SegmentPairs& out) {
    SweepMeetings(first, second, box, [&out](const GridSegment* s, const GridSegment* t) {
        out.emplace_back(s, t);
        return false;
    });
}

int WindingNumber(const std::vector<GridPoint>& points, size_t begin, size_t count,
                  const GridPoint& p) {
    int winding = 0;
    for (size_t i = 0; i < count; ++i) {
        const GridPoint& a = points[begin + i];
        const GridPoint& b = points[begin + (i + 1) % count];
        if (a.y <= p.y) {
            winding += b.y > p.y && Orientation(a, b, p) > 0 ? 1 : 0;
        } else {
            winding -= b.y <= p.y && Orientation(a, b, p) < 0 ? 1 : 0;
        }
    }
    return winding;
}
