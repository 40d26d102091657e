#include "render/studio/studio_shaders.h"

namespace studio_shaders {

namespace {

// The key light's shadow, filtered over a rotated disc of the shadow map (hardware comparison
// of the four nearest texels at every tap); the rotation steps through sixteen angles over each
// 4 x 4 pixels and moves on every antialias pass, so the passes' mean smooths the grain away.
// The angles' cosines and sines come from a table: a software rasteriser's are costly.
#define VELLUMARK_SHADOWING                                                                      \
    "uniform sampler2DShadow shadowMap;\n"                                                       \
    "uniform mat4 shadowMatrix;\n"                                                               \
    "uniform float shadowTexel;\n"                                                               \
    "uniform float shadowRadius;\n"                                                              \
    "uniform float normalOffset;\n"                                                              \
    "uniform int passIndex;\n"                                                                   \
    "uniform int hasShadowMap;\n"                                                                \
    "const vec2 kDisc[8] = vec2[](vec2(-0.613, 0.617), vec2(0.170, -0.040),\n"                   \
    "    vec2(-0.299, -0.792), vec2(0.645, 0.493), vec2(-0.651, -0.075), vec2(0.421, -0.812),\n" \
    "    vec2(0.016, 0.973), vec2(0.945, -0.216));\n"                                            \
    "const vec2 kTurns[16] = vec2[](vec2(1.0, 0.0), vec2(0.92388, 0.382683),\n"                  \
    "    vec2(0.707107, 0.707107), vec2(0.382683, 0.92388), vec2(0.0, 1.0),\n"                   \
    "    vec2(-0.382683, 0.92388), vec2(-0.707107, 0.707107), vec2(-0.92388, 0.382683),\n"       \
    "    vec2(-1.0, 0.0), vec2(-0.92388, -0.382683), vec2(-0.707107, -0.707107),\n"              \
    "    vec2(-0.382683, -0.92388), vec2(0.0, -1.0), vec2(0.382683, -0.92388),\n"                \
    "    vec2(0.707107, -0.707107), vec2(0.92388, -0.382683));\n"                                \
    "float Visibility(vec3 position, vec3 normal, int taps) {\n"                                 \
    "    if (hasShadowMap == 0) return 1.0;\n"                                                   \
    "    vec4 p = shadowMatrix * vec4(position + normal * normalOffset, 1.0);\n"                 \
    "    if (p.w <= 0.0) return 1.0;\n"                                                          \
    "    vec3 q = p.xyz / p.w;\n"                                                                \
    "    float reach = shadowRadius * shadowTexel;\n"                                            \
    "    if (q.z >= 1.0 || any(lessThan(q.xy, vec2(-reach))) ||\n"                               \
    "        any(greaterThan(q.xy, vec2(1.0 + reach)))) return 1.0;\n"                           \
    "    ivec2 cell = ivec2(gl_FragCoord.xy) & 3;\n"                                             \
    "    vec2 c = kTurns[(cell.x * 5 + cell.y * 11 + passIndex * 7) & 15] * reach;\n"            \
    "    mat2 turn = mat2(c.x, c.y, -c.y, c.x);\n"                                               \
    "    float lit = 0.0;\n"                                                                     \
    "    for (int i = 0; i < taps; ++i) {\n"                                                     \
    "        lit += texture(shadowMap, vec3(q.xy + turn * kDisc[i], q.z));\n"                    \
    "    }\n"                                                                                    \
    "    return lit / float(taps);\n"                                                            \
    "}\n"

#define VELLUMARK_KEY_LIGHT                                                                \
    "uniform vec4 lightPosition;\n"                                                        \
    "vec3 TowardsLight(vec3 position) {\n"                                                 \
    "    return lightPosition.w == 0.0 ? normalize(lightPosition.xyz)\n"                   \
    "                                  : normalize(lightPosition.xyz / lightPosition.w - " \
    "position);\n"                                                                         \
    "}\n"

}  // namespace

const char* const kSurfaceVertex = R"(#version 130
uniform mat4 viewToWorld;
// The reflection in the ground: the real point is shaded, seen from the mirrored eye.
uniform mat4 mirror;
// What is drawn on its far side is cut away (the reflection's part above the ground).
uniform vec4 clipPlane;
out vec3 worldPosition;
out vec3 worldNormal;
out vec2 texCoord;
out float gl_ClipDistance[1];
void main() {
    vec4 eyePosition = gl_ModelViewMatrix * gl_Vertex;
    vec4 drawn = viewToWorld * eyePosition;
    gl_ClipDistance[0] = -dot(clipPlane, drawn);
    worldPosition = (mirror * drawn).xyz;
    worldNormal = mat3(mirror) * (mat3(viewToWorld) * (gl_NormalMatrix * gl_Normal));
    // The classic look's object-linear texture coordinates.
    texCoord = vec2(dot(gl_ObjectPlaneS[0], gl_Vertex), dot(gl_ObjectPlaneT[0], gl_Vertex));
    gl_Position = gl_ProjectionMatrix * eyePosition;
}
)";

#define VELLUMARK_LINEAR                                                                  \
    "vec3 Linear(vec3 c) {\n"                                                             \
    "    return mix(c / 12.92, pow((c + 0.055) / 1.055, vec3(2.4)), step(0.04045, c));\n" \
    "}\n"

// The light a surface sends towards the eye: the key light's (shadowed) and the environment's.
const char* const kSurfaceLighting = VELLUMARK_SHADOWING VELLUMARK_KEY_LIGHT R"(
uniform vec3 eyePosition;
uniform sampler2D radianceMap;
uniform float roughestLevel;
// The irradiance over pi as spherical harmonics, constants folded in.
uniform vec3 irradiance[9];
uniform vec3 lightRadiance;
// Fewer where many antialias passes average the filter. A program built with a fixed count
// (SURFACE_TAPS defined) unrolls the loop.
uniform int surfaceTaps;
#ifndef SURFACE_TAPS
#define SURFACE_TAPS surfaceTaps
#endif
// Normalised, facing the eye; all 0 when there is no ground.
uniform vec4 groundPlane;
uniform int groundOcclusion;
vec3 Irradiance(vec3 n) {
    return irradiance[0] + irradiance[1] * n.y + irradiance[2] * n.z + irradiance[3] * n.x +
           irradiance[4] * (n.x * n.y) + irradiance[5] * (n.y * n.z) +
           irradiance[6] * (3.0 * n.z * n.z - 1.0) + irradiance[7] * (n.x * n.z) +
           irradiance[8] * (n.x * n.x - n.y * n.y);
}
float Fifth(float x) {
    float x2 = x * x;
    return x2 * x2 * x;
}
vec3 Lit(vec3 position, vec3 n, vec3 base, float metallic, float roughness) {
    vec3 v = normalize(eyePosition - position);
    float r = clamp(roughness, 0.04, 1.0);
    float a = r * r;
    vec3 f0 = mix(vec3(0.04), base, metallic);
    vec3 diffuseColour = base * (1.0 - metallic);
    float nv = clamp(dot(n, v), 1e-4, 1.0);
    vec3 l = TowardsLight(position);
    float nl = dot(n, l);
    vec3 direct = vec3(0.0);
    if (nl > 0.0) {
        vec3 h = normalize(v + l);
        float nh = max(dot(n, h), 0.0);
        float vh = max(dot(v, h), 0.0);
        float t = nh * nh * (a * a - 1.0) + 1.0;
        float d = a * a / (PI * t * t);
        float k = (r + 1.0) * (r + 1.0) / 8.0;
        float g = nv / (nv * (1.0 - k) + k) * nl / (nl * (1.0 - k) + k);
        vec3 f = f0 + (1.0 - f0) * Fifth(1.0 - vh);
        vec3 specular = d * g * f / (4.0 * nv * nl);
        direct = ((1.0 - f) * diffuseColour / PI + specular) * lightRadiance * nl *
                 Visibility(position, n, SURFACE_TAPS);

    }
    vec3 fr = f0 + (max(vec3(1.0 - r), f0) - f0) * Fifth(1.0 - nv);
    vec3 prefiltered = textureLod(radianceMap, DirectionToSquare(reflect(-v, n)), r * roughestLevel).rgb;
    // The split sum's scale and bias fitted in closed form: cheaper than a table's lookup.
    vec4 fit = r * vec4(-1.0, -0.0275, -0.572, 0.022) + vec4(1.0, 0.0425, 1.04, -0.04);
    float fall = min(fit.x * fit.x, exp2(-9.28 * nv)) * fit.x + fit.y;
    vec2 scaleBias = vec2(-1.04, 1.04) * fall + fit.zw;
    float height = dot(groundPlane.xyz, position) + groundPlane.w;
    float occlusion = groundOcclusion != 0 ? mix(0.5, 1.0, smoothstep(0.0, 0.35, height)) : 1.0;
    return direct + (max(Irradiance(n), vec3(0.0)) * diffuseColour * (1.0 - fr) +
                     prefiltered * (f0 * scaleBias.x + scaleBias.y)) * occlusion;
}
)";

#define VELLUMARK_MATERIAL                                     \
    "in vec3 worldPosition;\n"                                 \
    "in vec3 worldNormal;\n"                                   \
    "in vec2 texCoord;\n"                                      \
    "uniform vec3 baseColour;\n"                               \
    "uniform float metallic;\n"                                \
    "uniform float roughness;\n"                               \
    "uniform vec3 emissive;\n"                                 \
    "uniform sampler2D baseTexture;\n" VELLUMARK_LINEAR        \
    "vec3 Base() {\n"                                          \
    "#ifdef TEXTURED\n"                                        \
    "    return Linear(texture(baseTexture, texCoord).rgb);\n" \
    "#else\n"                                                  \
    "    return baseColour;\n"                                 \
    "#endif\n"                                                 \
    "}\n"

// The reflection in the ground, lit where it is drawn.
const char* const kReflectedFragment = VELLUMARK_MATERIAL R"(
uniform float strength;
// Fades out over this distance above the ground.
uniform float fade;
void main() {
    vec3 colour = Lit(worldPosition, normalize(worldNormal), Base(), metallic, roughness);
    float height = dot(groundPlane.xyz, worldPosition) + groundPlane.w;
    float shown = strength * (1.0 - smoothstep(0.0, fade, height));
    gl_FragColor = vec4((colour + emissive) * shown, shown);
}
)";

// Values of 0 to 1 as whole numbers, two of 16 bits or four bytes to an unsigned 32; normals by
// their octahedral coordinates. One buffer to write for each pixel.
#define VELLUMARK_PACKING                                                                       \
    "uint Bits(float value, float most) {\n"                                                    \
    "    return uint(clamp(value, 0.0, 1.0) * most + 0.5);\n"                                   \
    "}\n"                                                                                       \
    "uint Pack(vec2 v) {\n"                                                                     \
    "    return Bits(v.x, 65535.0) << 16u | Bits(v.y, 65535.0);\n"                              \
    "}\n"                                                                                       \
    "vec2 Unpack(uint value) {\n"                                                               \
    "    return vec2(value >> 16u, value & 0xFFFFu) / 65535.0;\n"                               \
    "}\n"                                                                                       \
    "uint PackBytes(vec4 c) {\n"                                                                \
    "    return Bits(c.x, 255.0) << 24u | Bits(c.y, 255.0) << 16u | Bits(c.z, 255.0) << 8u |\n" \
    "           Bits(c.w, 255.0);\n"                                                            \
    "}\n"                                                                                       \
    "vec4 UnpackBytes(uint value) {\n"                                                          \
    "    return vec4(value >> 24u, (value >> 16u) & 0xFFu, (value >> 8u) & 0xFFu,\n"            \
    "                value & 0xFFu) / 255.0;\n"                                                 \
    "}\n"                                                                                       \
    "vec2 SignNotZero(vec2 v) {\n"                                                              \
    "    return vec2(v.x >= 0.0 ? 1.0 : -1.0, v.y >= 0.0 ? 1.0 : -1.0);\n"                      \
    "}\n"                                                                                       \
    "uint PackNormal(vec3 n) {\n"                                                               \
    "    vec2 e = n.xy / (abs(n.x) + abs(n.y) + abs(n.z));\n"                                   \
    "    if (n.z < 0.0) e = (1.0 - abs(e.yx)) * SignNotZero(e);\n"                              \
    "    return Pack(e * 0.5 + 0.5);\n"                                                         \
    "}\n"                                                                                       \
    "vec3 UnpackNormal(uint value) {\n"                                                         \
    "    vec2 e = Unpack(value) * 2.0 - 1.0;\n"                                                 \
    "    vec3 n = vec3(e, 1.0 - abs(e.x) - abs(e.y));\n"                                        \
    "    if (n.z < 0.0) n.xy = (1.0 - abs(n.yx)) * SignNotZero(n.xy);\n"                        \
    "    return normalize(n);\n"                                                                \
    "}\n"

// The objects' surfaces into the geometry buffer: normal, base colour and roughness, then
// emission with metallic.
const char* const kGeometryFragment = "#version 130\n" VELLUMARK_MATERIAL VELLUMARK_PACKING R"(
out uvec4 surface;
void main() {
    vec3 base = Base();
    surface = uvec4(PackNormal(normalize(worldNormal)), Pack(base.rg), Pack(vec2(base.b, roughness)),
                    PackBytes(vec4(emissive, metallic)));
}
)";

const char* const kGroundVertex = R"(#version 130
out vec3 worldPosition;
void main() {
    worldPosition = gl_Vertex.xyz;
    gl_Position = gl_ModelViewProjectionMatrix * gl_Vertex;
}
)";

// Premultiplied: where nothing shades the ground it is fully transparent.
const char* const kGroundFragment = VELLUMARK_SHADOWING VELLUMARK_KEY_LIGHT R"(
in vec3 worldPosition;
uniform vec4 groundPlane;
uniform vec3 shadowColour;
uniform float shadowStrength;
// The contact map: the letters' undersides seen from below the ground, depth linear in height.
uniform int hasContactMap;
uniform sampler2D contactMap;
uniform mat4 contactMatrix;
uniform float contactDepthRange;
uniform float contactBelow;
uniform float contactReach;
uniform float contactUvPerUnit;
float HeightAt(vec2 st) {
    return texture(contactMap, st).r * contactDepthRange - contactBelow;
}
// The share of two rings around the point that the letters' undersides cover, weighted by how
// close above the ground they are.
float ContactOcclusion(vec3 position) {
    if (hasContactMap == 0) return 0.0;
    vec2 centre = (contactMatrix * vec4(position, 1.0)).xy;
    float reach = contactReach * contactUvPerUnit;
    if (any(lessThan(centre, vec2(-reach))) || any(greaterThan(centre, vec2(1.0 + reach)))) {
        return 0.0;
    }
    float occluded = 0.0;
    for (int ring = 1; ring <= 2; ++ring) {
        float radius = contactReach * float(ring) * 0.5;
        for (int i = 0; i < 8; ++i) {
            float h = HeightAt(centre + kDisc[i] * (radius * contactUvPerUnit));
            float under = step(-0.5 * contactBelow, h) * step(h, contactDepthRange - contactBelow - 1e-3);
            occluded += under * (1.0 - smoothstep(0.0, contactReach, max(h, 0.0) + radius * 0.5)) /
                        float(ring);
        }
    }
    return clamp(occluded / 6.0, 0.0, 1.0);
}
void main() {
    vec3 n = groundPlane.xyz;
    vec3 l = TowardsLight(worldPosition);
    float shadow = 0.0;
    if (dot(n, l) > 0.0) {
        shadow = shadowStrength * (1.0 - Visibility(worldPosition, n, 8));
    }
    float occlusion = 0.6 * ContactOcclusion(worldPosition);
    float alpha = clamp(1.0 - (1.0 - shadow) * (1.0 - occlusion), 0.0, 1.0);
    gl_FragColor = vec4(shadowColour * alpha, alpha);
}
)";

const char* const kDepthOnlyFragment = R"(#version 130
void main() {
}
)";

// Khronos PBR Neutral: keeps hues (gold stays gold) and leaves dark and mid tones alone.
#define VELLUMARK_TONE_MAPPING                                             \
    "uniform float exposure;\n"                                            \
    "vec3 Neutral(vec3 c) {\n"                                             \
    "    const float start = 0.76;\n"                                      \
    "    const float desaturation = 0.15;\n"                               \
    "    float x = min(c.r, min(c.g, c.b));\n"                             \
    "    float offset = x < 0.08 ? x - 6.25 * x * x : 0.04;\n"             \
    "    c -= offset;\n"                                                   \
    "    float peak = max(c.r, max(c.g, c.b));\n"                          \
    "    if (peak < start) return c;\n"                                    \
    "    const float d = 1.0 - start;\n"                                   \
    "    float newPeak = 1.0 - d * d / (peak + d - start);\n"              \
    "    c *= newPeak / peak;\n"                                           \
    "    float g = 1.0 - 1.0 / (desaturation * (peak - newPeak) + 1.0);\n" \
    "    return mix(c, vec3(newPeak), g);\n"                               \
    "}\n"                                                                  \
    "vec4 ToneMapped(vec4 s) {\n"                                          \
    "    vec3 c = s.a > 0.0 ? s.rgb / s.a : vec3(0.0);\n"                  \
    "    return vec4(Neutral(max(c * exposure, vec3(0.0))) * s.a, s.a);\n" \
    "}\n"

const char* const kAccumulateFragment = "#version 130\n" VELLUMARK_TONE_MAPPING R"(
uniform sampler2D passColour;
uniform float weight;
void main() {
    gl_FragColor = ToneMapped(texelFetch(passColour, ivec2(gl_FragCoord.xy), 0)) * weight;
}
)";

// The objects' pixels of the geometry buffer lit, tone-mapped and added to the sum.
const char* const kShadedFragment = VELLUMARK_TONE_MAPPING VELLUMARK_PACKING R"(
uniform usampler2D surfaces;
uniform sampler2D depths;
// A pixel of the buffer with its depth back into the world: this pass's projection undone.
uniform mat4 pixelToWorld;
uniform float weight;
void main() {
    ivec2 texel = ivec2(gl_FragCoord.xy);
    uvec4 s = texelFetch(surfaces, texel, 0);
    vec4 p = pixelToWorld * vec4(gl_FragCoord.xy, texelFetch(depths, texel, 0).r, 1.0);
    vec2 blueRoughness = Unpack(s.z);
    vec4 emissionMetallic = UnpackBytes(s.w);
    vec3 colour = Lit(p.xyz / p.w, UnpackNormal(s.x), vec3(Unpack(s.y), blueRoughness.x),
                      emissionMetallic.w, blueRoughness.y) +
                  emissionMetallic.rgb;
    gl_FragColor = ToneMapped(vec4(colour, 1.0)) * weight;
}
)";

const char* const kOutputFragment = R"(#version 130
uniform sampler2D sum;
uniform sampler2D depth;
uniform ivec2 origin;
uniform int transparent;
uniform vec3 background;
vec3 Encoded(vec3 c) {
    c = clamp(c, 0.0, 1.0);
    return mix(c * 12.92, 1.055 * pow(c, vec3(1.0 / 2.4)) - 0.055, step(0.0031308, c));
}
void main() {
    ivec2 texel = ivec2(gl_FragCoord.xy) - origin;
    vec4 s = texelFetch(sum, texel, 0);
    float alpha = clamp(s.a, 0.0, 1.0);
    // One encoding for either: a software rasteriser runs both sides of a branch.
    vec3 straight = alpha > 0.0 ? s.rgb / alpha : vec3(0.0);
    vec3 shown = Encoded(transparent != 0 ? straight : s.rgb + background * (1.0 - alpha));
    gl_FragColor = transparent != 0 ? vec4(shown * alpha, alpha) : vec4(shown, 1.0);
#ifdef WRITE_DEPTH
    gl_FragDepth = texelFetch(depth, texel, 0).r;
#endif
}
)";

}  // namespace studio_shaders
