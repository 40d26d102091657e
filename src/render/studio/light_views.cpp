#include "render/studio/light_views.h"

#include <algorithm>
#include <cmath>
#include <glm/gtc/matrix_transform.hpp>
#include <limits>

namespace {

glm::vec3 UpFor(const glm::vec3& direction) {
    return std::abs(direction.y) < 0.99f ? glm::vec3(0.0f, 1.0f, 0.0f)
                                         : glm::vec3(1.0f, 0.0f, 0.0f);
}

struct Box {
    glm::vec3 low{std::numeric_limits<float>::max()};
    glm::vec3 high{-std::numeric_limits<float>::max()};
    void Add(const glm::vec3& p) {
        low = glm::min(low, p);
        high = glm::max(high, p);
    }
};

Box InView(const glm::mat4& view, const std::vector<glm::vec3>& points) {
    Box box;
    for (const glm::vec3& p : points) {
        box.Add(glm::vec3(view * glm::vec4(p, 1.0f)));
    }
    return box;
}

glm::vec3 Centre(const std::vector<glm::vec3>& points) {
    Box box;
    for (const glm::vec3& p : points) {
        box.Add(p);
    }
    return (box.low + box.high) * 0.5f;
}

}  // namespace

std::optional<glm::vec4> GroundFacing(const float plane[4], const glm::vec3& eye) {
    const glm::vec3 normal(plane[0], plane[1], plane[2]);
    const float length = glm::length(normal);
    if (!(length > 1e-6f)) {
        return std::nullopt;
    }
    glm::vec4 unit = glm::vec4(normal, plane[3]) / length;
    if (glm::dot(glm::vec3(unit), eye) + unit.w < 0.0f) {
        unit = -unit;
    }
    return unit;
}

std::optional<DepthView> KeyLightView(const float light[4], const std::vector<glm::vec3>& casters,
                                      const std::optional<glm::vec4>& ground, int mapSize) {
    if (casters.empty()) {
        return std::nullopt;
    }
    const glm::vec3 centre = Centre(casters);
    float radius = 0.0f;
    for (const glm::vec3& p : casters) {
        radius = std::max(radius, glm::distance(p, centre));
    }
    radius = std::max(radius, 0.01f);
    DepthView result;
    if (light[3] == 0.0f) {
        const glm::vec3 towards = glm::vec3(light[0], light[1], light[2]);
        if (!(glm::length(towards) > 1e-6f)) {
            return std::nullopt;
        }
        const glm::vec3 l = glm::normalize(towards);
        std::vector<glm::vec3> covered = casters;
        if (ground) {
            // The shadows on the ground, as far as a low light throws them.
            const glm::vec3 n(*ground);
            const float rise = std::max(glm::dot(n, l), 0.2f);
            for (const glm::vec3& p : casters) {
                const float height = glm::dot(n, p) + ground->w;
                if (height > 0.0f) {
                    covered.push_back(p - l * (height / rise));
                }
            }
        }
        result.view = glm::lookAt(centre + l * (radius * 4.0f), centre, UpFor(l));
        const Box box = InView(result.view, covered);
        const Box casterBox = InView(result.view, casters);
        const float margin = radius * 0.05f;
        result.projection =
            glm::ortho(box.low.x - margin, box.high.x + margin, box.low.y - margin,
                       box.high.y + margin, -casterBox.high.z - margin, -box.low.z + margin);
        result.texelWorld =
            std::max(box.high.x - box.low.x, box.high.y - box.low.y) / static_cast<float>(mapSize);
        result.depthRange = box.high.z - box.low.z + 2.0f * margin;
        return result;
    }
    const glm::vec3 position = glm::vec3(light[0], light[1], light[2]) / light[3];
    const float distance = glm::distance(position, centre);
    if (distance <= radius * 1.05f) {
        return std::nullopt;
    }
    const glm::vec3 axis = glm::normalize(centre - position);
    result.view = glm::lookAt(position, centre, UpFor(axis));
    const float halfAngle = std::asin(std::min(radius / distance, 0.98f));
    // The ground beyond the casters is covered up to the frustum's wider angle.
    const float fovy = std::min(2.0f * halfAngle * 1.6f, glm::radians(150.0f));
    result.projection =
        glm::perspective(fovy, 1.0f, std::max(distance - radius, 0.01f), distance + radius * 8.0f);
    result.texelWorld = 2.0f * distance * std::tan(fovy / 2.0f) / static_cast<float>(mapSize);
    return result;
}

std::optional<DepthView> ContactView(const glm::vec4& ground, const std::vector<glm::vec3>& casters,
                                     float reach, float below, int mapSize) {
    const glm::vec3 n(ground);
    std::vector<glm::vec3> footprint;
    for (const glm::vec3& p : casters) {
        const float height = glm::dot(n, p) + ground.w;
        footprint.push_back(p - n * height);
    }
    if (footprint.empty()) {
        return std::nullopt;
    }
    const glm::vec3 centre = Centre(footprint);
    DepthView result;
    result.view = glm::lookAt(centre - n * below, centre, UpFor(n));
    const Box box = InView(result.view, footprint);
    // Square, so that a world distance is the same share of the map either way.
    const float half =
        std::max(box.high.x - box.low.x, box.high.y - box.low.y) / 2.0f + reach * 1.5f;
    const glm::vec2 middle = (glm::vec2(box.low) + glm::vec2(box.high)) * 0.5f;
    result.projection = glm::ortho(middle.x - half, middle.x + half, middle.y - half,
                                   middle.y + half, 0.0f, below + reach);
    result.texelWorld = 2.0f * half / static_cast<float>(mapSize);
    result.depthRange = below + reach;
    return result;
}

glm::mat4 TextureSpace(const DepthView& view) {
    glm::mat4 bias = glm::translate(glm::mat4(1.0f), glm::vec3(0.5f));
    bias = glm::scale(bias, glm::vec3(0.5f));
    return bias * view.projection * view.view;
}
