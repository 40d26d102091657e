#include "text/sliver_flips.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "text/integer_geometry.h"

namespace {

constexpr uint32_t kShared = std::numeric_limits<uint32_t>::max();

int64_t SquaredDistance(const GridPoint& a, const GridPoint& b) {
    const int64_t dx = b.x - a.x, dy = b.y - a.y;
    return dx * dx + dy * dy;
}

uint64_t Key(uint32_t from, uint32_t to) {
    return uint64_t{from} << 32 | to;
}

// Which triangle owns each directed edge: open addressing in one array, as a face's few thousand
// edges would otherwise take an allocation each.
class EdgeOwners {
  public:
    explicit EdgeOwners(size_t count) {
        size_t size = 16;
        while (size < 2 * count) {
            size *= 2;
        }
        slots_.assign(size, {kEmpty, 0});
    }

    // The owner of key, or nullptr.
    const uint32_t* Find(uint64_t key) const {
        const Slot& slot = slots_[SlotOf(key)];
        return slot.key == key ? &slot.owner : nullptr;
    }
    // Whether key was missing; it then gets owner.
    bool Insert(uint64_t key, uint32_t owner) {
        Slot& slot = slots_[SlotOf(key)];
        if (slot.key == key) {
            return false;
        }
        slot = {key, owner};
        return true;
    }
    void Set(uint64_t key, uint32_t owner) { slots_[SlotOf(key)] = {key, owner}; }
    void Erase(uint64_t key) {
        size_t hole = SlotOf(key);
        if (slots_[hole].key != key) {
            return;
        }
        // Later keys of the same run move back into the hole when their home lies at or before it.
        const size_t mask = slots_.size() - 1;
        for (size_t next = (hole + 1) & mask; slots_[next].key != kEmpty;
             next = (next + 1) & mask) {
            const size_t home = Home(slots_[next].key);
            if (((next - home) & mask) >= ((next - hole) & mask)) {
                slots_[hole] = slots_[next];
                hole = next;
            }
        }
        slots_[hole].key = kEmpty;
    }

  private:
    static constexpr uint64_t kEmpty = std::numeric_limits<uint64_t>::max();
    struct Slot {
        uint64_t key;
        uint32_t owner;
    };

    size_t Home(uint64_t key) const {
        return static_cast<size_t>((key * 0x9E3779B97F4A7C15ULL) >> 32) & (slots_.size() - 1);
    }
    // The slot holding key, or the empty one ending its run.
    size_t SlotOf(uint64_t key) const {
        const size_t mask = slots_.size() - 1;
        size_t k = Home(key);
        while (slots_[k].key != key && slots_[k].key != kEmpty) {
            k = (k + 1) & mask;
        }
        return k;
    }

    std::vector<Slot> slots_;
};

// Height over the longest edge, and the corner (0..2) facing that edge.
struct Shape {
    double height = 0.0;
    int apex = 0;
};

Shape ShapeOf(const std::vector<GridPoint>& points, const uint32_t* corner) {
    Shape shape;
    // Exact squared lengths pick the same edge as the lengths, with one root in place of three.
    int64_t longest = -1;
    for (int k = 0; k < 3; ++k) {
        const int64_t length2 =
            SquaredDistance(points[corner[(k + 1) % 3]], points[corner[(k + 2) % 3]]);
        if (length2 > longest) {
            longest = length2;
            shape.apex = k;
        }
    }
    const GridPoint& a = points[corner[(shape.apex + 1) % 3]];
    const GridPoint& b = points[corner[(shape.apex + 2) % 3]];
    const double length =
        std::hypot(static_cast<double>(b.x - a.x), static_cast<double>(b.y - a.y));
    const auto area =
        static_cast<double>(Orientation(points[corner[0]], points[corner[1]], points[corner[2]]));
    shape.height = length > 0.0 ? area / length : 0.0;
    return shape;
}

// Lower than kMinTriangleHeight. Most triangles are far higher, which their squared height,
// area^2 over the longest side's length^2, shows without taking a root: the margin is far wider
// than rounding could move either side.
bool IsSliver(const std::vector<GridPoint>& points, const uint32_t* corner) {
    int64_t longest = 0;
    for (int k = 0; k < 3; ++k) {
        longest =
            std::max(longest, SquaredDistance(points[corner[k]], points[corner[(k + 1) % 3]]));
    }
    const auto area =
        static_cast<double>(Orientation(points[corner[0]], points[corner[1]], points[corner[2]]));
    constexpr double kClearly = 1.001 * kMinTriangleHeight * kMinTriangleHeight;
    if (area > 0.0 && area * area > kClearly * static_cast<double>(longest)) {
        return false;
    }
    return ShapeOf(points, corner).height < kMinTriangleHeight;
}

class Flipper {
  public:
    Flipper(const std::vector<GridPoint>& points, std::vector<uint32_t>& triangles, size_t first)
        : points_(points),
          corners_(triangles.data() + first),
          count_(static_cast<uint32_t>((triangles.size() - first) / 3)),
          owner_(3 * size_t{count_}) {
        for (uint32_t t = 0; t < count_; ++t) {
            for (int k = 0; k < 3; ++k) {
                if (!owner_.Insert(EdgeKey(t, k), t)) {
                    owner_.Set(EdgeKey(t, k), kShared);
                }
            }
        }
    }

    void Run() {
        std::vector<uint32_t> queue;
        for (uint32_t t = 0; t < count_; ++t) {
            queue.push_back(t);
        }
        // Every flip raises the lower of two heights, so this is only a guard.
        size_t budget = 8 * count_ + 16;
        while (!queue.empty() && budget > 0) {
            const uint32_t t = queue.back();
            queue.pop_back();
            if (IsSliver(points_, Corners(t)) && Flip(t, queue)) {
                --budget;
            }
        }
    }

  private:
    uint32_t* Corners(uint32_t t) const { return corners_ + 3 * size_t{t}; }
    uint64_t EdgeKey(uint32_t t, int k) const {
        return Key(Corners(t)[k], Corners(t)[(k + 1) % 3]);
    }
    bool Owns(uint32_t t) const {
        for (int k = 0; k < 3; ++k) {
            const uint32_t* owner = owner_.Find(EdgeKey(t, k));
            if (owner == nullptr || *owner != t) {
                return false;
            }
        }
        return true;
    }

    bool Flip(uint32_t t, std::vector<uint32_t>& queue) {
        const uint32_t* tc = Corners(t);
        const Shape shape = ShapeOf(points_, tc);
        const uint32_t c = tc[shape.apex], a = tc[(shape.apex + 1) % 3],
                       b = tc[(shape.apex + 2) % 3];
        const uint32_t* across = owner_.Find(Key(b, a));
        if (across == nullptr || *across == kShared || !Owns(t) || !Owns(*across)) {
            return false;
        }
        const uint32_t u = *across;
        const uint32_t* uc = Corners(u);
        uint32_t d = uc[0];
        for (int k = 0; k < 3; ++k) {
            d = uc[k] != a && uc[k] != b ? uc[k] : d;
        }
        if (owner_.Find(Key(c, d)) != nullptr || owner_.Find(Key(d, c)) != nullptr) {
            return false;
        }
        const uint32_t first[3] = {c, a, d}, second[3] = {c, d, b};
        const GridPoint &pa = points_[a], &pb = points_[b], &pc = points_[c], &pd = points_[d];
        if (Orientation(pc, pa, pd) <= 0 || Orientation(pc, pd, pb) <= 0) {
            return false;  // the two do not make a convex quad
        }
        const double before = std::min(shape.height, ShapeOf(points_, uc).height);
        if (std::min(ShapeOf(points_, first).height, ShapeOf(points_, second).height) <= before) {
            return false;
        }
        for (const uint32_t old : {t, u}) {
            for (int k = 0; k < 3; ++k) {
                owner_.Erase(EdgeKey(old, k));
            }
        }
        std::copy(first, first + 3, Corners(t));
        std::copy(second, second + 3, Corners(u));
        for (const uint32_t now : {t, u}) {
            for (int k = 0; k < 3; ++k) {
                owner_.Set(EdgeKey(now, k), now);
            }
            queue.push_back(now);
        }
        return true;
    }

    const std::vector<GridPoint>& points_;
    uint32_t* corners_;
    uint32_t count_;
    EdgeOwners owner_;
};

}  // namespace

void FlipSlivers(const std::vector<GridPoint>& points, std::vector<uint32_t>& triangles,
                 size_t first) {
    // Most faces have none; they skip building the edge map.
    for (size_t t = first; t + 2 < triangles.size(); t += 3) {
        if (IsSliver(points, &triangles[t])) {
            Flipper(points, triangles, first).Run();
            return;
        }
    }
}
