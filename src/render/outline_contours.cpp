#include "render/outline_contours.h"

#include <cstddef>

double SignedArea(const OutlineContour& contour) {
    double twiceArea = 0.0;
    const std::size_t n = contour.size();
    for (std::size_t i = 0; i < n; ++i) {
        const OutlinePoint& a = contour[i];
        const OutlinePoint& b = contour[(i + 1) % n];
        twiceArea += static_cast<double>(a.x) * b.y - static_cast<double>(b.x) * a.y;
    }
    return twiceArea / 2.0;
}
