#pragma once
// The diffuse light of an environment as nine spherical-harmonic terms, so that a surface reads
// its irradiance as a short polynomial of its normal (no texture, no trigonometry per pixel).

#include <array>
#include <glm/glm.hpp>

// rgba: an equirectangular map of width x height texels, 4 floats each, bottom row first
// (+y up, u = 0.5 looking along -z). The terms are scaled so that
// IrradianceOver(terms, n) is the irradiance over pi: the diffuse light is it times the albedo.
std::array<glm::vec3, 9> IrradianceHarmonics(const float* rgba, int width, int height);

// Evaluates the terms for a unit normal, as the surface program does.
glm::vec3 IrradianceOver(const std::array<glm::vec3, 9>& terms, const glm::vec3& n);
