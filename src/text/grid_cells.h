#pragma once
// Square cells over a box of the integer grid, numbered row after row, their side a power of two
// so that finding a cell takes shifts rather than divisions; and items (points, or edges over
// the cells they cross) sorted into them cell after cell in one array, so that finding those
// near a place reads a few runs of it and building takes no allocation per cell.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

class CellLayout {
  public:
    // Cells over the box, each side the least power of two at least `side` steps.
    void Fit(int64_t minX, int64_t minY, int64_t maxX, int64_t maxY, double side) {
        minX_ = minX;
        minY_ = minY;
        maxX_ = maxX;
        maxY_ = maxY;
        shift_ = 0;
        while (static_cast<double>(int64_t{2} << shift_) <= side) {
            ++shift_;
        }
        columns_ = ((maxX - minX) >> shift_) + 1;
        rows_ = ((maxY - minY) >> shift_) + 1;
    }

    // Cells holding about one of count items spread over the box.
    void FitCount(int64_t minX, int64_t minY, int64_t maxX, int64_t maxY, size_t count) {
        const double area =
            (static_cast<double>(maxX - minX) + 1.0) * (static_cast<double>(maxY - minY) + 1.0);
        Fit(minX, minY, maxX, maxY,
            std::sqrt(area / static_cast<double>(std::max<size_t>(count, 1))));
    }

    // Places outside the box fall in the nearest cell.
    int64_t Column(int64_t x) const {
        return std::clamp<int64_t>((x - minX_) >> shift_, 0, columns_ - 1);
    }
    int64_t Row(int64_t y) const {
        return std::clamp<int64_t>((y - minY_) >> shift_, 0, rows_ - 1);
    }
    size_t Cell(int64_t column, int64_t row) const {
        return static_cast<size_t>(row * columns_ + column);
    }
    size_t CellOf(int64_t x, int64_t y) const { return Cell(Column(x), Row(y)); }
    size_t CellCount() const { return static_cast<size_t>(columns_ * rows_); }
    bool Misses(int64_t x0, int64_t y0, int64_t x1, int64_t y1) const {
        return x1 < minX_ || x0 > maxX_ || y1 < minY_ || y0 > maxY_;
    }
    int64_t minY() const { return minY_; }
    int shift() const { return shift_; }

  private:
    int64_t minX_ = 0, minY_ = 0, maxX_ = 0, maxY_ = 0;
    int64_t columns_ = 1, rows_ = 1;
    int shift_ = 0;
};

// Items sorted into the cells of a layout: those of cell c are items()[start(c)..start(c + 1)).
template <typename Item>
class CellContents {
  public:
    // forEachCell(item, add) calls add(cell) for every cell the item lies in.
    template <typename ForEachCell>
    void Fill(const std::vector<Item>& items, size_t cellCount, ForEachCell forEachCell) {
        start_.assign(cellCount + 1, 0);
        for (const Item& item : items) {
            forEachCell(item, [this](size_t cell) { ++start_[cell + 1]; });
        }
        for (size_t k = 1; k < start_.size(); ++k) {
            start_[k] += start_[k - 1];
        }
        fill_.assign(start_.begin(), start_.end() - 1);
        items_.resize(start_.back());
        for (const Item& item : items) {
            forEachCell(item, [this, &item](size_t cell) { items_[fill_[cell]++] = item; });
        }
    }

    void Clear() {
        start_.clear();
        items_.clear();
    }
    bool Empty() const { return items_.empty(); }
    uint32_t Start(size_t cell) const { return start_[cell]; }
    const Item* Begin(size_t cell) const { return items_.data() + start_[cell]; }
    const Item& operator[](size_t k) const { return items_[k]; }

  private:
    std::vector<uint32_t> start_, fill_;
    std::vector<Item> items_;
};
