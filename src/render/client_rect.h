#pragma once

#include <algorithm>
#include <cstdint>

// A rectangle of the view in window pixels, counted from the top-left corner; all zero when not
// in use. A drag leaves its corners in any order.
struct ClientRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    // The same rectangle with left <= right and top <= bottom.
    ClientRect Ordered() const {
        return {std::min(left, right), std::min(top, bottom), std::max(left, right),
                std::max(top, bottom)};
    }
    int32_t Width() const { return right > left ? right - left : left - right; }
    int32_t Height() const { return bottom > top ? bottom - top : top - bottom; }
};
