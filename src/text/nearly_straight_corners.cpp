#include "text/nearly_straight_corners.h"

#include <cmath>
#include <cstdint>

namespace {

// A straight run spans at most this many corners, which keeps the search linear.
constexpr size_t kLongestRun = 64;

}  // namespace

bool NearSegment(const GridPoint& a, const GridPoint& b, const GridPoint& p, double distance) {
    const double dx = static_cast<double>(b.x - a.x), dy = static_cast<double>(b.y - a.y);
    const double px = static_cast<double>(p.x - a.x), py = static_cast<double>(p.y - a.y);
    const double along = px * dx + py * dy;
    const double length2 = dx * dx + dy * dy;
    if (along <= 0.0 || along >= length2) {
        const double qx = along <= 0.0 ? px : px - dx, qy = along <= 0.0 ? py : py - dy;
        return qx * qx + qy * qy <= distance * distance;
    }
    const double off = px * dy - py * dx;
    return off * off <= distance * distance * length2;
}

std::vector<size_t> CornersOffStraightRuns(const std::vector<GridPoint>& ring,
                                           const RunClear& clear) {
    const size_t n = ring.size();
    std::vector<size_t> kept;
    if (n == 0) {
        return kept;
    }
    kept.push_back(0);
    size_t from = 0;
    while (from < n) {
        // The farthest corner (n standing for the first again) reached in a straight run.
        size_t to = from + 1;
        for (size_t end = from + 2; end <= n && end - from <= kLongestRun; ++end) {
            bool straight = true;
            for (size_t k = from + 1; k < end && straight; ++k) {
                straight = NearSegment(ring[from], ring[end % n], ring[k], kStraightRunTolerance);
            }
            if (!straight || (clear && !clear(from, end))) {
                break;
            }
            to = end;
        }
        if (to < n) {
            kept.push_back(to);
        }
        from = to;
    }
    // A ring too thin to keep three corners keeps its own.
    if (kept.size() < 3) {
        kept.resize(n);
        for (size_t i = 0; i < n; ++i) {
            kept[i] = i;
        }
    }
    return kept;
}
