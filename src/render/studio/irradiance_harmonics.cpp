#include "render/studio/irradiance_harmonics.h"

#include <cmath>

namespace {

constexpr float kPi = 3.14159265f;

// The real harmonics' polynomials up to band 2, without their constants.
std::array<float, 9> Polynomials(const glm::vec3& d) {
    return {1.0f,
            d.y,
            d.z,
            d.x,
            d.x * d.y,
            d.y * d.z,
            3.0f * d.z * d.z - 1.0f,
            d.x * d.z,
            d.x * d.x - d.y * d.y};
}

constexpr float kConstants[9] = {0.282095f, 0.488603f, 0.488603f, 0.488603f, 1.092548f,
                                 1.092548f, 0.315392f, 1.092548f, 0.546274f};
// The clamped cosine's convolution per band, over pi.
constexpr float kCosineBands[9] = {1.0f,  2.0f / 3.0f, 2.0f / 3.0f, 2.0f / 3.0f, 0.25f,
                                   0.25f, 0.25f,       0.25f,       0.25f};

}  // namespace

std::array<glm::vec3, 9> IrradianceHarmonics(const float* rgba, int width, int height) {
    std::array<glm::vec3, 9> terms{};
    for (int y = 0; y < height; ++y) {
        const float theta =
            ((static_cast<float>(y) + 0.5f) / static_cast<float>(height) - 0.5f) * kPi;
        const float solidAngle = (2.0f * kPi / static_cast<float>(width)) *
                                 (kPi / static_cast<float>(height)) * std::cos(theta);
        for (int x = 0; x < width; ++x) {
            const float phi =
                ((static_cast<float>(x) + 0.5f) / static_cast<float>(width) - 0.5f) * 2.0f * kPi;
            const glm::vec3 d(std::sin(phi) * std::cos(theta), std::sin(theta),
                              -std::cos(phi) * std::cos(theta));
            const float* texel = rgba + (static_cast<std::size_t>(y) * width + x) * 4;
            const glm::vec3 radiance(texel[0], texel[1], texel[2]);
            const std::array<float, 9> p = Polynomials(d);
            for (int k = 0; k < 9; ++k) {
                terms[k] += radiance * (kConstants[k] * p[k] * solidAngle);
            }
        }
    }
    for (int k = 0; k < 9; ++k) {
        terms[k] *= kConstants[k] * kCosineBands[k];
    }
    return terms;
}

glm::vec3 IrradianceOver(const std::array<glm::vec3, 9>& terms, const glm::vec3& n) {
    const std::array<float, 9> p = Polynomials(n);
    glm::vec3 sum(0.0f);
    for (int k = 0; k < 9; ++k) {
        sum += terms[k] * p[k];
    }
    return sum;
}
