#include "text/bevel_widths.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <tuple>
#include <utility>

#include "text/grid_cells.h"

namespace {

// Two parts of the outline facing each other each take this share of their half of the room
// between them, so their bevels' inner edges keep apart.
constexpr double kShare = 0.97;
// And this many grid steps less, for the rounding of inset points to the grid.
constexpr double kRoundingRoom = 2.0;
// Narrower than this many grid steps a strip cannot keep its corners apart.
constexpr double kNarrowest = 4.0;
constexpr double kMostCellsAcross = 64.0;
// How much the width may change along a unit of outline: steeply, so that beside a narrowed
// corner the width rises again within the short piece up to the first point along its edge.
constexpr double kSlope = 20.0;
// Shares of a split corner's two widths tried in turn, should its inset point come too near the
// rest of the outline.
constexpr double kSplitShares[] = {1.0, 0.95, 0.9, 0.85};
// Points where the room along an edge grows or falls past the width lie this many widths on the
// roomy side.
constexpr double kPastRoomEnd = 0.02;
// Grid steps off an edge's line a point along it may lie.
constexpr double kOnOwnLine = 16.0;

PlaneVector At(const GridPoint& p) {
    return {static_cast<double>(p.x), static_cast<double>(p.y)};
}

double Dot(PlaneVector u, PlaneVector v) {
    return u.x * v.x + u.y * v.y;
}

PlaneVector Minus(PlaneVector u, PlaneVector v) {
    return {u.x - v.x, u.y - v.y};
}

// An edge with its direction, squared length and unit normal (zero for an edge of no length),
// found once rather than for every corner near it.
struct Edge {
    PlaneVector a, b;
    size_t ring, corner;  // the corner it starts from
    PlaneVector along, n;
    double length2;
};

Edge EdgeFrom(const GridPoint& from, const GridPoint& to, size_t ring, size_t corner) {
    Edge e{At(from), At(to), ring, corner, Minus(At(to), At(from)), {0.0, 0.0}, 0.0};
    e.length2 = Dot(e.along, e.along);
    if (e.length2 > 0.0) {
        const double length = std::sqrt(e.length2);
        e.n = {-e.along.y / length, e.along.x / length};
    }
    return e;
}

// The least positive root of a w^2 + b w + c, or `none`.
double LeastPositiveRoot(double a, double b, double c, double none) {
    if (std::abs(a) < 1e-12) {
        return b < 0.0 ? -c / b : none;
    }
    const double discriminant = b * b - 4.0 * a * c;
    if (discriminant < 0.0) {
        return none;
    }
    const double root = std::sqrt(discriminant);
    double best = none;
    for (double w : {(-b - root) / (2.0 * a), (-b + root) / (2.0 * a)}) {
        if (w > 0.0 && w < best) {
            best = w;
        }
    }
    return best;
}

// The least w up to `limit` at which p + w m comes as near to segment ab as w: where a circle
// touching the corner's own edges there first touches this edge.
double FirstContact(PlaneVector p, PlaneVector m, const Edge& e, double limit) {
    double best = limit;
    for (PlaneVector end : {e.a, e.b}) {
        const PlaneVector d = Minus(p, end);
        best = std::min(best, LeastPositiveRoot(Dot(m, m) - 1.0, 2.0 * Dot(m, d), Dot(d, d), best));
    }
    const PlaneVector along = e.along;
    const double length2 = e.length2;
    if (length2 == 0.0) {
        return best;
    }
    const PlaneVector n = e.n;
    const double s0 = Dot(n, Minus(p, e.a)), s1 = Dot(n, m);
    // Distance to the edge's line s0 + w s1, equal to w on either side of it.
    for (double w :
         {1.0 - s1 != 0.0 ? s0 / (1.0 - s1) : -1.0, 1.0 + s1 != 0.0 ? -s0 / (1.0 + s1) : -1.0}) {
        if (w > 0.0 && w < best) {
            const PlaneVector q{p.x + w * m.x, p.y + w * m.y};
            const double t = Dot(Minus(q, e.a), along) / length2;
            if (t >= 0.0 && t <= 1.0) {
                best = w;
            }
        }
    }
    return best;
}

// The squared distance from q to segment e.
double SquaredDistance(PlaneVector q, const Edge& e) {
    const PlaneVector d = Minus(q, e.a);
    const double t = e.length2 > 0.0 ? std::clamp(Dot(d, e.along) / e.length2, 0.0, 1.0) : 0.0;
    const PlaneVector off{d.x - t * e.along.x, d.y - t * e.along.y};
    return Dot(off, off);
}

// Whether segment e lies too far from p for FirstContact to find anything below `limit`: the
// circles it tries are those of radius `limit` about p + limit m shrunk towards p, so all lie
// within limit * max(|m|, 1) of that circle's centre. The margin covers the roots' rounding.
bool BeyondContact(PlaneVector p, PlaneVector m, double miterLength, const Edge& e, double limit) {
    const double radius = 1.02 * limit * std::max(miterLength, 1.0) + 64.0;
    return SquaredDistance({p.x + limit * m.x, p.y + limit * m.y}, e) > radius * radius;
}

// How far along the ray from p in the unit direction d it meets segment e, or very far.
double RayHit(PlaneVector p, PlaneVector d, const Edge& e) {
    const PlaneVector along = e.along;
    const double across = d.x * along.y - d.y * along.x;
    if (across == 0.0) {
        return 1e300;
    }
    const PlaneVector g = Minus(e.a, p);
    const double s = (g.x * along.y - g.y * along.x) / across;
    const double t = (g.x * d.y - g.y * d.x) / across;
    return s > 0.0 && t >= 0.0 && t <= 1.0 ? s : 1e300;
}

struct PlaneBox {
    double minX, minY, maxX, maxY;
};

PlaneBox Around(PlaneVector a, PlaneVector b, double radius) {
    return {std::min(a.x, b.x) - radius, std::min(a.y, b.y) - radius, std::max(a.x, b.x) + radius,
            std::max(a.y, b.y) + radius};
}

PlaneBox Joined(const PlaneBox& u, const PlaneBox& v) {
    return {std::min(u.minX, v.minX), std::min(u.minY, v.minY), std::max(u.maxX, v.maxX),
            std::max(u.maxY, v.maxY)};
}

PlaneBox Common(const PlaneBox& u, const PlaneBox& v) {
    return {std::max(u.minX, v.minX), std::max(u.minY, v.minY), std::min(u.maxX, v.maxX),
            std::min(u.maxY, v.maxY)};
}

// Edges in cells, to find those near a point.
class EdgeCells {
  public:
    EdgeCells(const std::vector<InsetRing>& rings, double cell) {
        size_t count = 0;
        for (const InsetRing& ring : rings) {
            count += ring.outline.size();
        }
        edges_.reserve(count);
        ends_.reserve(count);
        for (size_t r = 0; r < rings.size(); ++r) {
            const std::vector<GridPoint>& p = rings[r].outline;
            for (size_t i = 0; i < p.size(); ++i) {
                const GridPoint& next = p[i + 1 < p.size() ? i + 1 : 0];
                edges_.push_back(EdgeFrom(p[i], next, r, i));
                ends_.push_back({p[i], next});
            }
        }
        if (edges_.empty()) {
            return;
        }
        int64_t minX = ends_[0].a.x, maxX = minX, minY = ends_[0].a.y, maxY = minY;
        for (const Ends& e : ends_) {
            minX = std::min(minX, e.a.x);
            maxX = std::max(maxX, e.a.x);
            minY = std::min(minY, e.a.y);
            maxY = std::max(maxY, e.a.y);
        }
        // However narrow the bevel, a few thousand cells at most.
        const double extent = static_cast<double>(std::max(maxX - minX, maxY - minY));
        layout_.Fit(minX, minY, maxX, maxY, std::max({cell, 1.0, extent / kMostCellsAcross}));
        std::vector<uint32_t> order(edges_.size());
        for (uint32_t k = 0; k < order.size(); ++k) {
            order[k] = k;
        }
        cells_.Fill(order, layout_.CellCount(), [this](uint32_t k, auto add) {
            const Ends& e = ends_[k];
            const int64_t r0 = layout_.Row(std::min(e.a.y, e.b.y));
            const int64_t r1 = layout_.Row(std::max(e.a.y, e.b.y));
            const int64_t c0 = layout_.Column(std::min(e.a.x, e.b.x));
            const int64_t c1 = layout_.Column(std::max(e.a.x, e.b.x));
            for (int64_t row = r0; row <= r1; ++row) {
                for (int64_t column = c0; column <= c1; ++column) {
                    add(layout_.Cell(column, row));
                }
            }
        });
        seen_.assign(edges_.size(), 0);
        found_.resize(edges_.size() + 1);
    }

    const std::vector<Edge>& edges() const { return edges_; }

    // Where a search of the cells reaching `box` first meets edge f: row, column and the edge's
    // place, which in that order sort the edges as the search visits them.
    std::tuple<int64_t, int64_t, size_t> FirstMet(const Edge& f, const PlaneBox& box) const {
        const size_t k = static_cast<size_t>(&f - edges_.data());
        const Ends& e = ends_[k];
        return {std::max(layout_.Row(static_cast<int64_t>(std::floor(box.minY))),
                         layout_.Row(std::min(e.a.y, e.b.y))),
                std::max(layout_.Column(static_cast<int64_t>(std::floor(box.minX))),
                         layout_.Column(std::min(e.a.x, e.b.x))),
                k};
    }

    // Calls visit(edge) once for each edge in the cells reaching the box from a to b grown by
    // radius.
    template <typename Visit>
    void Near(PlaneVector a, PlaneVector b, double radius, Visit visit) {
        Within(Around(a, b, radius), visit);
    }

    // The same for the cells reaching the box.
    template <typename Visit>
    void Within(const PlaneBox& box, Visit visit) {
        if (edges_.empty()) {
            return;
        }
        ++stamp_;
        const int64_t c0 = layout_.Column(static_cast<int64_t>(std::floor(box.minX)));
        const int64_t c1 = layout_.Column(static_cast<int64_t>(std::ceil(box.maxX)));
        const int64_t r0 = layout_.Row(static_cast<int64_t>(std::floor(box.minY)));
        const int64_t r1 = layout_.Row(static_cast<int64_t>(std::ceil(box.maxY)));
        // Gathered first without a branch on whether each was seen, which mispredicts often.
        size_t count = 0;
        for (int64_t row = r0; row <= r1; ++row) {
            const uint32_t end = cells_.Start(layout_.Cell(c1, row) + 1);
            for (uint32_t k = cells_.Start(layout_.Cell(c0, row)); k < end; ++k) {
                const uint32_t edge = cells_[k];
                found_[count] = edge;
                count += seen_[edge] != stamp_ ? 1 : 0;
                seen_[edge] = stamp_;
            }
        }
        for (size_t i = 0; i < count; ++i) {
            visit(edges_[found_[i]]);
        }
    }

  private:
    struct Ends {
        GridPoint a, b;
    };

    CellLayout layout_;
    CellContents<uint32_t> cells_;
    std::vector<Edge> edges_;
    std::vector<Ends> ends_;
    std::vector<uint32_t> seen_;
    std::vector<uint32_t> found_;  // by the last search, once each, in the order first met
    uint32_t stamp_ = 0;
};

// Whether edge e is one of the two edges of corner i of ring r, which has n corners.
bool IsOwnEdge(const Edge& e, size_t r, size_t i, size_t n) {
    return e.ring == r && (e.corner == i || (e.corner + 1 < n ? e.corner + 1 : 0) == i);
}

double Allowed(double contact) {
    return std::max(0.0, kShare * contact - kRoundingRoom);
}

// Lowers the two ends' widths of an edge, least in total, until at fraction t along it the
// width running straight between them is at most `most`.
void Lower(double& from, double& to, double t, double most) {
    const double excess = (1.0 - t) * from + t * to - most;
    if (excess <= 0.0) {
        return;
    }
    const double weights = (1.0 - t) * (1.0 - t) + t * t;
    from = std::max(0.0, from - excess * (1.0 - t) / weights);
    to = std::max(0.0, to - excess * t / weights);
}

// Where along the line c + t d (d a unit vector) a point lies nearer than r to segment f: one
// interval, as the points that near make a convex region.
std::optional<std::pair<double, double>> NearerThan(PlaneVector c, PlaneVector d, const Edge& f,
                                                    double r) {
    double from = 1e300, to = -1e300;
    for (PlaneVector end : {f.a, f.b}) {
        const PlaneVector g = Minus(c, end);
        const double half = Dot(g, d);
        const double discriminant = half * half - Dot(g, g) + r * r;
        if (discriminant > 0.0) {
            const double root = std::sqrt(discriminant);
            from = std::min(from, -half - root);
            to = std::max(to, -half + root);
        }
    }
    if (f.length2 > 0.0) {
        // Beside the segment: |(x - a) . n| < r and 0 <= (x - a) . along <= length2.
        const PlaneVector g = Minus(c, f.a);
        double least = -1e300, most = 1e300;
        auto keep = [&](double offset, double slope, double low, double high) {
            if (slope == 0.0) {
                most = offset > low && offset < high ? most : -1e300;
                return;
            }
            const double t0 = (low - offset) / slope, t1 = (high - offset) / slope;
            least = std::max(least, std::min(t0, t1));
            most = std::min(most, std::max(t0, t1));
        };
        keep(Dot(g, f.n), Dot(d, f.n), -r, r);
        keep(Dot(g, f.along), Dot(d, f.along), 0.0, f.length2);
        if (least < most) {
            from = std::min(from, least);
            to = std::max(to, most);
        }
    }
    return from < to ? std::optional<std::pair<double, double>>({from, to}) : std::nullopt;
}

// Adds to facing, along each edge with a narrowed end, where the room grows or falls past the
// width: where a circle as wide as the bevel, touching the edge, starts or stops fitting, a little
// on the roomy side. Its centre runs along the inward parallel and each other edge keeps it out of
// one interval; a point at each end of their union lets the roomy pieces keep the width at both
// ends. Only there, and where corners of other parts face the edge, may the width change along it.
void AddRoomEnds(double width, double across, EdgeCells& cells,
                 const std::vector<std::vector<SideWidths>>& widths,
                 std::vector<std::vector<FacingCorner>>& facing) {
    // A grid step less, so that the edges along the same line, which the circle only touches,
    // leave it room.
    const double radius = width - 1.0;
    const double past = kPastRoomEnd * width;
    std::vector<std::pair<double, double>> blocked;
    for (const Edge& e : cells.edges()) {
        const std::vector<SideWidths>& ring = widths[e.ring];
        const size_t next = e.corner + 1 < ring.size() ? e.corner + 1 : 0;
        if (e.length2 == 0.0 || std::min(ring[e.corner].out, ring[next].in) >= width) {
            continue;
        }
        const double length = std::sqrt(e.length2);
        const PlaneVector d{e.along.x / length, e.along.y / length};
        const PlaneVector c{e.a.x + radius * e.n.x, e.a.y + radius * e.n.y};
        blocked.clear();
        cells.Near(e.a, e.b, across, [&](const Edge& f) {
            if (&f == &e) {
                return;
            }
            if (const auto t = NearerThan(c, d, f, radius);
                t && t->second > 0.0 && t->first < length) {
                blocked.push_back(*t);
            }
        });
        std::sort(blocked.begin(), blocked.end());
        double reached = -1e300;
        auto add = [&](double s) {
            if (s > 0.0 && s < length) {
                facing[e.ring].push_back({e.corner, s, 0.0});
            }
        };
        for (const auto& [from, to] : blocked) {
            if (from > reached) {
                add(reached + past);
                add(from - past);
            }
            reached = std::max(reached, to);
        }
        add(reached + past);
    }
}

// What corner i of ring r leaves room for with its inset point moving from p along m, and how far
// along m its ray first meets another part of the outline.
struct Contact {
    double width, hit;
};

Contact ContactAlong(EdgeCells& cells, size_t r, size_t i, size_t n, PlaneVector p, PlaneVector m,
                     double width) {
    const double miterLength = Length(m.x, m.y);
    const double reach = width * (miterLength + 1.0);
    double contact = (width + kRoundingRoom) / kShare;  // allows the full width
    const PlaneVector along = miterLength > 0.0 ? PlaneVector{m.x / miterLength, m.y / miterLength}
                                                : PlaneVector{0.0, 0.0};
    double hit = 1e300;
    // Only edges within the circles the contact search tries, or crossing the stretch of the ray
    // that could narrow the width, can change either; the margins cover rounding.
    const PlaneVector centre{p.x + contact * m.x, p.y + contact * m.y};
    const double rayReach =
        2.04 * (width * std::max(miterLength, 1.0) + kRoundingRoom) / kShare + 64.0;
    const PlaneBox searched =
        Common(Around(p, p, reach),
               Joined(Around(p, centre, 1.02 * contact + 64.0),
                      Around(p, {p.x + rayReach * along.x, p.y + rayReach * along.y}, 64.0)));
    cells.Within(searched, [&](const Edge& e) {
        // The edges ending at the corner: at a round corner's copy, its neighbours' too, which
        // the circles only touch there, as rounding could make them seem to cut.
        if (IsOwnEdge(e, r, i, n) || (e.a.x == p.x && e.a.y == p.y) ||
            (e.b.x == p.x && e.b.y == p.y)) {
            return;
        }
        if (std::min(e.a.x, e.b.x) > searched.maxX || std::max(e.a.x, e.b.x) < searched.minX ||
            std::min(e.a.y, e.b.y) > searched.maxY || std::max(e.a.y, e.b.y) < searched.minY) {
            return;  // out of reach, or too far to matter
        }
        if (!BeyondContact(p, m, miterLength, e, contact)) {
            contact = FirstContact(p, m, e, contact);
        }
        hit = std::min(hit, RayHit(p, along, e));
    });
    return {contact, hit};
}

// Whether the inset point q of corner i of ring r, reached from p, keeps the room the greater of
// its widths needs from every other part of the outline, and half the room along its way there.
// The rest of its own edges, split by points along them, lie on the lines through a and b.
bool KeepsApart(EdgeCells& cells, size_t r, size_t i, size_t n, PlaneVector p, PlaneVector q,
                double greater, const Edge& a, const Edge& b) {
    const double room = (greater + kRoundingRoom) / kShare;
    const PlaneVector way = Minus(q, p);
    const double length = Length(way.x, way.y);
    const PlaneVector along{way.x / length, way.y / length};
    bool apart = true;
    cells.Near(p, q, room + 64.0, [&](const Edge& e) {
        if (IsOwnEdge(e, r, i, n)) {
            return;
        }
        for (const Edge* own : {&a, &b}) {
            if (std::abs(Dot(own->n, Minus(e.a, own->a))) <= kOnOwnLine &&
                std::abs(Dot(own->n, Minus(e.b, own->a))) <= kOnOwnLine) {
                return;
            }
        }
        apart = apart && SquaredDistance(q, e) >= room * room &&
                length <= Allowed(RayHit(p, along, e) / 2.0);
    });
    return apart;
}

std::vector<std::vector<SideWidths>> ContactWidths(const std::vector<InsetRing>& rings,
                                                   double width, EdgeCells& cells,
                                                   std::vector<std::vector<SideWidths>> known) {
    known.resize(rings.size());
    for (size_t r = 0; r < rings.size(); ++r) {
        known[r].resize(rings[r].outline.size(), {std::nan(""), std::nan("")});
    }
    for (size_t r = 0; r < rings.size(); ++r) {
        const InsetRing& ring = rings[r];
        const size_t n = ring.outline.size();
        for (size_t i = 0; i < n; ++i) {
            if (!std::isnan(known[r][i].out)) {
                continue;
            }
            const PlaneVector p = At(ring.outline[i]);
            const PlaneVector m = ring.miter[i];
            double one = known[r][i].in;
            if (std::isnan(one)) {
                const Contact mid = ContactAlong(cells, r, i, n, p, m, width);
                // A long miter (as at a hole's corner) reaches further in than the width: its
                // inset point keeps to its half of the room along it.
                one = std::min({width, Allowed(mid.width),
                                Allowed(mid.hit / 2.0) / std::max(Length(m.x, m.y), 1.0)});
            }
            known[r][i] = {one, one};
            const CornerSides& sides = ring.sides[i];
            if (!sides.split) {
                continue;
            }
            // Each edge as wide as a circle touching it at the corner leaves room for, where the
            // inset point that makes keeps apart from the rest.
            const Edge ending =
                EdgeFrom(ring.outline[i > 0 ? i - 1 : n - 1], ring.outline[i], r, i);
            const Edge starting =
                EdgeFrom(ring.outline[i], ring.outline[i + 1 < n ? i + 1 : 0], r, i);
            const double in =
                std::min(width, Allowed(ContactAlong(cells, r, i, n, p, ending.n, width).width));
            const double out =
                std::min(width, Allowed(ContactAlong(cells, r, i, n, p, starting.n, width).width));
            // Where that inset point comes too near the rest, one a little nearer the corner may
            // not: the wider edge then keeps more than the miter's one width.
            for (double share : kSplitShares) {
                const SideWidths w{in * share, out * share};
                const PlaneVector q{p.x + w.in * sides.in.x + w.out * sides.out.x,
                                    p.y + w.in * sides.in.y + w.out * sides.out.y};
                if (std::max(w.in, w.out) >= one &&
                    KeepsApart(cells, r, i, n, p, q, std::max(w.in, w.out), ending, starting)) {
                    known[r][i] = w;
                    break;
                }
            }
        }
    }
    return known;
}

// Whether corner k of a ring (its n edges from `ring` on) is a point added along an edge of the
// outline, reached from corner `from` stepping by `step` (1, or n - 1 back) while on the line of
// edge `line`, and not the corner ending it. An edge meeting that one at a corner does not pass
// those points: the miter between them parts their bevels.
bool AddedAlong(const Edge* ring, size_t n, const Edge& line, size_t from, size_t step, size_t k) {
    if (line.length2 == 0.0) {
        return false;
    }
    for (size_t j = from, walked = 0; walked < n; j = (j + step) % n, ++walked) {
        if (std::abs(Dot(line.n, Minus(ring[(j + step) % n].a, line.a))) > kOnOwnLine) {
            return false;
        }
        if (j == k) {
            return true;
        }
    }
    return false;
}

// The width of the edge starting at a corner: at one not split, the corner's one width (kept in
// `in`).
double& OutWidth(SideWidths& widths, const CornerSides& sides) {
    return sides.split ? widths.out : widths.in;
}

std::vector<std::vector<SideWidths>> CornerWidths(const std::vector<InsetRing>& rings, double width,
                                                  EdgeCells& cells,
                                                  std::vector<std::vector<SideWidths>> contacts,
                                                  std::vector<std::vector<FacingCorner>>* facing) {
    std::vector<std::vector<SideWidths>>& widths = contacts;
    // The room a circle of the full width needs, across.
    const double across = 2.0 * (width + kRoundingRoom) / kShare;
    // Between its corners an edge may pass a corner of some other part of the outline: there
    // the bevels of both get half the room between them.
    // Corners further than this leave more room than the full width: lowering to it changes
    // nothing, so only the strip this wide inside the edge is searched. Those found are taken in
    // the order a search of the whole box about the edge would meet them, as the lowerings add up
    // in that order.
    const double lowering = 1.01 * across + 64.0;
    struct Passed {
        std::tuple<int64_t, int64_t, size_t> met;
        double t, gap;
    };
    std::vector<Passed> passed;
    for (const Edge& e : cells.edges()) {
        if (e.length2 == 0.0) {
            continue;
        }
        const double length = std::sqrt(e.length2);
        const size_t count = rings[e.ring].outline.size();
        // The edges of a ring lie together in order.
        const Edge* ring = &e - e.corner;
        const size_t next = e.corner + 1 < count ? e.corner + 1 : 0;
        const size_t before = e.corner > 0 ? e.corner - 1 : count - 1;
        auto alongNeighbours = [&](const Edge& f) {
            return f.ring == e.ring &&
                   (AddedAlong(ring, count, ring[next], (next + 1) % count, 1, f.corner) ||
                    AddedAlong(ring, count, ring[before], before, count - 1, f.corner));
        };
        double& from = OutWidth(widths[e.ring][e.corner], rings[e.ring].sides[e.corner]);
        double& to = widths[e.ring][next].in;
        const PlaneVector in{e.n.x * lowering, e.n.y * lowering};
        const PlaneBox whole = Around(e.a, e.b, across);
        passed.clear();
        cells.Within(Joined(Around(e.a, e.b, 1.0), Around({e.a.x + in.x, e.a.y + in.y},
                                                          {e.b.x + in.x, e.b.y + in.y}, 1.0)),
                     [&](const Edge& f) {
                         const PlaneVector d = Minus(f.a, e.a);
                         // Grid points make this exact, so it tells 0 < t < 1 without dividing.
                         const double onto = Dot(d, e.along);
                         const double gap = Dot(e.n, d);
                         if (onto > 0.0 && onto < e.length2 && gap > 0.0 && gap < lowering &&
                             !alongNeighbours(f)) {
                             passed.push_back({cells.FirstMet(f, whole), onto / e.length2, gap});
                         }
                     });
        std::sort(passed.begin(), passed.end(),
                  [](const Passed& p, const Passed& q) { return p.met < q.met; });
        for (const Passed& p : passed) {
            Lower(from, to, p.t, Allowed(p.gap / 2.0));
            if (facing != nullptr && p.gap < across) {
                // The circle touching the edge there and through the corner is as wide as the
                // bevel this far either side.
                (*facing)[e.ring].push_back(
                    {e.corner, p.t * length, std::sqrt(p.gap * across - p.gap * p.gap)});
            }
        }
    }
    for (size_t r = 0; r < rings.size(); ++r) {
        for (size_t i = 0; i < widths[r].size(); ++i) {
            SideWidths& w = widths[r][i];
            for (double* side : {&w.in, &w.out}) {
                *side = *side < kNarrowest ? std::min(kNarrowest, width) : *side;
            }
        }
        SmoothAlong(rings[r].outline, rings[r].sides, widths[r]);
    }
    if (facing != nullptr) {
        AddRoomEnds(width, across, cells, widths, *facing);
        for (std::vector<FacingCorner>& list : *facing) {
            std::sort(list.begin(), list.end(), [](const FacingCorner& p, const FacingCorner& q) {
                return p.edge != q.edge ? p.edge < q.edge : p.at < q.at;
            });
        }
    }
    return widths;
}

}  // namespace

BevelWidths FindBevelWidths(const std::vector<InsetRing>& rings, double width,
                            std::vector<std::vector<SideWidths>> known,
                            std::vector<std::vector<FacingCorner>>* facing) {
    if (facing != nullptr) {
        facing->assign(rings.size(), {});
    }
    if (!(width > 0.0)) {
        known.resize(rings.size());
        for (size_t r = 0; r < rings.size(); ++r) {
            known[r].resize(rings[r].outline.size(), {std::nan(""), std::nan("")});
        }
        return {known, known};
    }
    // A corner's inset point reaches at most its miter's length times the width; edges further
    // than the width beyond that cannot come nearer to it than its own. One index serves both
    // passes, as the outline stays while the widths change.
    EdgeCells cells(rings, 2.0 * width);
    BevelWidths found;
    found.contacts = ContactWidths(rings, width, cells, std::move(known));
    found.corners = CornerWidths(rings, width, cells, found.contacts, facing);
    return found;
}

void SmoothAlong(const std::vector<GridPoint>& outline, const std::vector<CornerSides>& sides,
                 std::vector<SideWidths>& widths) {
    const size_t n = outline.size();
    if (n < 2) {
        return;
    }
    auto next = [n](size_t i) { return i + 1 < n ? i + 1 : 0; };
    std::vector<double> step(n);  // from corner i to the next
    for (size_t i = 0; i < n; ++i) {
        const GridPoint& a = outline[i];
        const GridPoint& b = outline[next(i)];
        step[i] = Length(static_cast<double>(b.x - a.x), static_cast<double>(b.y - a.y));
    }
    // Lowers one end of edge i to what the other allows, telling whether it did. The copies of a
    // round corner, no distance apart, each keep what their own circle allows.
    auto lower = [&](double from, double& to, double run) {
        const double allowed = from + kSlope * run;
        if (run == 0.0 || !(allowed < to)) {
            return false;
        }
        to = allowed;
        return true;
    };
    auto forward = [&](size_t i) {
        return lower(OutWidth(widths[i], sides[i]), widths[next(i)].in, step[i]);
    };
    auto backward = [&](size_t i) {
        return lower(widths[next(i)].in, OutWidth(widths[i], sides[i]), step[i]);
    };
    // Round each way, then on past the ring's seam as far as the effect carries: once a corner
    // keeps its width the second time, all after it do too.
    for (size_t i = 0; i < n; ++i) {
        forward(i);
    }
    for (size_t i = 0; i < n; ++i) {
        if (!forward(i)) {
            break;
        }
    }
    for (size_t i = n; i-- > 0;) {
        backward(i);
    }
    for (size_t i = n; i-- > 0;) {
        if (!backward(i)) {
            break;
        }
    }
    // At a corner not split, the one width was kept in `in`.
    for (size_t i = 0; i < n; ++i) {
        widths[i].out = sides[i].split ? widths[i].out : widths[i].in;
    }
}
