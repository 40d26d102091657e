#pragma once
// GLSL of the environment's preparation: the built-in studio or a picture resampled into the
// source map and its GGX prefiltered levels.

namespace environment_shaders {

// A full-viewport quad: gl_Vertex in clip space, uv from the first texture coordinates.
extern const char* const kQuadVertex;
// The start of every fragment program: the version, direction <-> equirectangular uv and the
// sample points of importance sampling.
extern const char* const kCommon;
extern const char* const kStudioFragment;
extern const char* const kResampleFragment;
extern const char* const kPrefilterFragment;

}  // namespace environment_shaders
