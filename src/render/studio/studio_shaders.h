#pragma once
// GLSL of the studio look's frame: the objects' surfaces, the ground that catches their shadow,
// and the steps from a pass's linear light to the picture.

namespace studio_shaders {

// The objects' vertices, for their surfaces and their reflection.
extern const char* const kSurfaceVertex;
// Follows the environment's common functions; Lit() for the two below.
extern const char* const kSurfaceLighting;
extern const char* const kReflectedFragment;
// Tone-maps the lit objects of the geometry buffer and adds them with their weight to the sum.
extern const char* const kShadedFragment;
// The objects' surfaces, unlit, into the geometry buffer.
extern const char* const kGeometryFragment;
extern const char* const kGroundVertex;
extern const char* const kGroundFragment;
// Only depth: the ground hiding what lies beneath it.
extern const char* const kDepthOnlyFragment;
// Tone-maps a pass and adds it with its weight to the linear sum of the passes.
extern const char* const kAccumulateFragment;
// The sum of the passes as sRGB over the background, or
// premultiplied for transparent pictures.
extern const char* const kOutputFragment;

}  // namespace studio_shaders
