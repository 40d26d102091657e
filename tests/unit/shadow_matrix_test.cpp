#include "render/shadow_matrix.h"

#include <gtest/gtest.h>

namespace {

struct Point {
    float x, y, z;
};

Point Project(const float m[16], Point p) {
    float out[4];
    for (int row = 0; row < 4; ++row) {
        out[row] = m[row] * p.x + m[4 + row] * p.y + m[8 + row] * p.z + m[12 + row];
    }
    return {out[0] / out[3], out[1] / out[3], out[2] / out[3]};
}

TEST(PlanarShadowMatrix, ParallelLightOntoGroundShearsAlongTheLight) {
    const float plane[4] = {0, 1, 0, 0};
    const float light[4] = {0, 1.5f, 1.5f, 0};
    float m[16];
    PlanarShadowMatrix(m, plane, light);
    const Point p = Project(m, {0.7f, 2.0f, -0.4f});
    EXPECT_NEAR(p.x, 0.7f, 1e-6);
    EXPECT_NEAR(p.y, 0.0f, 1e-6);
    EXPECT_NEAR(p.z, -0.4f - 2.0f, 1e-6);
    EXPECT_FLOAT_EQ(m[15], 1.5f);  // the homogeneous factor
}

TEST(PlanarShadowMatrix, PositionalLightProjectsCentrally) {
    const float plane[4] = {0, 1, 0, 0};
    const float light[4] = {0, 2, 0, 1};
    float m[16];
    PlanarShadowMatrix(m, plane, light);
    const Point p = Project(m, {0.25f, 1.0f, -3.0f});
    EXPECT_NEAR(p.x, 0.5f, 1e-6);
    EXPECT_NEAR(p.y, 0.0f, 1e-6);
    EXPECT_NEAR(p.z, -6.0f, 1e-6);
}

TEST(PlanarShadowMatrix, StorageIsColumnMajorElementByElement) {
    const float plane[4] = {1, 2, 3, 4};
    const float light[4] = {5, 6, 7, 8};
    float m[16];
    PlanarShadowMatrix(m, plane, light);
    const float dot = 1 * 5 + 2 * 6 + 3 * 7 + 4 * 8;
    EXPECT_FLOAT_EQ(m[0], dot - 5 * 1);
    EXPECT_FLOAT_EQ(m[4], -5 * 2);
    EXPECT_FLOAT_EQ(m[12], -5 * 4);
    EXPECT_FLOAT_EQ(m[3], -8 * 1);
    EXPECT_FLOAT_EQ(m[10], dot - 7 * 3);
    EXPECT_FLOAT_EQ(m[15], dot - 8 * 4);
}

TEST(PlanarShadowMatrix, LightInThePlaneGivesADegenerateMatrixWithoutFailing) {
    const float plane[4] = {0, 1, 0, 0};
    const float light[4] = {3, 0, 1, 1};
    float m[16];
    PlanarShadowMatrix(m, plane, light);
    // dot is 0: the matrix is -L * P^T, rank one, mapping everything to multiples of the light.
    EXPECT_FLOAT_EQ(m[0], 0.0f);
    EXPECT_FLOAT_EQ(m[5], 0.0f);
    EXPECT_FLOAT_EQ(m[4], -3.0f);
    EXPECT_FLOAT_EQ(m[7], -1.0f);
}

}  // namespace
