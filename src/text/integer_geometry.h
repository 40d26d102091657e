#pragma once
// Exact tests on points of the integer grid, for any point type with integer members x and y.
// Coordinates stay below 2^26 in magnitude, so every product fits in 64 bits.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

// std::llround (halves away from zero) without a library call, which counts where points are
// rounded onto the grid by the million. v - trunc(v) is exact, so the result is the same.
inline int64_t RoundToGrid(double v) {
    if (!(std::fabs(v) < 0x1p62)) {
        return std::llround(v);
    }
    const auto whole = static_cast<int64_t>(v);
    const double rest = v - static_cast<double>(whole);
    return whole + (rest >= 0.5 ? 1 : 0) - (rest <= -0.5 ? 1 : 0);
}

// Twice the signed area of triangle abc: positive when a, b, c turn counter-clockwise.
template <typename A, typename B, typename C>
int64_t Orientation(const A& a, const B& b, const C& c) {
    return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

// Whether p lies in the box with corners a and b, edges included: on segment ab when the three
// are collinear.
template <typename P, typename Q>
bool InSpan(const P& a, const P& b, const Q& p) {
    return std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x) && std::min(a.y, b.y) <= p.y &&
           p.y <= std::max(a.y, b.y);
}

// Whether closed segments pq and rs share a point.
template <typename P>
bool SegmentsMeet(const P& p, const P& q, const P& r, const P& s) {
    auto sign = [](int64_t v) { return (v > 0) - (v < 0); };
    const int d1 = sign(Orientation(p, q, r)), d2 = sign(Orientation(p, q, s));
    const int d3 = sign(Orientation(r, s, p)), d4 = sign(Orientation(r, s, q));
    if (d1 * d2 < 0 && d3 * d4 < 0) {
        return true;
    }
    return (d1 == 0 && InSpan(p, q, r)) || (d2 == 0 && InSpan(p, q, s)) ||
           (d3 == 0 && InSpan(r, s, p)) || (d4 == 0 && InSpan(r, s, q));
}

// Twice the signed area of the ring of count corners, corner(i) giving the i-th.
template <typename Corner>
int64_t TwiceRingArea(size_t count, Corner corner) {
    int64_t sum = 0;
    for (size_t i = 1; i + 1 < count; ++i) {
        sum += Orientation(corner(0), corner(i), corner(i + 1));
    }
    return sum;
}
