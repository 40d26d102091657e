#include "render/projection.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

double VerticalFieldOfViewDegrees(const FrustumPlanes& f) {
    return 2.0 * std::atan(f.top / f.zNear) * 180.0 / 3.141592653589793;
}

TEST(PerspectiveFrustum, FieldOfViewIsFiftyDegreesTimesThePerspective) {
    EXPECT_NEAR(VerticalFieldOfViewDegrees(PerspectiveFrustum(2.0 * 50, 1.0, 1.0, 75.0)), 100.0,
                1e-9);
    EXPECT_NEAR(VerticalFieldOfViewDegrees(PerspectiveFrustum(0.5 * 50, 1.0, 1.0, 75.0)), 25.0,
                1e-9);
}

TEST(PerspectiveFrustum, IsSymmetricAndWidenedByTheAspect) {
    const FrustumPlanes f = PerspectiveFrustum(50.0, 2.0, 1.0, 75.0);
    EXPECT_DOUBLE_EQ(f.bottom, -f.top);
    EXPECT_DOUBLE_EQ(f.left, -f.right);
    EXPECT_DOUBLE_EQ(f.right, 2.0 * f.top);
    EXPECT_DOUBLE_EQ(f.zNear, 1.0);
    EXPECT_DOUBLE_EQ(f.zFar, 75.0);
}

TEST(JitteredFrustum, ZeroOffsetsLeaveTheFrustumAlone) {
    const FrustumPlanes f = PerspectiveFrustum(50.0, 1.5, 1.0, 15.0);
    const FrustumPlanes j = JitteredFrustum(f, 300, 200, 0, 0, 0, 0, 1.0);
    EXPECT_DOUBLE_EQ(j.left, f.left);
    EXPECT_DOUBLE_EQ(j.right, f.right);
    EXPECT_DOUBLE_EQ(j.bottom, f.bottom);
    EXPECT_DOUBLE_EQ(j.top, f.top);
}

TEST(JitteredFrustum, SubPixelJitterShiftsByThatFractionOfAPixel) {
    const FrustumPlanes f = PerspectiveFrustum(50.0, 2.0, 1.0, 15.0);
    const FrustumPlanes j = JitteredFrustum(f, 400, 200, 0.5, 0.25, 0, 0, 1.0);
    const double pixelWidth = (f.right - f.left) / 400;
    const double pixelHeight = (f.top - f.bottom) / 200;
    EXPECT_NEAR(j.left, f.left - 0.5 * pixelWidth, 1e-12);
    EXPECT_NEAR(j.right, f.right - 0.5 * pixelWidth, 1e-12);
    EXPECT_NEAR(j.bottom, f.bottom - 0.25 * pixelHeight, 1e-12);
    EXPECT_NEAR(j.top, f.top - 0.25 * pixelHeight, 1e-12);
}

TEST(JitteredFrustum, EmptyViewportDoesNotDivideByZero) {
    const FrustumPlanes f = PerspectiveFrustum(50.0, 1.0, 1.0, 15.0);
    const FrustumPlanes j = JitteredFrustum(f, 0, 0, 0.5, 0.5, 0, 0, 1.0);
    EXPECT_TRUE(std::isfinite(j.left));
    EXPECT_TRUE(std::isfinite(j.top));
}

}  // namespace
