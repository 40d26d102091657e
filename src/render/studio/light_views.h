#pragma once
// Where the studio look's two depth maps look from: the key light over every caster (and, for a
// parallel light, the shadows the casters throw on the ground), and the ground's underside over
// the letters' footprint, for the occlusion where they meet it.

#include <glm/glm.hpp>
#include <optional>
#include <vector>

struct DepthView {
    glm::mat4 view{1.0f};
    glm::mat4 projection{1.0f};
    // A map texel's side in world units around the casters, for offsets along normals.
    float texelWorld = 0.0f;
    // Orthographic views: the world distance the depth range 0 ... 1 spans.
    float depthRange = 0.0f;
};

// A plane Ax + By + Cz + D = 0 made unit length and turned towards the eye; nullopt when it has
// no normal.
std::optional<glm::vec4> GroundFacing(const float plane[4], const glm::vec3& eye);

// light: the scene's light position, w 0 for a parallel light. nullopt without casters or when
// a positional light sits inside them.
std::optional<DepthView> KeyLightView(const float light[4], const std::vector<glm::vec3>& casters,
                                      const std::optional<glm::vec4>& ground, int mapSize);

// Looking up from `below` under the ground, as far as `reach` above it.
std::optional<DepthView> ContactView(const glm::vec4& ground, const std::vector<glm::vec3>& casters,
                                     float reach, float below, int mapSize);

// World positions to shadow-map coordinates 0 ... 1 in x, y and depth.
glm::mat4 TextureSpace(const DepthView& view);
