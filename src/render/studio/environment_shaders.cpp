#include "render/studio/environment_shaders.h"

namespace environment_shaders {

const char* const kQuadVertex = R"(#version 130
out vec2 uv;
void main() {
    uv = gl_MultiTexCoord0.xy;
    gl_Position = gl_Vertex;
}
)";

// +y up; u = 0.5 looks along -z, v = 0 straight down. The low-discrepancy points sample GGX.
const char* const kCommon = R"(#version 130
const float PI = 3.14159265;
vec2 Hammersley(uint i, uint n) {
    uint bits = i;
    bits = (bits << 16u) | (bits >> 16u);
    bits = ((bits & 0x55555555u) << 1u) | ((bits & 0xAAAAAAAAu) >> 1u);
    bits = ((bits & 0x33333333u) << 2u) | ((bits & 0xCCCCCCCCu) >> 2u);
    bits = ((bits & 0x0F0F0F0Fu) << 4u) | ((bits & 0xF0F0F0F0u) >> 4u);
    bits = ((bits & 0x00FF00FFu) << 8u) | ((bits & 0xFF00FF00u) >> 8u);
    return vec2(float(i) / float(n), float(bits) * 2.3283064365386963e-10);
}
// Polynomial arc tangent and arc sine (errors below 1e-4 radians): the library's own cost a
// software rasteriser several times as much, for every pixel of every surface.
float ArcTangent(float y, float x) {
    float ax = abs(x);
    float ay = abs(y);
    float t = min(ax, ay) / max(max(ax, ay), 1e-20);
    float t2 = t * t;
    float r = ((((-0.0134804 * t2 + 0.0574773) * t2 - 0.1212390) * t2 + 0.1956359) * t2 -
               0.3329946) * t2 * t + t;
    r = ay > ax ? 1.5707963 - r : r;
    r = x < 0.0 ? PI - r : r;
    return y < 0.0 ? -r : r;
}
float ArcSine(float y) {
    float a = abs(y);
    float r = 1.5707963 - sqrt(max(1.0 - a, 0.0)) *
                              (((-0.0187293 * a + 0.0742610) * a - 0.2121144) * a + 1.5707288);
    return y < 0.0 ? -r : r;
}
vec2 DirectionToUv(vec3 d) {
    return vec2(ArcTangent(d.x, -d.z) * (0.5 / PI) + 0.5, ArcSine(clamp(d.y, -1.0, 1.0)) / PI + 0.5);
}
// The prefiltered maps: the sphere folded onto a square, found with divides and no arcs, the
// lower half's triangles turned out to the corners (+y at the centre).
vec2 DirectionToSquare(vec3 d) {
    vec2 e = d.xz / (abs(d.x) + abs(d.y) + abs(d.z));
    if (d.y < 0.0) e = (1.0 - abs(e.yx)) * vec2(e.x >= 0.0 ? 1.0 : -1.0, e.y >= 0.0 ? 1.0 : -1.0);
    return e * 0.5 + 0.5;
}
vec3 SquareToDirection(vec2 uv) {
    vec2 e = uv * 2.0 - 1.0;
    vec3 d = vec3(e.x, 1.0 - abs(e.x) - abs(e.y), e.y);
    if (d.y < 0.0) d.xz = (1.0 - abs(d.zx)) * vec2(d.x >= 0.0 ? 1.0 : -1.0, d.z >= 0.0 ? 1.0 : -1.0);
    return normalize(d);
}
vec3 UvToDirection(vec2 uv) {
    float phi = (uv.x - 0.5) * 2.0 * PI;
    float theta = (uv.y - 0.5) * PI;
    return vec3(sin(phi) * cos(theta), sin(theta), -cos(phi) * cos(theta));
}
)";

// A grey backdrop graded from a dark floor to a bright ceiling, a large soft box overhead and two
// upright strips on either side, a little towards the viewer, so that flat metal shows a gradient
// and bevels catch highlights.
const char* const kStudioFragment = R"(
in vec2 uv;
float Box(float distance, float halfWidth, float edge) {
    return 1.0 - smoothstep(halfWidth, halfWidth + edge, abs(distance));
}
void main() {
    vec3 d = UvToDirection(uv);
    float floorToSky = smoothstep(-0.75, 0.55, d.y);
    vec3 c = mix(vec3(0.02, 0.02, 0.022), vec3(1.1, 1.1, 1.12), floorToSky * floorToSky);
    if (d.y > 0.2) {
        vec2 p = d.xz / d.y;
        c += vec3(9.0) * Box(p.x, 0.45, 0.2) * Box(p.y + 0.1, 0.3, 0.15);
    }
    float azimuth = atan(d.x, d.z);
    for (int side = -1; side <= 1; side += 2) {
        float strip = Box(azimuth - float(side) * 1.15, 0.07, 0.06) * Box(d.y - 0.15, 0.5, 0.25);
        c += vec3(5.0) * strip;
    }
    gl_FragColor = vec4(c, 1.0);
}
)";

// A picture of any size into the source map, averaged over what each texel covers.
const char* const kResampleFragment = R"(
in vec2 uv;
uniform sampler2D picture;
uniform float lod;
void main() {
    gl_FragColor = vec4(max(textureLod(picture, uv, lod).rgb, vec3(0.0)), 1.0);
}
)";

const char* const kPrefilterFragment = R"(
in vec2 uv;
uniform sampler2D source;
uniform vec2 sourceSize;
uniform float roughness;
uniform int sampleCount;
void main() {
    vec3 n = SquareToDirection(uv);
    if (roughness <= 0.0) {
        gl_FragColor = vec4(textureLod(source, DirectionToUv(n), 0.0).rgb, 1.0);
        return;
    }
    float a = roughness * roughness;
    vec3 up = abs(n.y) < 0.999 ? vec3(0.0, 1.0, 0.0) : vec3(1.0, 0.0, 0.0);
    vec3 tx = normalize(cross(up, n));
    vec3 ty = cross(n, tx);
    // A texel's solid angle, for picking the source level a sample stands for.
    float texel = (2.0 * PI / sourceSize.x) * (PI / sourceSize.y);
    vec3 sum = vec3(0.0);
    float weight = 0.0;
    uint count = uint(sampleCount);
    for (uint i = 0u; i < count; ++i) {
        vec2 xi = Hammersley(i, count);
        float phi = 2.0 * PI * xi.x;
        float cosTheta = sqrt((1.0 - xi.y) / (1.0 + (a * a - 1.0) * xi.y));
        float sinTheta = sqrt(1.0 - cosTheta * cosTheta);
        vec3 h = tx * (cos(phi) * sinTheta) + ty * (sin(phi) * sinTheta) + n * cosTheta;
        vec3 l = 2.0 * dot(n, h) * h - n;
        float nl = dot(n, l);
        if (nl > 0.0) {
            float d = (a * a) / (PI * pow(cosTheta * cosTheta * (a * a - 1.0) + 1.0, 2.0));
            float pdf = d / 4.0;
            float cosLatitude = max(sqrt(1.0 - l.y * l.y), 0.05);
            float sampleAngle = 1.0 / (float(count) * pdf + 1e-4);
            float lod = max(0.5 * log2(sampleAngle / (texel * cosLatitude)) + 1.0, 0.0);
            sum += textureLod(source, DirectionToUv(l), lod).rgb * nl;
            weight += nl;
        }
    }
    gl_FragColor = vec4(sum / max(weight, 1e-4), 1.0);
}
)";

}  // namespace environment_shaders
