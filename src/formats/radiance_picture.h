#pragma once
// A Radiance .hdr picture (RGBE), the studio look's optional surroundings: an equirectangular
// panorama in linear light.

#include <optional>
#include <string>
#include <vector>

struct RadiancePicture {
    int width = 0;
    int height = 0;
    std::vector<float> rgb;  // bottom row first, as GL takes texels
};

// nullopt when the file cannot be opened or is not a Radiance picture.
std::optional<RadiancePicture> ReadRadiancePicture(const std::string& path);
