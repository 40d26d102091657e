#pragma once
// GLSL of the studio look's frame: the objects' surfaces, the ground that catches their shadow,
// and the two steps from a pass's linear light to the picture.

namespace studio_shaders {

extern const char* const kSurfaceVertex;
extern const char* const kSurfaceFragment;
extern const char* const kGroundVertex;
extern const char* const kGroundFragment;
// Tone-maps a pass and adds it with its weight to the linear sum of the passes.
extern const char* const kAccumulateFragment;
// The sum of the passes (or the one pass, tone-mapped) as sRGB over the background, or
// premultiplied for transparent pictures.
extern const char* const kOutputFragment;

}  // namespace studio_shaders
