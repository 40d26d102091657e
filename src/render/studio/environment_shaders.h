#pragma once
// GLSL of the environment's preparation: the built-in studio or a picture resampled into the
// source map, its GGX prefiltered levels and the BRDF lookup table.

namespace environment_shaders {

// A full-viewport quad: gl_Vertex in clip space, uv from the first texture coordinates.
extern const char* const kQuadVertex;
// The start of every fragment program: the version, direction <-> equirectangular uv and the
// sample points of importance sampling.
extern const char* const kCommon;
extern const char* const kStudioFragment;
extern const char* const kResampleFragment;
extern const char* const kPrefilterFragment;
extern const char* const kBrdfFragment;

}  // namespace environment_shaders
