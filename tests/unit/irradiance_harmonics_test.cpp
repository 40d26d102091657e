#include "render/studio/irradiance_harmonics.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// An equirectangular map, bottom row first, lit by `sky` above the horizon and `ground` below.
std::vector<float> SkyAndGround(int width, int height, float sky, float ground) {
    std::vector<float> texels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const float value = y < height / 2 ? ground : sky;
            texels.insert(texels.end(), {value, value, value, 1.0f});
        }
    }
    return texels;
}

TEST(IrradianceHarmonics, EvenLightGivesTheSameIrradianceEverywhere) {
    const std::vector<float> map = SkyAndGround(64, 32, 1.0f, 1.0f);
    const auto terms = IrradianceHarmonics(map.data(), 64, 32);
    for (const glm::vec3 n : {glm::vec3(0, 1, 0), glm::vec3(0, -1, 0), glm::vec3(1, 0, 0),
                              glm::vec3(0, 0, -1), glm::normalize(glm::vec3(1, 2, 3))}) {
        EXPECT_NEAR(IrradianceOver(terms, n).g, 1.0f, 0.01f);
    }
}

TEST(IrradianceHarmonics, ASkyLightsWhatFacesUp) {
    const std::vector<float> map = SkyAndGround(64, 32, 1.0f, 0.0f);
    const auto terms = IrradianceHarmonics(map.data(), 64, 32);
    EXPECT_NEAR(IrradianceOver(terms, glm::vec3(0, 1, 0)).r, 1.0f, 0.1f);
    EXPECT_NEAR(IrradianceOver(terms, glm::vec3(0, -1, 0)).r, 0.0f, 0.1f);
    EXPECT_NEAR(IrradianceOver(terms, glm::vec3(0, 0, 1)).r, 0.5f, 0.05f);
}

}  // namespace
