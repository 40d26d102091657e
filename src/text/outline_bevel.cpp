#include "text/outline_bevel.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>
#include <utility>

#include "text/bevel_widths.h"
#include "text/grid_segments.h"
#include "text/integer_geometry.h"
#include "text/outline_union.h"

namespace {

constexpr double kHalfPi = 1.57079632679489661923;
// A sharp corner's inset point moves at most this many widths away from it.
constexpr double kMiterLimit = 4.0;
// Fractions of the corners' widths tried in turn for one ring, then for all rings of one polygon
// together, should the widths found for the corners still let bevels meet.
constexpr double kRingTrials[] = {1.0, 0.75, 0.5, 0.35, 0.25, 0.15, 0.1, 0.05};
constexpr double kPolygonTrials[] = {1.0, 0.7, 0.45, 0.25, 0.1, 0.0};
// Mending a corner's fault narrows it and this many corners either side by the factor, a round
// at a time.
constexpr int kMendRounds = 24;
constexpr size_t kMendReach = 0;
constexpr double kMendFactor = 0.8;
// Laying a ring again with points beside its mended corners: one that takes more rounds seldom
// lays at all.
constexpr int kLayAgainRounds = 16;
// Only a mended corner with an edge longer than this many widths takes points so: along a shorter
// edge the narrowing loses little.
constexpr double kLongEdge = 2.5;
// A corner narrowed where rings' bands collided loses more: it takes points with a shorter edge.
constexpr double kCollidedEdge = 2.0;
// Where what a band's edge runs into is known, it is narrowed in steps of this much of its width
// only as far as clears it for this many rounds, then by kMendFactor; a ring's own crossings for
// a few rounds more (10 narrowed W1 at 0.02 em in IPAMincho).
constexpr double kClearingStep = 0.02;
constexpr int kClearingRounds = 6;
constexpr int kMendClearingRounds = 9;
constexpr int kCollisionRounds = 48;
// Where two rings' bands run into each other, one edge alone may narrow to this share of its
// width to clear the other; only a width within kKeptShare of the one found, less than a clearing
// step narrower, is as good as kept.
constexpr double kDeepestClearing = 0.1;
constexpr double kKeptShare = 0.99;
// Where two rings' bands run into each other, narrowing an edge whose middle is narrower than this
// share of the width asked for loses nothing: it lost the width already. At a ring's own crossings
// only one narrower than kLostAtOwnCrossing has: at kLostShare there, W1 at 0.02 em in the Gothic
// faces kept 0.1 less.
constexpr double kLostShare = 0.95;
constexpr double kLostAtOwnCrossing = 0.6;
// Grid steps the front face's edge lies in from the outline at least.
constexpr double kNarrowestRow = 4.0;
// A folding strip's ends narrow to this share of the widths at which it stops folding.
constexpr double kUnfoldMargin = 0.98;
// Points along the edges of a ring that cannot keep the full width all round lie this many
// widths apart at most; where they may lie beside an edge, so that many more edges take them,
// the second, which keeps the cost down: the width changes mostly near the narrowed ends, which
// take points of their own.
constexpr double kAlongSpacing[] = {1.5, 3.0};
// How far, in widths, a point along an edge may lie from where it was meant to.
constexpr double kAlongTolerance = 0.03;
// And one put there for a reason, where none lies that near beside the edge.
constexpr double kMeantTolerance = 0.06;
// Points spaced out along an edge nearer than this many widths to one put there for a reason
// are left out.
constexpr double kBesideOther = 0.25;
// And, from a narrowed end, also these many widths beyond the corner's clearance.
constexpr double kNearNarrowed[] = {0.125, 0.25, 0.5};
// Widths between where a corner's inset point reaches along an edge and the first point added
// on it: little, so the width rises again soon beside a narrowed corner; more where a ring or the
// face cannot be laid so.
constexpr double kCornerRooms[] = {0.045, 0.2};
// A corner turning right more than this (a sine), but less than this further (a cosine, turning
// back), is split: each of its edges keeps a width of its own.
constexpr double kLeastSplitTurn = 0.5;
constexpr double kMostSplitTurn = 0.7;
// A reflex corner turning right by more than this (radians) whose miter leaves it less than the
// width is made round: copies of it turning at most kRoundStep each, every copy's inset point on
// its own normal as far in as the width. A circle touching either edge at the corner often fits
// where the parallels' meeting, deeper in, comes too near the rest. Where a copy's own circle
// finds less than kRoundKept of the width, the corner stays sharp.
constexpr double kLeastRoundTurn = 0.2;
constexpr double kRoundStep = kHalfPi / 2.0;
constexpr double kRoundKept = 0.25;
// Grid steps a width may differ from the straight run of its neighbours' and still be dropped.
constexpr double kStraightWidth = 0.5;
// A notch's tip, a reflex corner whose miter is cut, gets a point on each of its edges about
// this many widths from it: their inset points keep the width along the edges, where the cut
// miter's alone would lean in towards the tip. Near it, so that only short edges lean in.
constexpr double kBesideNotch = 0.1;
// Edges shorter than this many widths lose little to a cut miter, and points beside the tip would
// only crowd the narrow places notches often lie in.
constexpr double kNotchEdge = 1.0;

GridPoint ToGrid(const OutlinePoint& p) {
    return {RoundToGrid(p.x * kGridStepsPerEm), RoundToGrid(p.y * kGridStepsPerEm)};
}

// Twice the signed area.
int64_t RingArea(const std::vector<GridPoint>& ring, size_t begin, size_t n) {
    return TwiceRingArea(n, [&](size_t i) -> const GridPoint& { return ring[begin + i]; });
}

PlaneVector Unit(double x, double y) {
    const double length = Length(x, y);
    return length > 0.0 ? PlaneVector{x / length, y / length} : PlaneVector{0.0, 0.0};
}

double EdgeLength(const GridPoint& a, const GridPoint& b) {
    return Length(static_cast<double>(b.x - a.x), static_cast<double>(b.y - a.y));
}

// Whether the outline turns right at b so sharply that its miter is cut.
bool IsNotchTip(const GridPoint& a, const GridPoint& b, const GridPoint& c) {
    const PlaneVector u{static_cast<double>(b.x - a.x), static_cast<double>(b.y - a.y)};
    const PlaneVector v{static_cast<double>(c.x - b.x), static_cast<double>(c.y - b.y)};
    const double along = u.x * v.x + u.y * v.y;
    // Most corners turn left or less than a right angle, which needs no root.
    if (u.x * v.y - u.y * v.x >= 0.0 || along >= 0.0) {
        return false;
    }
    // A miter is sqrt(2 / (1 + cos turn)) long.
    const double join = 1.0 + along / std::sqrt((u.x * u.x + u.y * u.y) * (v.x * v.x + v.y * v.y));
    return join * kMiterLimit * kMiterLimit < 2.0;
}

// How far along its miter each row lies, as a fraction of the width: a quarter circle.
std::vector<double> RowFractions(int steps) {
    std::vector<double> t(static_cast<size_t>(steps) + 1);
    for (int k = 0; k <= steps; ++k) {
        t[static_cast<size_t>(k)] = k == steps ? 1.0 : 1.0 - std::cos(kHalfPi * k / steps);
    }
    return t;
}

// What a ring's rows were laid from, for its shape as it is: the widths and scale of its rows
// (scale 0 once there are none) and their last row before points lying straight moved in; those
// of the last lay that succeeded and its front face's edge. Laid again with the widths of a few
// corners changed, only their points and the strips beside them are looked at anew.
struct LaidFrom {
    LaidFrom() = default;
    // A copy of a ring lays its rows anew: it is seldom laid again at the same widths.
    LaidFrom(const LaidFrom&) {}
    LaidFrom(LaidFrom&&) = default;
    LaidFrom& operator=(const LaidFrom&) {
        Forget();
        return *this;
    }
    LaidFrom& operator=(LaidFrom&&) = default;
    ~LaidFrom() = default;

    // Once the ring's shape changes.
    void Forget() {
        scale = 0.0;
        soundScale = 0.0;
        ownAreaFound = false;
    }

    std::vector<SideWidths> widths;
    double scale = 0.0;
    std::vector<GridPoint> unmoved;
    bool sound = false;  // the rows are those of the last lay that succeeded
    std::vector<SideWidths> soundWidths;
    double soundScale = 0.0;
    std::vector<GridPoint> soundEdge;
    int64_t ownArea = 0;  // twice the outline's
    bool ownAreaFound = false;
};

// One ring's rows at one fraction of its corners' widths, on the grid.
struct RingRows {
    std::vector<GridPoint> outline;
    std::vector<uint32_t> source;  // the face's vertex per point, or kAddedAlong
    std::vector<PlaneVector> miter;
    std::vector<CornerSides> sides;
    std::vector<SideWidths> widths;  // grid steps, per corner
    std::vector<GridPoint> rows;
    double scale = 0.0;
    double asked = 0.0;  // the width asked for, grid steps
    LaidFrom laidFrom;
};

bool Same(const GridPoint& a, const GridPoint& b) {
    return a.x == b.x && a.y == b.y;
}

// Where point i is one of the copies of a round corner, its inset direction: the unit normal
// turning in equal steps from the ending edge's to the starting edge's, so each copy's inset
// point lies as far from the corner as its width.
std::optional<PlaneVector> RoundCornerNormal(const std::vector<GridPoint>& p, size_t i) {
    const size_t n = p.size();
    auto previous = [n](size_t k) { return k > 0 ? k - 1 : n - 1; };
    auto next = [n](size_t k) { return k + 1 < n ? k + 1 : 0; };
    size_t first = i, last = i, before = 0, copies = 1;
    while (copies < n && Same(p[previous(first)], p[i])) {
        first = previous(first);
        ++before;
        ++copies;
    }
    while (copies < n && Same(p[next(last)], p[i])) {
        last = next(last);
        ++copies;
    }
    if (copies == 1 || copies == n) {
        return std::nullopt;
    }
    const GridPoint& a = p[previous(first)];
    const GridPoint& c = p[next(last)];
    const PlaneVector d1 =
        Unit(static_cast<double>(p[i].x - a.x), static_cast<double>(p[i].y - a.y));
    const PlaneVector d2 =
        Unit(static_cast<double>(c.x - p[i].x), static_cast<double>(c.y - p[i].y));
    const double turn = std::atan2(d1.x * d2.y - d1.y * d2.x, d1.x * d2.x + d1.y * d2.y) *
                        static_cast<double>(before) / static_cast<double>(copies - 1);
    const PlaneVector d{d1.x * std::cos(turn) - d1.y * std::sin(turn),
                        d1.x * std::sin(turn) + d1.y * std::cos(turn)};
    return PlaneVector{-d.y, d.x};
}

// Per corner of the ring as it is, where the inward parallels of its two edges meet for a width
// of one, and its sides.
void SetCorners(RingRows& ring) {
    const std::vector<GridPoint>& p = ring.outline;
    const size_t n = p.size();
    ring.laidFrom.Forget();
    ring.miter.resize(n);
    ring.sides.resize(n);
    for (size_t i = 0; i < n; ++i) {
        if (const std::optional<PlaneVector> round = RoundCornerNormal(p, i)) {
            ring.miter[i] = *round;
            ring.sides[i] = {
                {round->x / 2.0, round->y / 2.0}, {round->x / 2.0, round->y / 2.0}, false};
            continue;
        }
        const GridPoint& a = p[(i + n - 1) % n];
        const GridPoint& b = p[i];
        const GridPoint& c = p[(i + 1) % n];
        const PlaneVector d1 = Unit(static_cast<double>(b.x - a.x), static_cast<double>(b.y - a.y));
        const PlaneVector d2 = Unit(static_cast<double>(c.x - b.x), static_cast<double>(c.y - b.y));
        const PlaneVector n1{-d1.y, d1.x};
        const PlaneVector n2{-d2.y, d2.x};
        const double join = 1.0 + n1.x * n2.x + n1.y * n2.y;
        PlaneVector m{(n1.x + n2.x) / std::max(join, 1e-12), (n1.y + n2.y) / std::max(join, 1e-12)};
        const double length = Length(m.x, m.y);
        if (join < 1e-9) {
            // The outline turns straight back: go back along the spike.
            const PlaneVector back = Unit(d2.x - d1.x, d2.y - d1.y);
            m = {back.x * kMiterLimit, back.y * kMiterLimit};
        } else if (length > kMiterLimit) {
            m = {m.x * kMiterLimit / length, m.y * kMiterLimit / length};
        }
        ring.miter[i] = m;
        // Only a right turn leaves a circle touching one edge at the corner clear of the other; a
        // slight one would send the parallels' meeting far off, and a sharp one is cut short.
        // Split, the inset point is x with x . n1 = w.in and x . n2 = w.out.
        const double sine = d1.x * d2.y - d1.y * d2.x;
        const double cosine = d1.x * d2.x + d1.y * d2.y;
        if (sine <= -kLeastSplitTurn && cosine >= -kMostSplitTurn) {
            const double det = n1.x * n2.y - n1.y * n2.x;
            ring.sides[i] = {{n2.y / det, -n2.x / det}, {-n1.y / det, n1.x / det}, true};
        } else {
            ring.sides[i] = {{m.x / 2.0, m.y / 2.0}, {m.x / 2.0, m.y / 2.0}, false};
        }
    }
}

// Makes round the reflex corners whose miter, as the contact widths found say, leaves them less
// than the width; the copies' contact widths are left to be found. Per point, the one
// width its corner's miter left, NaN but at a copy.
std::vector<double> RoundReflexCorners(RingRows& ring, std::vector<SideWidths>& contacts,
                                       double width) {
    const size_t n = ring.outline.size();
    std::vector<size_t> copies(n, 1);
    bool any = false;
    for (size_t i = 0; i < n; ++i) {
        if (contacts[i].in >= width) {
            continue;
        }
        const GridPoint& a = ring.outline[(i + n - 1) % n];
        const GridPoint& b = ring.outline[i];
        const GridPoint& c = ring.outline[(i + 1) % n];
        const double u[2] = {static_cast<double>(b.x - a.x), static_cast<double>(b.y - a.y)};
        const double v[2] = {static_cast<double>(c.x - b.x), static_cast<double>(c.y - b.y)};
        const double turn = -std::atan2(u[0] * v[1] - u[1] * v[0], u[0] * v[0] + u[1] * v[1]);
        if (turn > kLeastRoundTurn) {
            copies[i] = 1 + static_cast<size_t>(std::ceil(turn / kRoundStep));
            any = true;
        }
    }
    if (!any) {
        return {};
    }
    std::vector<GridPoint> outline;
    std::vector<uint32_t> source;
    std::vector<SideWidths> known;
    std::vector<double> mitered;
    for (size_t i = 0; i < n; ++i) {
        const bool round = copies[i] > 1;
        for (size_t k = 0; k < copies[i]; ++k) {
            outline.push_back(ring.outline[i]);
            source.push_back(ring.source[i]);
            known.push_back(round ? SideWidths{std::nan(""), std::nan("")} : contacts[i]);
            mitered.push_back(round ? contacts[i].in : std::nan(""));
        }
    }
    ring.outline = std::move(outline);
    ring.source = std::move(source);
    ring.widths.assign(ring.outline.size(), {width, width});
    SetCorners(ring);
    contacts = std::move(known);
    return mitered;
}

// Makes sharp again the round corners where a copy's contact width, now found, stays under
// kRoundKept of the width: the copies' inset points would lie so near each other that a file's
// rounding could fold the front face between them. Whether it made any.
bool SharpenWhereRoundingFails(RingRows& ring, std::vector<SideWidths>& contacts,
                               const std::vector<double>& mitered, double width) {
    const size_t n = ring.outline.size();
    std::vector<bool> keep(n, true);
    bool any = false;
    for (size_t i = 0; i < n;) {
        size_t end = i + 1;
        while (end < n && !std::isnan(mitered[i]) && Same(ring.outline[end], ring.outline[i])) {
            ++end;
        }
        double least = width;
        for (size_t k = i; k < end; ++k) {
            least = std::min(least, contacts[k].in);
        }
        if (end > i + 1 && least < kRoundKept * width) {
            std::fill(keep.begin() + static_cast<std::ptrdiff_t>(i + 1),
                      keep.begin() + static_cast<std::ptrdiff_t>(end), false);
            contacts[i] = {mitered[i], mitered[i]};
            any = true;
        }
        i = end;
    }
    if (!any) {
        return false;
    }
    size_t kept = 0;
    for (size_t i = 0; i < n; ++i) {
        if (keep[i]) {
            ring.outline[kept] = ring.outline[i];
            ring.source[kept] = ring.source[i];
            contacts[kept] = contacts[i];
            ++kept;
        }
    }
    ring.outline.resize(kept);
    ring.source.resize(kept);
    contacts.resize(kept);
    ring.widths.assign(kept, {width, width});
    SetCorners(ring);
    return true;
}

// Where corner i's inset point lies from it at the given fraction of the way in, its widths
// narrowed by the factor. However narrow, a bevelled corner moves some steps in, or its strip
// would fold.
inline PlaneVector InsetOffset(const RingRows& ring, size_t i, double factor, double fraction) {
    const SideWidths& w = ring.widths[i];
    const CornerSides& sides = ring.sides[i];
    const double in = std::max(w.in * ring.scale * factor, kNarrowestRow) * fraction;
    if (!sides.split) {
        return {in * ring.miter[i].x, in * ring.miter[i].y};
    }
    const double out = std::max(w.out * ring.scale * factor, kNarrowestRow) * fraction;
    return {in * sides.in.x + out * sides.out.x, in * sides.in.y + out * sides.out.y};
}

enum class Ends { kBoth, kStart, kEnd };

// A corner to narrow, with the next one (the far end of its edge), and by how much. A strip's
// fold, or an edge cleared by narrowing one end, names each end alone, with the factor that
// mends it in every round.
struct Blame {
    size_t corner;
    double factor = kMendFactor;
    bool alone = false;
    // Alone, which end of the blamed edge the corner is.
    Ends side = Ends::kBoth;
};

// The greatest factor, in steps down to `least`, by which narrowing the given ends of the front
// face's edge from corner c keeps that edge clear of segment t.
double ClearingFactor(const RingRows& ring, size_t c, const GridSegment& t,
                      double least = kMendFactor, Ends ends = Ends::kBoth) {
    const size_t n = ring.outline.size();
    auto inset = [&ring](size_t i, double factor) {
        const PlaneVector offset = InsetOffset(ring, i, factor, 1.0);
        const GridPoint& p = ring.outline[i];
        return GridPoint{p.x + RoundToGrid(offset.x), p.y + RoundToGrid(offset.y)};
    };
    const bool start = ends != Ends::kEnd;
    const bool end = ends != Ends::kStart;
    // An end that stays is placed once.
    const GridPoint from = inset(c, 1.0);
    const GridPoint to = inset((c + 1) % n, 1.0);
    for (double factor = 1.0 - kClearingStep; factor > least; factor -= kClearingStep) {
        if (!SegmentsMeet(start ? inset(c, factor) : from, end ? inset((c + 1) % n, factor) : to,
                          t.a, t.b)) {
            return std::max(factor - kClearingStep, least);
        }
    }
    return least;
}

// What clears the front face's edge from corner c of segment t, given the factor that does by
// narrowing both its ends: one end alone where that keeps the edge's middle as wide.
Blame ClearingBlame(const RingRows& ring, size_t c, const GridSegment& t, double both,
                    double least) {
    const double fromStart = ClearingFactor(ring, c, t, least, Ends::kStart);
    const double fromEnd = ClearingFactor(ring, c, t, least, Ends::kEnd);
    const double one = std::max(fromStart, fromEnd);
    if (one > least && (1.0 + one) / 2.0 >= both) {
        return fromStart >= fromEnd ? Blame{c, one, true, Ends::kStart}
                                    : Blame{(c + 1) % ring.outline.size(), one, true, Ends::kEnd};
    }
    return {c, both};
}

// Where neither of two crossing front-face edges, from corners c and d, clears the other alone,
// as across a neck narrower than twice the width: the ends of the two nearest each other, and the
// greatest factor, in steps down to `least`, by which narrowing both parts the edges. Narrowing
// all four ends would narrow the far ones, which have room, round after round with them.
struct NearerEnds {
    size_t first, second;
    double factor;
};

NearerEnds NearerEndsClearing(const RingRows& ring, size_t c, size_t d, double least) {
    const size_t n = ring.outline.size();
    auto inset = [&ring](size_t i, double factor) {
        const PlaneVector offset = InsetOffset(ring, i, factor, 1.0);
        const GridPoint& p = ring.outline[i];
        return GridPoint{p.x + RoundToGrid(offset.x), p.y + RoundToGrid(offset.y)};
    };
    const size_t ends[2][2] = {{c, (c + 1) % n}, {d, (d + 1) % n}};
    GridPoint e[2] = {inset(ends[0][0], 1.0), inset(ends[0][1], 1.0)};
    GridPoint f[2] = {inset(ends[1][0], 1.0), inset(ends[1][1], 1.0)};
    size_t a = 0, b = 0;
    for (size_t i = 0; i < 2; ++i) {
        for (size_t j = 0; j < 2; ++j) {
            if (EdgeLength(e[i], f[j]) < EdgeLength(e[a], f[b])) {
                a = i;
                b = j;
            }
        }
    }
    for (double factor = 1.0 - kClearingStep; factor > least; factor -= kClearingStep) {
        e[a] = inset(ends[0][a], factor);
        f[b] = inset(ends[1][b], factor);
        if (!SegmentsMeet(e[0], e[1], f[0], f[1])) {
            return {ends[0][a], ends[1][b], std::max(factor - kClearingStep, least)};
        }
    }
    return {ends[0][a], ends[1][b], least};
}

// Of two crossing front-face edges, with the factors that clear each of the other alone (found
// down to kDeepestClearing) and what narrowing each costs, which narrows: both, each taking back
// half of what clears it, where halves keep both widths or neither clears alone; else the one
// that loses less of the width kept, an edge that keeps it anyway or the cheaper.
enum class Narrows { kBoth, kFirst, kSecond };

Narrows WhichNarrows(double first, double second, double firstCost, double secondCost) {
    const bool clearsFirst = first > kDeepestClearing;
    const bool clearsSecond = second > kDeepestClearing;
    if (std::min(first, second) >= 2.0 * kKeptShare - 1.0 || (!clearsFirst && !clearsSecond)) {
        return Narrows::kBoth;
    }
    const double lossFirst = first >= kKeptShare ? 0.0 : firstCost;
    const double lossSecond = second >= kKeptShare ? 0.0 : secondCost;
    const bool firstLosesLess =
        lossFirst < lossSecond || (lossFirst == lossSecond && first >= second);
    return !clearsSecond || (clearsFirst && firstLosesLess) ? Narrows::kFirst : Narrows::kSecond;
}

// Half of what clears an edge, when both move.
double HalfClearing(double factor) {
    return (1.0 + std::max(factor, kMendFactor)) / 2.0;
}

// The outline length that may lose its width when the corners from and to narrow: the run
// between, and of the edges either side, whose middles move half as far, about half as often.
// An edge whose middle is already narrower than `lost` times the width asked for loses nothing.
double NarrowingCost(const RingRows& ring, size_t from, size_t to, double lost) {
    const size_t n = ring.outline.size();
    auto keeping = [&](size_t a, size_t b) {
        const double middle = (ring.widths[a].out + ring.widths[b].in) / 2.0 * ring.scale;
        return middle < lost * ring.asked ? 0.0 : EdgeLength(ring.outline[a], ring.outline[b]);
    };
    return keeping(from, to) +
           0.25 * (keeping((from + n - 1) % n, from) + keeping(to, (to + 1) % n));
}

// The factors by which to narrow the two ends of the strip from corner i to corner j so that it
// no longer folds. Its last quad's triangles (i, j, j') and (i, j', i') turn over as the widths
// grow: the first once cross(E, m_j) + w_i cross(m_j, m_i) reaches zero, the second once
// cross(E, m_i) + w_j cross(m_j, m_i) does, E being the edge. A fold these do not explain (only
// rounding or the narrowest row) narrows both ends by kMendFactor. At a split corner, w is the
// greater of its widths and m where its inset point lies per unit of that. `outer` is the share
// of the widths the last strip's outer row lies in at.
std::pair<Blame, Blame> UnfoldingBlame(const RingRows& ring, size_t i, size_t j, double outer) {
    const GridPoint& a = ring.outline[i];
    const GridPoint& b = ring.outline[j];
    const PlaneVector edge{static_cast<double>(b.x - a.x), static_cast<double>(b.y - a.y)};
    auto cross = [](PlaneVector u, PlaneVector v) { return u.x * v.y - u.y * v.x; };
    auto width = [&](size_t corner) {
        const SideWidths& w = ring.widths[corner];
        return std::max(std::max(w.in, w.out) * ring.scale, kNarrowestRow);
    };
    auto direction = [&](size_t corner) {
        if (!ring.sides[corner].split) {
            return ring.miter[corner];
        }
        const PlaneVector offset = InsetOffset(ring, corner, 1.0, 1.0);
        return PlaneVector{offset.x / width(corner), offset.y / width(corner)};
    };
    const PlaneVector mi = direction(i);
    const PlaneVector mj = direction(j);
    const double turn = cross(mj, mi);
    // The share of its width an end keeps, 1 where it does not cause the fold, given the share of
    // its width it lies in at the row that turns the triangle over.
    auto keep = [&](double room, size_t corner, double row) {
        const double most =
            turn < 0.0 && row > 0.0 ? kUnfoldMargin * room / -turn / row : width(corner);
        return most > kNarrowestRow ? std::min(1.0, most / width(corner)) : 0.0;
    };
    // The first triangle has i only at the last strip's outer row (none with one step), so where
    // j's narrowing mends the second, i keeps more. Not a split i: j's narrowing smooths down its
    // side towards j and turns m_i (in 鬱 j then narrowed three rounds more).
    const double fromJ = keep(cross(edge, mi), j, 1.0);
    const bool outerRow = fromJ < 1.0 && !ring.sides[i].split;
    const double fromI = keep(cross(edge, mj), i, outerRow ? outer : 1.0);
    if (std::min(fromI, fromJ) == 0.0 || std::min(fromI, fromJ) == 1.0) {
        return {Blame{i, kMendFactor, true}, Blame{j, kMendFactor, true}};
    }
    return {Blame{i, fromI, true}, Blame{j, fromJ, true}};
}

// Moved edges beyond this many are looked at by a sweep of the whole ring.
constexpr size_t kFewMovedEdges = 12;

// Whether ring p, made of the count points `now` less those repeating the one before (p's point e
// being now[corner[e]]), meets itself, given that it did not when they were `before`: only an
// edge over points that moved can meet another now.
bool MovedEdgesMeet(const GridPoint* now, const GridPoint* before, size_t count,
                    const std::vector<size_t>& corner, const std::vector<GridPoint>& p) {
    const size_t n = p.size();
    const auto first = corner.begin();
    std::vector<size_t> moved;
    for (size_t t = 0; t < count && moved.size() <= kFewMovedEdges; ++t) {
        if (!Same(now[t], before[t])) {
            // The edge from the last of p's points at or before it, and the one ending there.
            const auto e = static_cast<size_t>(
                std::upper_bound(first, first + static_cast<std::ptrdiff_t>(n), t) - first - 1);
            moved.push_back(e);
            if (corner[e] == t) {
                moved.push_back(e > 0 ? e - 1 : n - 1);
            }
        }
    }
    if (moved.size() > kFewMovedEdges) {
        return RingMeetsItself(p);
    }
    std::sort(moved.begin(), moved.end());
    moved.erase(std::unique(moved.begin(), moved.end()), moved.end());
    return EdgesMeetRing(p, moved);
}

// No two edges of the ring meet except neighbours at their shared corner, and no corner turns
// straight back. Where two do, found by a sweep of the edges in order of their left ends (each
// compared only with those still reaching it), the corners to blame (by their place in the ring)
// are added to blame when it is given; the sweep runs only once the quicker look cell by cell has
// found some. Given simpleBefore, the ring's points when it was last found simple, that look
// covers only the edges over points that moved since. Both edges of a crossing are blamed unless
// oneEdge lets one clear the other alone.
bool IsSimpleRing(const RingRows& ring, size_t begin, size_t count, std::vector<Blame>* blame,
                  bool oneEdge, const GridPoint* simpleBefore) {
    const std::vector<GridPoint>& rows = ring.rows;
    std::vector<GridPoint> p;
    std::vector<size_t> corner;
    p.reserve(count);
    corner.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        const GridPoint& q = rows[begin + i];
        if (p.empty() || q.x != p.back().x || q.y != p.back().y) {
            p.push_back(q);
            corner.push_back(i);
        }
    }
    while (p.size() > 1 && p.front().x == p.back().x && p.front().y == p.back().y) {
        p.pop_back();
    }
    const size_t n = p.size();
    if (n < 3) {
        return false;
    }
    for (size_t i = 0; i < n; ++i) {
        const GridPoint& a = p[(i + n - 1) % n];
        const GridPoint& b = p[i];
        const GridPoint& c = p[(i + 1) % n];
        if (Orientation(a, b, c) == 0 &&
            (b.x - a.x) * (c.x - b.x) + (b.y - a.y) * (c.y - b.y) < 0) {
            if (blame != nullptr) {
                blame->push_back({corner[i]});
            }
            return false;
        }
    }
    if (!(simpleBefore != nullptr
              ? MovedEdgesMeet(rows.data() + begin, simpleBefore, count, corner, p)
              : RingMeetsItself(p))) {
        return true;
    }
    if (blame == nullptr) {
        return false;
    }
    // Each edge's box, sorted by its left side.
    struct Span {
        int64_t left, right, bottom, top;
        size_t edge;
    };
    std::vector<Span> order(n);
    for (size_t e = 0; e < n; ++e) {
        const GridPoint& a = p[e];
        const GridPoint& b = p[(e + 1) % n];
        order[e] = {std::min(a.x, b.x), std::max(a.x, b.x), std::min(a.y, b.y), std::max(a.y, b.y),
                    e};
    }
    std::sort(order.begin(), order.end(),
              [](const Span& a, const Span& b) { return a.left < b.left; });
    auto next = [n](size_t e) { return e + 1 < n ? e + 1 : 0; };
    auto previous = [n](size_t e) { return e > 0 ? e - 1 : n - 1; };
    // Every crossing is blamed in one round but those of an edge at or beside one already
    // blamed, which mending that may clear: a ring with more crossings than rounds would else be
    // narrowed whole.
    std::vector<bool> blamed(n, false);
    auto nearBlamed = [&](size_t e) { return blamed[previous(e)] || blamed[e] || blamed[next(e)]; };
    bool crossed = false;
    std::vector<Span> active;
    for (const Span& span : order) {
        const size_t e = span.edge;
        // Those ending left of this edge are dropped as the rest are compared, in one pass.
        size_t kept = 0;
        for (const Span& other : active) {
            if (other.right < span.left) {
                continue;
            }
            active[kept++] = other;
            const size_t f = other.edge;
            if (other.top < span.bottom || other.bottom > span.top || f == next(e) ||
                e == next(f)) {
                continue;  // apart, or neighbours sharing a corner (a fold back was refused above)
            }
            if (SegmentsMeet(p[e], p[next(e)], p[f], p[next(f)])) {
                if (nearBlamed(e) || nearBlamed(f)) {
                    continue;
                }
                blamed[e] = blamed[f] = true;
                const double least = oneEdge ? kDeepestClearing : kMendFactor;
                const double fromE = ClearingFactor(ring, corner[e], {p[f], p[next(f)]}, least);
                const double fromF = ClearingFactor(ring, corner[f], {p[e], p[next(e)]}, least);
                const Narrows narrows =
                    oneEdge
                        ? WhichNarrows(
                              fromE, fromF,
                              NarrowingCost(ring, corner[e], corner[next(e)], kLostAtOwnCrossing),
                              NarrowingCost(ring, corner[f], corner[next(f)], kLostAtOwnCrossing))
                        : Narrows::kBoth;
                const std::optional<NearerEnds> nearer =
                    std::max(fromE, fromF) <= least
                        ? std::optional(
                              NearerEndsClearing(ring, corner[e], corner[f], kDeepestClearing))
                        : std::nullopt;
                if (nearer && nearer->factor > kDeepestClearing) {
                    blame->insert(blame->end(), {Blame{nearer->first, nearer->factor, true},
                                                 Blame{nearer->second, nearer->factor, true}});
                } else if (narrows == Narrows::kBoth) {
                    blame->insert(blame->end(), {Blame{corner[e], HalfClearing(fromE)},
                                                 Blame{corner[next(e)], HalfClearing(fromE)},
                                                 Blame{corner[f], HalfClearing(fromF)},
                                                 Blame{corner[next(f)], HalfClearing(fromF)}});
                } else if (narrows == Narrows::kFirst) {
                    blame->push_back(
                        ClearingBlame(ring, corner[e], {p[f], p[next(f)]}, fromE, least));
                } else {
                    blame->push_back(
                        ClearingBlame(ring, corner[f], {p[e], p[next(e)]}, fromF, least));
                }
                crossed = true;
            }
        }
        active.resize(kept);
        active.push_back(span);
    }
    return !crossed;
}

// The corners whose widths differ from the given ones, unless half of them do or more.
std::optional<std::vector<size_t>> ChangedCorners(const std::vector<SideWidths>& widths,
                                                  const std::vector<SideWidths>& before) {
    const size_t n = widths.size();
    if (before.size() != n) {
        return std::nullopt;
    }
    std::vector<size_t> changed;
    for (size_t i = 0; i < n; ++i) {
        if (!(widths[i].in == before[i].in && widths[i].out == before[i].out)) {
            if (2 * changed.size() >= n) {
                return std::nullopt;
            }
            changed.push_back(i);
        }
    }
    return changed;
}

// Whether the strip from corner i to j between two rows folds. Between two copies of a round
// corner the outline has no length: the strip is one triangle.
inline bool StripFolds(const GridPoint* outer, const GridPoint* inner, size_t i, size_t j) {
    return (Orientation(outer[i], outer[j], inner[j]) <= 0 && !Same(outer[i], outer[j])) ||
           Orientation(outer[i], inner[j], inner[i]) <= 0;
}

// The strips from each of the corners and from the one before each, in order.
std::vector<size_t> StripsBeside(const std::vector<size_t>& corners, size_t n) {
    std::vector<size_t> strips;
    for (const size_t i : corners) {
        strips.push_back(i);
        strips.push_back(i > 0 ? i - 1 : n - 1);
    }
    std::sort(strips.begin(), strips.end());
    strips.erase(std::unique(strips.begin(), strips.end()), strips.end());
    return strips;
}

// Lays the rows at the given fraction of the corners' widths; false when a strip would fold or
// the front face's edge would cross itself or turn inside out. The corners to blame, where known,
// are added to blame when it is given (of the front face's edges crossing, one alone when
// oneEdge lets it).
bool LayRows(RingRows& ring, double scale, const std::vector<double>& fractions,
             std::vector<Blame>* blame = nullptr, bool oneEdge = false) {
    const std::vector<GridPoint>& outline = ring.outline;
    const std::vector<PlaneVector>& miter = ring.miter;
    const size_t n = outline.size();
    const size_t rowCount = fractions.size();
    LaidFrom& laid = ring.laidFrom;
    ring.scale = scale;
    if (scale <= 0.0) {
        ring.rows.assign(outline.begin(), outline.end());
        laid.scale = 0.0;
        return true;
    }
    const size_t last = (rowCount - 1) * n;
    const std::optional<std::vector<size_t>> changed =
        laid.scale == scale && ring.rows.size() == n * rowCount && laid.unmoved.size() == n
            ? ChangedCorners(ring.widths, laid.widths)
            : std::nullopt;
    const bool sound = changed && laid.sound;
    if (changed) {
        for (const size_t i : *changed) {
            const GridPoint& p = outline[i];
            for (size_t k = 1; k < rowCount; ++k) {
                const PlaneVector offset = InsetOffset(ring, i, 1.0, fractions[k]);
                (k < rowCount - 1 ? ring.rows[k * n + i] : laid.unmoved[i]) = {
                    p.x + RoundToGrid(offset.x), p.y + RoundToGrid(offset.y)};
            }
        }
        std::copy(laid.unmoved.begin(), laid.unmoved.end(),
                  ring.rows.begin() + static_cast<std::ptrdiff_t>(last));
    } else {
        ring.rows.assign(outline.begin(), outline.end());
        ring.rows.resize(n * rowCount);
        for (size_t k = 1; k < rowCount; ++k) {
            for (size_t i = 0; i < n; ++i) {
                const PlaneVector offset = InsetOffset(ring, i, 1.0, fractions[k]);
                const GridPoint& p = outline[i];
                ring.rows[k * n + i] = {p.x + RoundToGrid(offset.x), p.y + RoundToGrid(offset.y)};
            }
        }
        laid.unmoved.assign(ring.rows.begin() + static_cast<std::ptrdiff_t>(last), ring.rows.end());
    }
    laid.widths = ring.widths;
    laid.scale = scale;
    laid.sound = false;
    // The face is cut from corners only, so a row point lying straight between its neighbours
    // (rounding makes some) moves one grid step further in.
    for (size_t i = 0; i < n; ++i) {
        GridPoint& q = ring.rows[last + i];
        const size_t before = i > 0 ? i - 1 : n - 1;
        const size_t after = i + 1 < n ? i + 1 : 0;
        if (Orientation(ring.rows[last + before], q, ring.rows[last + after]) == 0) {
            const PlaneVector m = Unit(miter[i].x, miter[i].y);
            q = {q.x + RoundToGrid(m.x), q.y + RoundToGrid(m.y)};
        }
    }
    // Since the last lay that succeeded, only the strips beside the points that moved can have
    // come to fold: beside the corners whose widths changed, and between the last two rows also
    // beside any point of the front face's edge that moved.
    const std::optional<std::vector<size_t>> unsound =
        laid.soundScale == scale && laid.soundEdge.size() == n
            ? (sound ? changed : ChangedCorners(ring.widths, laid.soundWidths))
            : std::nullopt;
    std::vector<size_t> strips, lastStrips;
    if (unsound) {
        std::vector<size_t> moved = *unsound;
        for (size_t i = 0; i < n; ++i) {
            if (!Same(ring.rows[last + i], laid.soundEdge[i])) {
                moved.push_back(i);
            }
        }
        strips = StripsBeside(*unsound, n);
        lastStrips = StripsBeside(moved, n);
    }
    // Every strip that folds is blamed at once, an edge once however many of its rows fold: a
    // ring with more folds than the mending has rounds would else be narrowed whole. Row by row,
    // the points are read in order.
    std::vector<bool> folds;
    auto blameFold = [&](size_t i, size_t j) {
        folds.resize(n);
        if (!folds[i]) {
            folds[i] = true;
            const auto [from, to] = UnfoldingBlame(ring, i, j, fractions[rowCount - 2]);
            blame->insert(blame->end(), {from, to});
        }
    };
    for (size_t k = 0; k + 1 < rowCount; ++k) {
        const GridPoint* outer = &ring.rows[k * n];
        const GridPoint* inner = outer + n;
        if (!unsound) {
            for (size_t i = 0; i < n; ++i) {
                const size_t j = i + 1 < n ? i + 1 : 0;
                if (StripFolds(outer, inner, i, j)) {
                    if (blame == nullptr) {
                        return false;
                    }
                    blameFold(i, j);
                }
            }
            continue;
        }
        for (const size_t i : k + 2 < rowCount ? strips : lastStrips) {
            const size_t j = i + 1 < n ? i + 1 : 0;
            if (StripFolds(outer, inner, i, j)) {
                if (blame == nullptr) {
                    return false;
                }
                blameFold(i, j);
            }
        }
    }
    if (!folds.empty()) {
        return false;
    }
    if (!laid.ownAreaFound) {
        laid.ownArea = RingArea(outline, 0, n);
        laid.ownAreaFound = true;
    }
    const int64_t own = laid.ownArea;
    const int64_t inset = RingArea(ring.rows, last, n);
    if ((own > 0) != (inset > 0) || inset == 0 ||
        !IsSimpleRing(ring, last, n, blame, oneEdge, unsound ? laid.soundEdge.data() : nullptr)) {
        return false;
    }
    laid.sound = true;
    laid.soundWidths = ring.widths;
    laid.soundScale = scale;
    laid.soundEdge.assign(ring.rows.begin() + static_cast<std::ptrdiff_t>(last), ring.rows.end());
    return true;
}

// Narrows the corners to blame, each with the next one (the far end of its edge), and kMendReach
// more either side: when clearing, each by the least factor it is blamed with, else by
// kMendFactor. Clearing where rings' bands collide (`edgeSides`), a split corner blamed alone
// narrows only on the side of the edge blamed: its other edge, often a roomy stroke's side at a
// junction, keeps its width up to the corner.
void NarrowAbout(RingRows& ring, const std::vector<Blame>& blame, bool clearing,
                 bool edgeSides = false) {
    const size_t n = ring.outline.size();
    std::vector<double> in(n, 1.0), out(n, 1.0);
    auto narrow = [&](size_t i, double factor, Ends side) {
        const bool one = edgeSides && clearing && ring.sides[i].split;
        in[i] = one && side == Ends::kStart ? in[i] : std::min(in[i], factor);
        out[i] = one && side == Ends::kEnd ? out[i] : std::min(out[i], factor);
    };
    for (const Blame& b : blame) {
        if (b.alone) {
            narrow(b.corner, b.factor, b.side);
            continue;
        }
        for (size_t k = 0; k < 2 * kMendReach + 2; ++k) {
            const size_t i = (b.corner + n + k - kMendReach) % n;
            narrow(i, clearing ? b.factor : kMendFactor, Ends::kBoth);
        }
    }
    for (size_t i = 0; i < n; ++i) {
        ring.widths[i].in *= in[i];
        ring.widths[i].out *= out[i];
    }
    SmoothAlong(ring.outline, ring.sides, ring.widths);
}

// Narrows the corners about those to blame until the ring lays at its corners' own widths, or
// gives up after `rounds`: a fault of the widths found is then mended where it lies rather than
// by narrowing the whole ring.
bool LayMended(RingRows& ring, const std::vector<double>& fractions, int rounds = kMendRounds) {
    std::vector<Blame> blame;
    for (int round = 0; round < rounds; ++round) {
        blame.clear();
        if (LayRows(ring, 1.0, fractions, &blame, round < kMendClearingRounds)) {
            return true;
        }
        if (blame.empty()) {
            return false;
        }
        NarrowAbout(ring, blame, round < kMendClearingRounds);
    }
    return false;
}

// Lays the ring at the widest trial fraction from the given one on that it takes on its own; the
// trial's number, or the number of trials when only a flat ring (width 0) fits.
size_t LayWidest(RingRows& ring, const std::vector<double>& fractions, size_t from) {
    if (from == 0 && LayMended(ring, fractions)) {
        return 0;
    }
    for (size_t t = std::max<size_t>(from, 1); t < std::size(kRingTrials); ++t) {
        if (LayRows(ring, kRingTrials[t], fractions)) {
            return t;
        }
    }
    LayRows(ring, 0.0, fractions);
    return std::size(kRingTrials);
}

// A point on edge ab, or just inside it where `beside` allows (after `previous` as
// GridPointAlong takes it), within half the tip's distance of `at` grid steps from a; none on an
// edge shorter than kNotchEdge widths.
std::optional<GridPoint> BesideTip(const GridPoint& a, const GridPoint& b, double at, double width,
                                   bool beside, const GridPoint& previous) {
    const double length = EdgeLength(a, b);
    const double tip = kBesideNotch * width;
    if (length <= kNotchEdge * width) {
        return std::nullopt;
    }
    double found = 0.0;
    const std::optional<GridPoint> p =
        GridPointAlong(a, b, at / length, tip / 2.0, beside, previous, found);
    return p && std::abs(found * length - at) <= tip / 2.0 ? p : std::nullopt;
}

// Adds the points beside the ring's notch tips, kBesideNotch widths from them.
void AddPointsBesideNotches(RingRows& ring, double width, bool beside) {
    const size_t n = ring.outline.size();
    std::vector<bool> tip(n);
    for (size_t i = 0; i < n; ++i) {
        tip[i] =
            IsNotchTip(ring.outline[(i + n - 1) % n], ring.outline[i], ring.outline[(i + 1) % n]);
    }
    if (std::none_of(tip.begin(), tip.end(), [](bool t) { return t; })) {
        return;
    }
    std::vector<std::optional<GridPoint>> after(n);
    for (size_t i = 0; i < n; ++i) {
        const GridPoint& b = ring.outline[i];
        after[i] =
            tip[i] ? BesideTip(b, ring.outline[(i + 1) % n], kBesideNotch * width, width, beside, b)
                   : std::nullopt;
    }
    std::vector<GridPoint> outline;
    std::vector<uint32_t> source;
    auto add = [&](const std::optional<GridPoint>& p, uint32_t from) {
        if (p) {
            outline.push_back(*p);
            source.push_back(from);
        }
    };
    auto before = [&](size_t i) {
        const size_t previous = (i + n - 1) % n;
        const GridPoint& a = ring.outline[previous];
        const GridPoint& b = ring.outline[i];
        // Points along one edge lie in order, each no further off it than the one before.
        return tip[i] ? BesideTip(a, b, EdgeLength(a, b) - kBesideNotch * width, width, beside,
                                  after[previous].value_or(a))
                      : std::nullopt;
    };
    // The ring still starts at its first corner, where the walls' foot starts.
    for (size_t i = 0; i < n; ++i) {
        add(i > 0 ? before(i) : std::nullopt, kAddedAlong);
        add(ring.outline[i], ring.source[i]);
        add(after[i], kAddedAlong);
    }
    add(before(0), kAddedAlong);
    ring.outline = std::move(outline);
    ring.source = std::move(source);
}

// Per point of a ring, the outline's own corners at or before it and at or after it: the ends of
// the edge it lies on.
struct OwnCorners {
    std::vector<size_t> before, after;
};

OwnCorners FindOwnCorners(const std::vector<uint32_t>& source) {
    const size_t n = source.size();
    OwnCorners own{std::vector<size_t>(n), std::vector<size_t>(n)};
    const size_t first = static_cast<size_t>(
        std::find_if(source.begin(), source.end(), [](uint32_t v) { return v != kAddedAlong; }) -
        source.begin());
    for (size_t k = 0, last = first; k < n; ++k) {
        const size_t i = (first + k) % n;
        last = source[i] != kAddedAlong ? i : last;
        own.before[i] = last;
    }
    for (size_t k = 0, next = first; k < n; ++k) {
        const size_t i = (first + n - k) % n;
        next = source[i] != kAddedAlong ? i : next;
        own.after[i] = next;
    }
    return own;
}

// How far along the edge leaving it in direction into a corner's inset point reaches at its
// widest, `reach`, with `room` times `width` more; at a reflex corner, which leans away from its
// edges, only the room.
double Clearance(const PlaneVector& miter, double intoX, double intoY, double reach, double width,
                 double room) {
    return 1.05 * reach * std::max(0.0, miter.x * intoX + miter.y * intoY) + width * room;
}

// Adds points along the ring's edges with an end narrower than `width`, at most `spacing`
// apart, so that its width can change along an edge: a thin place then narrows the bevel near
// it and not the whole edge. The corners' contact widths stay; the new points' are to be found.
// A point goes on the edge itself, so the outline keeps its shape to the bit, or where the edge
// has no grid point near and `beside` allows, just inside it: the wall's foot below, running
// straight from the edge's first corner, then covers the sliver between.
void AddPointsAlong(RingRows& ring, const std::vector<SideWidths>& widths,
                    const std::vector<FacingCorner>& facing, double width, double spacing,
                    bool beside, double cornerRoom, std::vector<SideWidths>& contacts) {
    const SideWidths unknown{std::nan(""), std::nan("")};
    auto nextFacing = facing.begin();
    std::vector<GridPoint> outline;
    std::vector<uint32_t> source;
    std::vector<SideWidths> known;
    std::vector<double> along, meant;
    const size_t n = ring.outline.size();
    const OwnCorners own = FindOwnCorners(ring.source);
    for (size_t i = 0; i < n; ++i) {
        const GridPoint& a = ring.outline[i];
        const GridPoint& b = ring.outline[(i + 1) % n];
        const GridPoint& start = ring.outline[own.before[i]];
        const GridPoint& end = ring.outline[own.after[(i + 1) % n]];
        const double ownLength = EdgeLength(start, end);
        const double offset = EdgeLength(start, a);
        // A point beside a notch tip is found again after those added before it on its edge.
        double at = 0.0;
        const std::optional<GridPoint> kept =
            ring.source[i] != kAddedAlong
                ? std::optional<GridPoint>(a)
                : GridPointAlong(start, end, offset / ownLength, kAlongTolerance * width, beside,
                                 outline.back(), at);
        if (kept) {
            outline.push_back(*kept);
            source.push_back(ring.source[i]);
            known.push_back(kept->x == a.x && kept->y == a.y ? contacts[i] : unknown);
        }
        const auto facingFrom = nextFacing;
        while (nextFacing != facing.end() && nextFacing->edge == i) {
            ++nextFacing;
        }
        const double fromWidth = widths[i].out;
        const double toWidth = widths[(i + 1) % n].in;
        if (std::min(fromWidth, toWidth) >= width || Same(a, b)) {
            continue;
        }
        const double length =
            Length(static_cast<double>(b.x - a.x), static_cast<double>(b.y - a.y));
        // None so near a corner that its inset point would meet the corner's.
        const double intoX = static_cast<double>(b.x - a.x) / length;
        const double intoY = static_cast<double>(b.y - a.y) / length;
        // A corner is never laid wider than its contact width: the points may come that near.
        auto reach = [&](size_t k) {
            return std::min(width, std::max(contacts[k].in, contacts[k].out));
        };
        const double from = Clearance(ring.miter[i], intoX, intoY, reach(i), width, cornerRoom);
        const double room = length - from -
                            Clearance(ring.miter[(i + 1) % n], -intoX, -intoY, reach((i + 1) % n),
                                      width, cornerRoom);
        const double pieces = room > 0.0 ? std::ceil(room / spacing) : -1.0;
        along.clear();
        meant.clear();
        for (double k = 0.0; k <= pieces; ++k) {
            along.push_back(from + room * k / std::max(pieces, 1.0));
        }
        const size_t spaced = along.size();
        // Near a narrowed end the width may have to rise again within much less than the spacing.
        if (room > 0.0) {
            for (double fraction : kNearNarrowed) {
                const double near = fraction * width;
                if (near < room) {
                    if (fromWidth < width) {
                        along.push_back(from + near);
                    }
                    if (toWidth < width) {
                        along.push_back(from + room - near);
                    }
                }
            }
            // Where a corner of another part faces the edge, and where the room ends either side;
            // where the room facing an edge of it ends.
            for (auto corner = facingFrom; corner != nextFacing; ++corner) {
                for (double s :
                     {corner->at - corner->reach, corner->at, corner->at + corner->reach}) {
                    if (s > from && s < from + room) {
                        along.push_back(s);
                    }
                }
            }
            // Those between the ends spaced out only to keep the pieces short add nothing beside
            // one put there for a reason.
            const auto others = along.begin() + static_cast<std::ptrdiff_t>(spaced);
            auto besideOther = [&](double s) {
                return std::any_of(others, along.end(), [&](double other) {
                    return std::abs(other - s) < kBesideOther * width;
                });
            };
            meant.assign(others, along.end());
            std::sort(meant.begin(), meant.end());
            along.erase(std::remove_if(along.begin() + 1, others - 1, besideOther), others - 1);
            std::sort(along.begin(), along.end());
            // Points meant nearer each other than one may lie from where it was meant are one:
            // a piece that short would only fold.
            size_t count = 0;
            for (double s : along) {
                if (count == 0 || s - along[count - 1] >= kAlongTolerance * width) {
                    along[count++] = s;
                }
            }
            along.resize(count);
        }
        // Beside the edge a point may lie off where it was meant to, so they are kept in order,
        // and found along the outline's own edge, of which this may be the piece up to or from a
        // point beside a notch tip.
        const double stop = EdgeLength(start, b) / ownLength;
        double last = offset / ownLength;
        for (double s : along) {
            const double t = (offset + s) / ownLength;
            std::optional<GridPoint> p =
                GridPointAlong(start, end, t, kAlongTolerance * width, beside, outline.back(), at);
            // One put where the room ends, dropped, would leave the piece across it narrowed:
            // further off where it was meant, it still ends the piece near there.
            if (!p && std::binary_search(meant.begin(), meant.end(), s)) {
                p = GridPointAlong(start, end, t, kMeantTolerance * width, beside, outline.back(),
                                   at);
            }
            if (p && at > last && at < stop) {
                last = at;
                outline.push_back(*p);
                source.push_back(kAddedAlong);
                known.push_back(unknown);
            }
        }
    }
    ring.outline = std::move(outline);
    ring.source = std::move(source);
    SetCorners(ring);
    contacts = std::move(known);
}

// A mend narrows corners after the points along the edges were placed, so an edge with a mended
// end and no points on it narrows along its whole length. Such edges take points as near the
// mended ends as their narrowed inset points let them, and the ring is laid again: the new points
// start at the full width and narrow only where the mending finds they must. The widths before
// any mend are `found`, those the ring was laid at before the collisions `laid`. Whether it laid
// the ring so.
bool LayAgainAboutMends(RingRows& ring, const std::vector<SideWidths>& found,
                        const std::vector<SideWidths>& laid, const std::vector<double>& fractions,
                        double width, double spacing, bool beside, double room) {
    const size_t n = ring.outline.size();
    std::vector<SideWidths> mended(n, {width, width});
    bool any = false;
    for (size_t i = 0; i < n; ++i) {
        const SideWidths& w = ring.widths[i];
        const GridPoint& p = ring.outline[i];
        const double longest = std::max(EdgeLength(ring.outline[(i + n - 1) % n], p),
                                        EdgeLength(p, ring.outline[(i + 1) % n]));
        auto narrowed = [&](const SideWidths& from) {
            return w.in < kKeptShare * from.in || w.out < kKeptShare * from.out;
        };
        if ((longest > kLongEdge * width && narrowed(found[i])) ||
            (longest > kCollidedEdge * width && narrowed(laid[i]))) {
            mended[i] = w;
            any = true;
        }
    }
    if (!any) {
        return false;
    }
    RingRows again = ring;
    std::vector<SideWidths> widths = ring.widths;
    AddPointsAlong(again, mended, {}, width, spacing, beside, room, widths);
    if (again.outline.size() == n) {
        return false;
    }
    for (SideWidths& w : widths) {
        w = std::isnan(w.in) ? SideWidths{width, width} : w;
    }
    again.widths = std::move(widths);
    SmoothAlong(again.outline, again.sides, again.widths);
    if (!LayMended(again, fractions, kLayAgainRounds)) {
        return false;
    }
    ring = std::move(again);
    return true;
}

// Whether a neighbour of point i is a notch tip.
bool BesideNotch(const std::vector<GridPoint>& p, size_t i) {
    const size_t n = p.size();
    const size_t before = (i + n - 1) % n;
    const size_t after = (i + 1) % n;
    return IsNotchTip(p[(before + n - 1) % n], p[before], p[i]) ||
           IsNotchTip(p[i], p[after], p[(after + 1) % n]);
}

// Drops the added points where the width runs straight on, so the front face's edge keeps
// corners only where it bends (the face is cut from corners; a point lying straight between
// two others would have to move). Whether it dropped any.
bool DropStraightPoints(RingRows& ring) {
    const size_t n = ring.outline.size();
    std::vector<bool> keep(n, true);
    size_t before = n - 1;
    while (before > 0 && ring.source[before] == kAddedAlong) {
        --before;
    }
    for (size_t i = 0; i < n; ++i) {
        const size_t after = (i + 1) % n;
        if (ring.source[i] == kAddedAlong) {
            const GridPoint& a = ring.outline[before];
            const GridPoint& b = ring.outline[i];
            const GridPoint& c = ring.outline[after];
            const double toB =
                Length(static_cast<double>(b.x - a.x), static_cast<double>(b.y - a.y));
            const double toC =
                Length(static_cast<double>(c.x - a.x), static_cast<double>(c.y - a.y));
            const double from = ring.widths[before].out;
            const double straight = from + (ring.widths[after].in - from) * toB / toC;
            keep[i] =
                ring.scale > 0.0 && (std::abs(ring.widths[i].in - straight) > kStraightWidth ||
                                     BesideNotch(ring.outline, i));
        }
        before = keep[i] ? i : before;
    }
    size_t kept = 0;
    for (size_t i = 0; i < n; ++i) {
        if (keep[i]) {
            ring.outline[kept] = ring.outline[i];
            ring.source[kept] = ring.source[i];
            ring.miter[kept] = ring.miter[i];
            ring.sides[kept] = ring.sides[i];
            ring.widths[kept] = ring.widths[i];
            ++kept;
        }
    }
    ring.outline.resize(kept);
    ring.laidFrom.Forget();
    ring.source.resize(kept);
    ring.miter.resize(kept);
    ring.sides.resize(kept);
    ring.widths.resize(kept);
    return kept < n;
}

GridBox PointsBox(const std::vector<GridPoint>& points) {
    GridBox box{INT64_MAX, INT64_MAX, INT64_MIN, INT64_MIN};
    for (const GridPoint& p : points) {
        box = {std::min(box.minX, p.x), std::min(box.minY, p.y), std::max(box.maxX, p.x),
               std::max(box.maxY, p.y)};
    }
    return box;
}

bool Holds(const GridBox& box, const GridPoint& p) {
    return box.minX <= p.x && p.x <= box.maxX && box.minY <= p.y && p.y <= box.maxY;
}

bool Meet(const GridBox& a, const GridBox& b) {
    return a.minX <= b.maxX && b.minX <= a.maxX && a.minY <= b.maxY && b.minY <= a.maxY;
}

// Rings whose bevel band (between outline and front-face edge) leaves the filled region or
// runs into another ring's band, as where a hole nearly touches the outline. Where no edges of
// two rings meet, each closed edge of one lies wholly inside or outside the other's band, so
// one point of it tells which. Only the bands of rings laid anew are looked at again: the
// outlines stay, and a pair of unchanged bands was found apart before (a colliding pair is
// always laid anew).
class RingCollisions {
  public:
    explicit RingCollisions(const std::vector<RingRows>& rings)
        : rings_(rings),
          outlineEdges_(OutlineEdges(rings)),
          edges_(rings.size()),
          boxes_(rings.size()),
          bevelled_(rings.size(), false),
          leaves_(rings.size(), false),
          leavesBlame_(rings.size()),
          metEdge_(rings.size()),
          met_(rings.size()),
          around_(2 * rings.size() * rings.size()),
          blame_(rings.size()),
          changed_(rings.size(), true) {
        for (const RingRows& ring : rings) {
            outlineBoxes_.push_back(PointsBox(ring.outline));
        }
    }

    void MarkChanged(size_t ring) { changed_[ring] = true; }

    // After the given rings took points along their outlines.
    void OutlinesChanged(const std::vector<size_t>& changed) {
        outlineEdges_ = OutlineEdges(rings_);
        for (std::vector<GridPoint>& edge : metEdge_) {
            edge.clear();
        }
        std::fill(around_.begin(), around_.end(), Around{});
        for (size_t r : changed) {
            outlineBoxes_[r] = PointsBox(rings_[r].outline);
            changed_[r] = true;
        }
    }

    // Per ring, whether its band collides; blame() then holds the corners of its band's edges
    // found running into something, where they are known.
    std::vector<bool> Colliding() {
        for (size_t r = 0; r < rings_.size(); ++r) {
            if (changed_[r]) {
                UpdateBand(r);
            }
        }
        std::vector<bool> colliding = leaves_;
        blame_ = leavesBlame_;
        for (size_t r = 0; r < rings_.size(); ++r) {
            for (size_t s = r + 1; s < rings_.size(); ++s) {
                if (changed_[r] || changed_[s]) {
                    const auto [meetsR, meetsS] = BandsMeet(r, s);
                    colliding[r] = colliding[r] || meetsR;
                    colliding[s] = colliding[s] || meetsS;
                }
            }
        }
        std::fill(changed_.begin(), changed_.end(), false);
        return colliding;
    }

    const std::vector<std::vector<Blame>>& blame() const { return blame_; }

  private:
    static SegmentCells OutlineEdges(const std::vector<RingRows>& rings) {
        std::vector<GridSegment> edges;
        for (const RingRows& ring : rings) {
            const size_t n = ring.outline.size();
            for (size_t i = 0; i < n; ++i) {
                edges.push_back({ring.outline[i], ring.outline[(i + 1) % n], i});
            }
        }
        return SegmentCells(std::move(edges));
    }

    void UpdateBand(size_t r) {
        const RingRows& ring = rings_[r];
        const size_t n = ring.outline.size();
        edges_[r].clear();
        bevelled_[r] = ring.rows.size() > n;
        leaves_[r] = false;
        leavesBlame_[r].clear();
        if (!bevelled_[r]) {
            return;
        }
        AddRingEdges(ring.rows, ring.rows.size() - n, n, edges_[r]);
        boxes_[r] = PointsBox(ring.rows);
        // The filled region near the band: its own outline and the outlines reaching its box.
        std::vector<size_t> near{r};
        for (size_t s = 0; s < rings_.size(); ++s) {
            if (s != r && Meet(outlineBoxes_[s], boxes_[r])) {
                near.push_back(s);
            }
        }
        leaves_[r] = Leaves(r, near);
    }

    const GridPoint& EdgePoint(size_t r) const { return edges_[r].front().a; }

    // A point of ring s's: the first of its outline, or EdgePoint(s).
    enum class PointOf { kOutline, kEdge };

    const GridPoint& Point(size_t s, PointOf of) const {
        return of == PointOf::kEdge ? EdgePoint(s) : rings_[s].outline[0];
    }

    // How often ring r's outline winds round the point of ring s's. The outlines stay, so where
    // the point did too it is known.
    int AroundOutline(size_t r, size_t s, PointOf of) {
        const GridPoint& p = Point(s, of);
        Around& known = around_[(r * rings_.size() + s) * 2 + (of == PointOf::kEdge ? 1 : 0)];
        if (!known.found || !Same(known.point, p)) {
            known = {p, WindingNumber(rings_[r].outline, 0, rings_[r].outline.size(), p), true};
        }
        return known.winding;
    }

    bool InBand(size_t r, size_t s, PointOf of) {
        const GridPoint& p = Point(s, of);
        if (!Holds(boxes_[r], p)) {
            return false;
        }
        const RingRows& ring = rings_[r];
        const size_t n = ring.outline.size();
        return AroundOutline(r, s, of) != WindingNumber(ring.rows, ring.rows.size() - n, n, p);
    }

    // Unless the front-face edge lies nested with the outline, inside the region, crossing no
    // outline and with no other ring's outline between the two.
    bool Leaves(size_t r, const std::vector<size_t>& near) {
        FindOutlinesMet(r);
        for (const auto& [corner, outlineEdge] : met_[r]) {
            leavesBlame_[r].push_back({corner, ClearingFactor(rings_[r], corner, *outlineEdge)});
        }
        if (!met_[r].empty()) {
            return true;
        }
        const RingRows& ring = rings_[r];
        const size_t n = ring.outline.size();
        const GridPoint& edgePoint = EdgePoint(r);
        const int aroundOwn = AroundOutline(r, r, PointOf::kEdge);
        const bool nested = aroundOwn != 0 ||
                            WindingNumber(ring.rows, ring.rows.size() - n, n, ring.outline[0]) != 0;
        int inRegion = 0;
        for (size_t s : near) {
            if (s == r) {
                inRegion += aroundOwn;
            } else if (Holds(outlineBoxes_[s], edgePoint)) {
                inRegion += AroundOutline(s, r, PointOf::kEdge);
            }
            if (s != r && InBand(r, s, PointOf::kOutline)) {
                return true;
            }
        }
        return !nested || inRegion == 0;
    }

    // The outlines' edges that the front-face edges of ring r meet. An edge whose ends stayed
    // since they were last looked for meets those it met then.
    void FindOutlinesMet(size_t r) {
        const RingRows& ring = rings_[r];
        const size_t n = ring.outline.size();
        const GridPoint* edge = ring.rows.data() + (ring.rows.size() - n);
        std::vector<GridPoint>& before = metEdge_[r];
        std::vector<std::pair<size_t, const GridSegment*>>& met = met_[r];
        std::vector<GridSegment> moved;
        if (before.size() == n) {
            auto stayed = [&](size_t i) { return Same(edge[i], before[i]); };
            std::vector<bool> kept(n);
            for (size_t i = 0; i < n; ++i) {
                const size_t j = i + 1 < n ? i + 1 : 0;
                kept[i] = stayed(i) && stayed(j);
                if (!kept[i]) {
                    moved.push_back({edge[i], edge[j], i});
                }
            }
            met.erase(std::remove_if(met.begin(), met.end(),
                                     [&](const auto& pair) { return !kept[pair.first]; }),
                      met.end());
        } else {
            moved = edges_[r];
            met.clear();
        }
        SegmentPairs found;
        outlineEdges_.Meeting(moved, boxes_[r], found);
        for (const auto& [first, second] : found) {
            met.emplace_back(first->corner, second);
        }
        before.assign(edge, edge + n);
    }

    // Front faces' edges crossing, or one band holding a point of the other. An edge of either
    // running into the other's outline is found by Leaves, and outlines do not meet. Whether each
    // of the two must narrow: where edges cross, only those blamed.
    std::pair<bool, bool> BandsMeet(size_t r, size_t s) {
        if (!bevelled_[r] || !bevelled_[s] || !Meet(boxes_[r], boxes_[s])) {
            return {false, false};
        }
        const GridBox box{
            std::max(boxes_[r].minX, boxes_[s].minX), std::max(boxes_[r].minY, boxes_[s].minY),
            std::min(boxes_[r].maxX, boxes_[s].maxX), std::min(boxes_[r].maxY, boxes_[s].maxY)};
        SegmentPairs met;
        MeetingSegments(edges_[r], edges_[s], box, met);
        if (met.empty()) {
            const bool meet = InBand(r, s, PointOf::kOutline) || InBand(r, s, PointOf::kEdge) ||
                              InBand(s, r, PointOf::kOutline) || InBand(s, r, PointOf::kEdge);
            return {meet, meet};
        }
        std::pair<bool, bool> blamed{false, false};
        for (const auto& [first, second] : met) {
            const double fromR =
                ClearingFactor(rings_[r], first->corner, *second, kDeepestClearing);
            const double fromS =
                ClearingFactor(rings_[s], second->corner, *first, kDeepestClearing);
            const Narrows narrows =
                WhichNarrows(fromR, fromS, EdgeCost(r, first->corner), EdgeCost(s, second->corner));
            if (narrows == Narrows::kBoth) {
                blame_[r].push_back({first->corner, HalfClearing(fromR)});
                blame_[s].push_back({second->corner, HalfClearing(fromS)});
            } else if (narrows == Narrows::kFirst) {
                blame_[r].push_back(
                    ClearingBlame(rings_[r], first->corner, *second, fromR, kDeepestClearing));
            } else {
                blame_[s].push_back(
                    ClearingBlame(rings_[s], second->corner, *first, fromS, kDeepestClearing));
            }
            blamed.first = blamed.first || narrows != Narrows::kSecond;
            blamed.second = blamed.second || narrows != Narrows::kFirst;
        }
        return blamed;
    }

    double EdgeCost(size_t r, size_t corner) const {
        return NarrowingCost(rings_[r], corner, (corner + 1) % rings_[r].outline.size(),
                             kLostShare);
    }

    const std::vector<RingRows>& rings_;
    SegmentCells outlineEdges_;  // of all the rings' outlines
    std::vector<GridBox> outlineBoxes_;
    std::vector<std::vector<GridSegment>> edges_;  // of the front-face edges
    std::vector<GridBox> boxes_;                   // of the bands
    std::vector<bool> bevelled_;
    std::vector<bool> leaves_;
    std::vector<std::vector<Blame>> leavesBlame_;
    // Per ring, its front-face edge when the outlines' edges it meets were last looked for, and
    // those met: by the corner of its edge, and the outline's.
    std::vector<std::vector<GridPoint>> metEdge_;
    std::vector<std::vector<std::pair<size_t, const GridSegment*>>> met_;
    // Per pair of rings and point of the second's, AroundOutline as last found.
    struct Around {
        GridPoint point{0, 0};
        int winding = 0;
        bool found = false;
    };
    std::vector<Around> around_;
    std::vector<std::vector<Blame>> blame_;
    std::vector<bool> changed_;
};

// Narrows the rings whose bands collide, round by round, until none do: about the corners whose
// band edges run into something where those are known, else a trial of the whole ring at a time.
// The tests are cheap enough that small steps, which narrow no more than they must, cost less
// than measuring each overlap to jump further. Once none do, those that take it are laid again
// about their mends (`layAgain`, whether a ring did), and narrowed again where they collide then.
template <typename LayAgain>
void NarrowColliding(std::vector<RingRows>& rings, std::vector<size_t>& trials,
                     const std::vector<double>& fractions, LayAgain layAgain) {
    RingCollisions collisions(rings);
    bool laidAgain = false;
    // Rings laid again are cleared in small steps again.
    int firstRound = 0;
    for (int round = 0; round < kCollisionRounds; ++round) {
        const std::vector<bool> colliding = collisions.Colliding();
        if (std::none_of(colliding.begin(), colliding.end(), [](bool c) { return c; })) {
            if (laidAgain) {
                return;
            }
            laidAgain = true;
            std::vector<size_t> changed;
            for (size_t r = 0; r < rings.size(); ++r) {
                if (trials[r] == 0 && layAgain(r)) {
                    changed.push_back(r);
                }
            }
            if (changed.empty()) {
                return;
            }
            collisions.OutlinesChanged(changed);
            firstRound = round + 1;
            continue;
        }
        for (size_t r = 0; r < rings.size(); ++r) {
            if (!colliding[r]) {
                continue;
            }
            const std::vector<Blame>& blame = collisions.blame()[r];
            if (trials[r] == 0 && !blame.empty()) {
                NarrowAbout(rings[r], blame, round - firstRound < kClearingRounds, true);
                if (!LayMended(rings[r], fractions)) {
                    trials[r] = LayWidest(rings[r], fractions, 1);
                }
            } else {
                trials[r] = LayWidest(rings[r], fractions, trials[r] + 1);
            }
            collisions.MarkChanged(r);
        }
    }
}

// Whether the points from `first` on are all distinct.
bool AllDistinct(const std::vector<GridPoint>& points, size_t first) {
    // Each point packed into one number, which sorts faster than a pair: coordinates stay far
    // below 2^31 in magnitude.
    std::vector<uint64_t> keys(points.size() - first);
    for (size_t i = 0; i < keys.size(); ++i) {
        const GridPoint& p = points[first + i];
        keys[i] =
            static_cast<uint64_t>(static_cast<uint32_t>(p.x)) << 32 | static_cast<uint32_t>(p.y);
    }
    std::sort(keys.begin(), keys.end());
    return std::adjacent_find(keys.begin(), keys.end()) == keys.end();
}

// Fills the front face inside the rings' last rows and, when strict, checks that strips and face
// together cover the polygon exactly once: every piece counter-clockwise and their areas adding
// up to the polygon's.
bool CoverPolygon(const std::vector<RingRows>& rings, std::vector<GridPoint>& capGrid,
                  std::vector<uint32_t>& capTriangles, bool strict) {
    const size_t firstPoint = capGrid.size();
    const size_t firstTriangle = capTriangles.size();
    PolygonRings cap;
    int64_t strips = 0;
    int64_t whole = 0;
    for (size_t r = 0; r < rings.size(); ++r) {
        const RingRows& ring = rings[r];
        const size_t n = ring.outline.size();
        const size_t rowCount = ring.rows.size() / n;
        // A flat ring repeats its round corners' copies.
        const GridPoint* edge = &ring.rows[(rowCount - 1) * n];
        std::vector<uint32_t> indices;
        indices.reserve(n);
        for (size_t i = 0; i < n; ++i) {
            if (!Same(edge[i], edge[i + 1 < n ? i + 1 : 0])) {
                indices.push_back(static_cast<uint32_t>(capGrid.size()));
                capGrid.push_back(edge[i]);
            }
        }
        (r == 0 ? cap.outer : cap.holes.emplace_back()) = std::move(indices);
        whole += RingArea(ring.outline, 0, n);
        // The strips between each pair of rows in turn add up to those between the first and last.
        strips += RingArea(ring.rows, 0, n) - RingArea(ring.rows, (rowCount - 1) * n, n);
    }
    if (!strict) {
        // Should a polygon not be simple after all, its face overlaps itself but stays closed.
        TriangulatePolygon(capGrid, cap, capTriangles);
        return true;
    }
    bool ok = AllDistinct(capGrid, firstPoint) && TriangulatePolygon(capGrid, cap, capTriangles);
    if (ok) {
        int64_t faces = 0;
        for (size_t t = firstTriangle; t + 2 < capTriangles.size(); t += 3) {
            faces += Orientation(capGrid[capTriangles[t]], capGrid[capTriangles[t + 1]],
                                 capGrid[capTriangles[t + 2]]);
        }
        ok = faces + strips == whole;
    }
    if (!ok) {
        capGrid.resize(firstPoint);
        capTriangles.resize(firstTriangle);
    }
    return ok;
}

// Covers the polygon as CoverPolygon does, with the points added along its edges that the
// widths found did not need dropped first where it succeeds so (the rings change only then), else
// with all of them.
bool CoverWithoutStraightPoints(std::vector<RingRows>& rings, const std::vector<double>& fractions,
                                std::vector<GridPoint>& capGrid,
                                std::vector<uint32_t>& capTriangles) {
    if (std::none_of(rings.begin(), rings.end(), [](const RingRows& ring) {
            return std::find(ring.source.begin(), ring.source.end(), kAddedAlong) !=
                   ring.source.end();
        })) {
        return CoverPolygon(rings, capGrid, capTriangles, true);
    }
    std::vector<RingRows> fewer = rings;
    bool laid = true;
    for (RingRows& ring : fewer) {
        // A ring that keeps all its points keeps its rows too.
        if (DropStraightPoints(ring)) {
            laid = laid && LayRows(ring, ring.scale, fractions);
        }
    }
    if (laid && CoverPolygon(fewer, capGrid, capTriangles, true)) {
        rings = std::move(fewer);
        return true;
    }
    // Some of those points were needed after all: rather them than narrower bevels.
    return CoverPolygon(rings, capGrid, capTriangles, true);
}

OutlinePoint FromGrid(const GridPoint& g, bool smooth) {
    return {static_cast<float>(static_cast<double>(g.x) / kGridStepsPerEm),
            static_cast<float>(static_cast<double>(g.y) / kGridStepsPerEm), smooth};
}

// The rings' shapes for finding widths; with split false, every corner takes one width.
std::vector<InsetRing> Shapes(const std::vector<RingRows>& rings, bool split) {
    std::vector<InsetRing> shapes(rings.size());
    for (size_t r = 0; r < rings.size(); ++r) {
        shapes[r] = {rings[r].outline, rings[r].miter, rings[r].sides};
        for (CornerSides& sides : shapes[r].sides) {
            if (sides.split && !split) {
                const PlaneVector half{(sides.in.x + sides.out.x) / 2.0,
                                       (sides.in.y + sides.out.y) / 2.0};
                sides = {half, half, false};
            }
        }
    }
    return shapes;
}

// Given the widths found at the rings' corners alone, adds points along the edges where they
// narrow (`room` widths from where the corners' inset points reach), finds the widths of all,
// lays the rings at them and cuts the front face; whether it could. Unless this room is the
// `last`, it gives up once a ring needs a narrower trial, which rules the room out.
bool LayAtFoundWidths(std::vector<RingRows>& rings, BevelWidths found,
                      const std::vector<std::vector<FacingCorner>>& facing,
                      std::vector<size_t>& trials, const std::vector<double>& fractions,
                      double width, double room, bool last, bool backToo,
                      std::vector<GridPoint>& capGrid, std::vector<uint32_t>& capTriangles) {
    const double spacing = kAlongSpacing[backToo ? 0 : 1] * width;
    for (size_t r = 0; r < rings.size(); ++r) {
        AddPointsAlong(rings[r], found.corners[r], facing[r], width, spacing, !backToo, room,
                       found.contacts[r]);
    }
    // Split corners were found with one width: their sides' are found now.
    for (size_t r = 0; r < rings.size(); ++r) {
        for (size_t i = 0; i < rings[r].sides.size(); ++i) {
            if (rings[r].sides[i].split) {
                found.contacts[r][i].out = std::nan("");
            }
        }
    }
    found = FindBevelWidths(Shapes(rings, true), width, std::move(found.contacts));
    for (size_t r = 0; r < rings.size(); ++r) {
        rings[r].widths = found.corners[r];
        trials[r] = LayWidest(rings[r], fractions, 0);
        if (trials[r] != 0 && !last) {
            return false;
        }
    }
    std::vector<std::vector<SideWidths>> laid;
    for (const RingRows& ring : rings) {
        laid.push_back(ring.widths);
    }
    // Rings that fit on their own may still run into one another: narrow those that do before
    // cutting the face.
    NarrowColliding(rings, trials, fractions, [&](size_t r) {
        return LayAgainAboutMends(rings[r], found.corners[r], laid[r], fractions, width, spacing,
                                  !backToo, room);
    });
    if (!last && std::any_of(trials.begin(), trials.end(), [](size_t t) { return t != 0; })) {
        return false;
    }
    return CoverWithoutStraightPoints(rings, fractions, capGrid, capTriangles);
}

}  // namespace

int BevelSteps(const BevelSettings& bevel) {
    return bevel.profile == BevelProfile::kRound
               ? std::clamp(static_cast<int>(bevel.segments), 1, kMaxBevelSegments)
               : 1;
}

BevelledFace InsetFace(const FaceTriangulation& face, float width, int steps, bool backToo) {
    BevelledFace result;
    result.steps = std::max(steps, 1);
    const std::vector<double> fractions = RowFractions(result.steps);
    const double gridWidth = static_cast<double>(std::min(width, kMaxBevelSize)) * kGridStepsPerEm;
    std::vector<GridPoint> capGrid;
    for (const PolygonRings& polygon : face.polygons) {
        std::vector<RingRows> rings;
        std::vector<size_t> trials;
        std::vector<const std::vector<uint32_t>*> sources{&polygon.outer};
        for (const auto& hole : polygon.holes) {
            sources.push_back(&hole);
        }
        for (const std::vector<uint32_t>* source : sources) {
            RingRows& ring = rings.emplace_back();
            for (uint32_t v : *source) {
                ring.outline.push_back(ToGrid(face.vertices[v]));
            }
            ring.source = *source;
            ring.asked = gridWidth;
            AddPointsBesideNotches(ring, gridWidth, !backToo);
            SetCorners(ring);
            ring.widths.assign(ring.outline.size(), {gridWidth, gridWidth});
        }
        // Most polygons take the full width all round; only the others need their corners'
        // widths found.
        bool covered = std::all_of(rings.begin(), rings.end(),
                                   [&](RingRows& ring) { return LayRows(ring, 1.0, fractions); }) &&
                       CoverPolygon(rings, capGrid, result.capTriangles, true);
        trials.assign(rings.size(), 0);
        if (!covered) {
            // Points go only along the edges with a narrowed end, found at the corners alone,
            // each with one width: at a split corner both edges then take points, so that the
            // narrow side's width can rise along its edge.
            std::vector<std::vector<FacingCorner>> facing;
            BevelWidths atCorners = FindBevelWidths(Shapes(rings, false), gridWidth, {}, &facing);
            std::vector<std::vector<double>> mitered(rings.size());
            bool rounded = false;
            for (size_t r = 0; r < rings.size(); ++r) {
                mitered[r] = RoundReflexCorners(rings[r], atCorners.contacts[r], gridWidth);
                rounded = rounded || !mitered[r].empty();
            }
            if (rounded) {
                atCorners = FindBevelWidths(Shapes(rings, false), gridWidth,
                                            std::move(atCorners.contacts), &facing);
                bool sharpened = false;
                for (size_t r = 0; r < rings.size(); ++r) {
                    sharpened = (!mitered[r].empty() &&
                                 SharpenWhereRoundingFails(rings[r], atCorners.contacts[r],
                                                           mitered[r], gridWidth)) ||
                                sharpened;
                }
                if (sharpened) {
                    atCorners = FindBevelWidths(Shapes(rings, false), gridWidth,
                                                std::move(atCorners.contacts), &facing);
                }
            }
            // Should a ring not take its widths found, or the face not be cut, with the least
            // room beside the corners, the next is tried, and the last one kept.
            const std::vector<RingRows> given = rings;
            const size_t points = capGrid.size();
            const size_t triangles = result.capTriangles.size();
            for (size_t k = 0; k < std::size(kCornerRooms); ++k) {
                if (k > 0) {
                    rings = given;
                    capGrid.resize(points);
                    result.capTriangles.resize(triangles);
                }
                covered = LayAtFoundWidths(rings, atCorners, facing, trials, fractions, gridWidth,
                                           kCornerRooms[k], k + 1 == std::size(kCornerRooms),
                                           backToo, capGrid, result.capTriangles);
                if (covered && std::all_of(trials.begin(), trials.end(),
                                           [](size_t trial) { return trial == 0; })) {
                    break;
                }
            }
        }
        // Then narrow them all together.
        std::vector<double> scales;
        for (const RingRows& ring : rings) {
            scales.push_back(ring.scale);
        }
        for (size_t g = 1; !covered && g < std::size(kPolygonTrials); ++g) {
            bool laid = true;
            for (size_t r = 0; r < rings.size() && laid; ++r) {
                laid = LayRows(rings[r], scales[r] * kPolygonTrials[g], fractions);
            }
            covered =
                laid && CoverWithoutStraightPoints(rings, fractions, capGrid, result.capTriangles);
        }
        if (!covered) {
            for (RingRows& ring : rings) {
                LayRows(ring, 0.0, fractions);
                DropStraightPoints(ring);
                LayRows(ring, 0.0, fractions);
            }
            CoverPolygon(rings, capGrid, result.capTriangles, false);
        }
        for (size_t r = 0; r < rings.size(); ++r) {
            BevelRing& out = result.rings.emplace_back();
            out.outline = rings[r].source;
            const size_t n = out.outline.size();
            out.widths.assign(n, {0.0f, 0.0f});
            if (rings[r].rows.size() > n) {
                auto em = [&](double grid) {
                    return static_cast<float>(std::max(grid * rings[r].scale, kNarrowestRow) /
                                              kGridStepsPerEm);
                };
                for (size_t i = 0; i < n; ++i) {
                    out.widths[i] = {em(rings[r].widths[i].in), em(rings[r].widths[i].out)};
                }
            }
            out.rows.reserve(rings[r].rows.size());
            for (size_t i = 0; i < rings[r].rows.size(); ++i) {
                const uint32_t v = out.outline[i % n];
                const bool added = v == kAddedAlong;
                // Row 0 is the outline itself, to the bit.
                out.rows.push_back(
                    i < n && !added ? face.vertices[v]
                                    : FromGrid(rings[r].rows[i], added || face.vertices[v].smooth));
            }
        }
    }
    result.capVertices.reserve(capGrid.size());
    for (const GridPoint& g : capGrid) {
        result.capVertices.push_back(FromGrid(g, false));
    }
    return result;
}

namespace {

bool SamePlace(const OutlinePoint& a, const OutlinePoint& b) {
    return a.x == b.x && a.y == b.y;
}

class BevelMeshWriter {
  public:
    explicit BevelMeshWriter(GlyphMesh& mesh) : mesh_(mesh) {}
    uint32_t Add(const OutlinePoint& p, float z, float nx, float ny, float nz) {
        mesh_.vertices.push_back({{p.x, p.y, z}, {nx, ny, nz}, {p.x, p.y}});
        return static_cast<uint32_t>(mesh_.vertices.size() - 1);
    }
    void Triangle(uint32_t a, uint32_t b, uint32_t c, bool flip) {
        if (flip) {
            std::swap(a, c);
        }
        AddIndices(a, b, c);
    }
    // A strip's triangle: where the profile's normal at a corner would face away from the
    // triangle itself (a sliver standing on edge where the width changes at a sharp corner),
    // that corner takes the triangle's own normal.
    void StripTriangle(uint32_t a, uint32_t b, uint32_t c, bool flip) {
        if (flip) {
            std::swap(a, c);
        }
        uint32_t corners[3] = {a, b, c};
        const float* p[3] = {mesh_.vertices[a].position, mesh_.vertices[b].position,
                             mesh_.vertices[c].position};
        double u[3], v[3];
        for (int i = 0; i < 3; ++i) {
            u[i] = static_cast<double>(p[1][i]) - p[0][i];
            v[i] = static_cast<double>(p[2][i]) - p[0][i];
        }
        const double n[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2],
                             u[0] * v[1] - u[1] * v[0]};
        const double squared = n[0] * n[0] + n[1] * n[1] + n[2] * n[2];
        if (!(squared > 0.0)) {
            AddIndices(a, b, c);
            return;
        }
        for (uint32_t& corner : corners) {
            const MeshVertex& vertex = mesh_.vertices[corner];
            const float* m = vertex.normal;
            if (n[0] * m[0] + n[1] * m[1] + n[2] * m[2] <= 0.0) {
                const double length = std::sqrt(squared);
                mesh_.vertices.push_back(
                    {{vertex.position[0], vertex.position[1], vertex.position[2]},
                     {static_cast<float>(n[0] / length), static_cast<float>(n[1] / length),
                      static_cast<float>(n[2] / length)},
                     {vertex.texCoord[0], vertex.texCoord[1]}});
                corner = static_cast<uint32_t>(mesh_.vertices.size() - 1);
            }
        }
        AddIndices(corners[0], corners[1], corners[2]);
    }

  private:
    // One at a time: a range insert of three costs a call to copy them.
    void AddIndices(uint32_t a, uint32_t b, uint32_t c) {
        mesh_.indices.push_back(a);
        mesh_.indices.push_back(b);
        mesh_.indices.push_back(c);
    }

    GlyphMesh& mesh_;
};

// One side's bevel: the heights of the rows and their normals across the profile.
struct Side {
    float capZ;     // the front or back face
    float wallEnd;  // where the side walls stop
    float depth;    // em along z
    bool back;      // faces -z
    bool round;
};

void AddFace(const std::vector<OutlinePoint>& vertices, const std::vector<uint32_t>& triangles,
             float z, bool back, BevelMeshWriter& out) {
    uint32_t first = 0;
    for (size_t i = 0; i < vertices.size(); ++i) {
        const uint32_t v = out.Add(vertices[i], z, 0.0f, 0.0f, back ? -1.0f : 1.0f);
        first = i == 0 ? v : first;
    }
    for (size_t t = 0; t + 2 < triangles.size(); t += 3) {
        out.Triangle(first + triangles[t], first + triangles[t + 1], first + triangles[t + 2],
                     back);
    }
}

// Normals across the profile: a chamfer's strip is flat, so its normal is the strip's own. A
// round profile's normal turns from the wall's direction to the face's in equal steps, whatever
// the column's width: the true normal of a narrowed (steep) profile would turn most of the way
// in its last step and show as a band, and it would change along the outline with the width.
// The profile meets the face and the wall in vertices of its own.
struct Profile {
    std::vector<float> z;
    // Per row, the normal's part out from the outline and its part along z; a chamfer's z part is
    // still to be multiplied by the column's width.
    std::vector<double> out, up;
    // Per row, the normal's length before it is made a unit, where it does not hang on the width.
    std::vector<double> length;
    bool upPerWidth = false;
};

float RowZ(const Side& side, int k, int steps) {
    if (k == 0) {
        return side.wallEnd;
    }
    if (k == steps) {
        return side.capZ;
    }
    const double rise = side.round ? std::sin(kHalfPi * k / steps) : static_cast<double>(k) / steps;
    const double z = side.wallEnd + (side.back ? -1.0 : 1.0) * side.depth * rise;
    return static_cast<float>(z);
}

Profile RingProfile(const Side& side, int steps) {
    Profile profile;
    profile.upPerWidth = !side.round;
    const double sign = side.back ? -1.0 : 1.0;
    for (int k = 0; k <= steps; ++k) {
        const double angle = kHalfPi * k / steps;
        profile.z.push_back(RowZ(side, k, steps));
        profile.out.push_back(side.round ? std::cos(angle) : side.depth);
        profile.up.push_back(sign * (side.round ? std::sin(angle) : 1.0));
        profile.length.push_back(Length(profile.out.back(), profile.up.back()));
    }
    return profile;
}

// Vertices of one column of a strip (rows 0..steps at one ring point, where the strip is the given
// width); returns the first.
uint32_t AddColumn(const BevelRing& ring, size_t i, float width, const Profile& profile, Normal2 n,
                   BevelMeshWriter& out) {
    const size_t count = ring.outline.size();
    uint32_t first = 0;
    for (size_t k = 0; k < profile.z.size(); ++k) {
        const double up = profile.up[k] * (profile.upPerWidth ? width : 1.0);
        const double length = profile.upPerWidth ? Length(profile.out[k], up) : profile.length[k];
        const uint32_t v = out.Add(ring.rows[k * count + i], profile.z[k],
                                   static_cast<float>(n.x * profile.out[k] / length),
                                   static_cast<float>(n.y * profile.out[k] / length),
                                   static_cast<float>(up / length));
        first = k == 0 ? v : first;
    }
    return first;
}

void AddStrips(const BevelRing& ring, const std::vector<Normal2>& atStart,
               const std::vector<Normal2>& atEnd, const Side& side, int steps,
               BevelMeshWriter& out) {
    const size_t n = ring.outline.size();
    const Profile profile = RingProfile(side, steps);
    std::vector<uint32_t> endColumn(n);
    for (size_t e = 0; e < n; ++e) {
        const size_t end = (e + 1) % n;
        endColumn[e] = AddColumn(ring, end, ring.widths[end].in, profile, atEnd[e], out);
    }
    for (size_t e = 0; e < n; ++e) {
        const size_t before = (e + n - 1) % n;
        const BevelSideWidths& widths = ring.widths[e];
        // A chamfer's normal leans with its strip's width.
        const bool shared =
            atEnd[before] == atStart[e] && (!profile.upPerWidth || widths.in == widths.out);
        const uint32_t a =
            shared ? endColumn[before] : AddColumn(ring, e, widths.out, profile, atStart[e], out);
        const uint32_t b = endColumn[e];
        // Between two copies of a round corner the strip starts from a point.
        const bool fan = SamePlace(ring.rows[e], ring.rows[(e + 1) % n]);
        for (uint32_t k = 0; k < static_cast<uint32_t>(steps); ++k) {
            if (k > 0 || !fan) {
                out.StripTriangle(a + k, b + k, b + k + 1, side.back);
            }
            out.StripTriangle(a + k, b + k + 1, a + k + 1, side.back);
        }
    }
}

// The normal of a round corner's copy i: that of the edge beside it with a length, or the way
// from its inset point out to the corner.
Normal2 RoundCornerColumnNormal(const BevelRing& ring, const std::vector<Normal2>& normals,
                                size_t i) {
    const size_t n = ring.outline.size();
    const size_t before = (i + n - 1) % n;
    const OutlinePoint& p = ring.rows[i];
    if (!SamePlace(ring.rows[before], p)) {
        return normals[before];
    }
    if (!SamePlace(ring.rows[(i + 1) % n], p)) {
        return normals[i];
    }
    const OutlinePoint& inset = ring.rows[ring.rows.size() - n + i];
    const float dx = p.x - inset.x, dy = p.y - inset.y;
    const float length = std::sqrt(dx * dx + dy * dy);
    return length > 0.0f ? Normal2{dx / length, dy / length} : Normal2{0.0f, 0.0f};
}

// Points added along an edge split the wall's top; its foot stays whole where it meets the
// unbevelled back face, which has the face's own corners only.
void AddRingWalls(const std::vector<OutlinePoint>& points, const std::vector<uint32_t>& source,
                  const std::vector<Normal2>& atStart, const std::vector<Normal2>& atEnd,
                  float zTop, float zBottom, bool splitFoot, BevelMeshWriter& out) {
    const size_t n = points.size();
    auto pair = [&](size_t i, Normal2 normal) {
        const uint32_t top = out.Add(points[i], zTop, normal.x, normal.y, 0.0f);
        out.Add(points[i], zBottom, normal.x, normal.y, 0.0f);
        return top;
    };
    // The copies of a round corner have no wall between them.
    auto none = [&](size_t e) { return SamePlace(points[e], points[(e + 1) % n]); };
    std::vector<uint32_t> endPair(n);
    for (size_t e = 0; e < n; ++e) {
        endPair[e] = none(e) ? 0 : pair((e + 1) % n, atEnd[e]);
    }
    uint32_t foot = 0;  // at the last of the face's own corners
    for (size_t e = 0; e < n; ++e) {
        if (none(e)) {
            continue;
        }
        const size_t before = (e + n - 1) % n;
        const uint32_t a =
            !none(before) && atEnd[before] == atStart[e] ? endPair[before] : pair(e, atStart[e]);
        const uint32_t b = endPair[e];
        const bool addedFrom = source[e] == kAddedAlong;
        const bool addedTo = source[(e + 1) % n] == kAddedAlong;
        foot = addedFrom ? foot : a + 1;
        if (splitFoot || (!addedFrom && !addedTo)) {
            out.Triangle(a, a + 1, b + 1, false);
            out.Triangle(a, b + 1, b, false);
        } else {
            out.Triangle(a, foot, b, false);
            if (!addedTo) {
                out.Triangle(b, foot, b + 1, false);
            }
        }
    }
}

}  // namespace

GlyphMesh ExtrudeBevelled(const FaceTriangulation& face, const BevelledFace& inset, float depth,
                          const BevelSettings& bevel) {
    const float zTop = std::max(0.0f, -depth);
    const float zBottom = std::min(0.0f, -depth);
    const float thickness = zTop - zBottom;
    if (!bevel.Active() || !(thickness > 0.0f)) {
        return ExtrudeFaces(face, depth);
    }
    // The walls keep a tenth of the solid's depth at least.
    const float bevelDepth =
        std::min(std::min(bevel.depth, kMaxBevelSize), (bevel.backToo ? 0.45f : 0.9f) * thickness);
    const bool round = bevel.profile == BevelProfile::kRound;
    const int steps = inset.steps;
    GlyphMesh mesh;
    // Room for the most the rings can take (every column its own), so the mesh grows once.
    const size_t sides = bevel.backToo ? 2 : 1;
    size_t ringPoints = 0;
    for (const BevelRing& ring : inset.rings) {
        ringPoints += ring.outline.size();
    }
    const size_t faceVertices = bevel.backToo ? inset.capVertices.size() : face.vertices.size();
    const size_t faceIndices = bevel.backToo ? inset.capTriangles.size() : face.triangles.size();
    mesh.vertices.reserve(inset.capVertices.size() + faceVertices +
                          ringPoints * (4 + 2 * sides * static_cast<size_t>(steps + 1)));
    mesh.indices.reserve(inset.capTriangles.size() + faceIndices +
                         ringPoints * 6 * (1 + sides * static_cast<size_t>(steps)));
    BevelMeshWriter out(mesh);
    AddFace(inset.capVertices, inset.capTriangles, zTop, false, out);
    if (bevel.backToo) {
        AddFace(inset.capVertices, inset.capTriangles, zBottom, true, out);
    } else {
        AddFace(face.vertices, face.triangles, zBottom, true, out);
    }
    for (const BevelRing& ring : inset.rings) {
        const size_t n = ring.outline.size();
        std::vector<OutlinePoint> points(n);
        for (size_t i = 0; i < n; ++i) {
            points[i] = ring.rows[i];
        }
        std::vector<Normal2> normals(n), atStart(n), atEnd(n);
        for (size_t e = 0; e < n; ++e) {
            normals[e] = OutwardNormal(points[e], points[(e + 1) % n]);
        }
        const bool bevelled = ring.rows.size() > n;
        for (size_t e = 0; e < n; ++e) {
            const size_t before = (e + n - 1) % n;
            const size_t after = (e + 1) % n;
            atStart[e] = points[e].smooth ? Blend(normals[e], normals[before]) : normals[e];
            atEnd[e] = points[after].smooth ? Blend(normals[e], normals[after]) : normals[e];
            if (bevelled && SamePlace(points[e], points[after])) {
                atStart[e] = RoundCornerColumnNormal(ring, normals, e);
                atEnd[e] = RoundCornerColumnNormal(ring, normals, after);
            }
        }
        const Side front{zTop, bevelled ? zTop - bevelDepth : zTop, bevelDepth, false, round};
        const Side back{zBottom, bevelled && bevel.backToo ? zBottom + bevelDepth : zBottom,
                        bevelDepth, true, round};
        AddRingWalls(points, ring.outline, atStart, atEnd, front.wallEnd, back.wallEnd,
                     bevel.backToo, out);
        if (bevelled) {
            AddStrips(ring, atStart, atEnd, front, steps, out);
            if (bevel.backToo) {
                AddStrips(ring, atStart, atEnd, back, steps, out);
            }
        }
    }
    return mesh;
}
