#pragma once
// The light around the studio look's objects, ready for image-based lighting: a source map
// (the built-in studio, or an equirectangular picture resampled), its GGX prefiltered levels
// (roughness 0 at level 0 up to 1 at the last) and the diffuse irradiance as spherical
// harmonics. Prepared on the GPU, which measured faster than the CPU
// on llvmpipe; only the harmonics are summed on the CPU, from a 64 x 32 level.

#include <array>
#include <glm/glm.hpp>
#include <string>

#include "formats/radiance_picture.h"
#include "render/studio/shader_program.h"
#include "render/studio/texture_target.h"

class StudioEnvironment {
  public:
    explicit StudioEnvironment(const StudioGlFunctions& gl);
    StudioEnvironment(const StudioEnvironment&) = delete;
    StudioEnvironment& operator=(const StudioEnvironment&) = delete;

    // From the picture, or the built-in studio when there is none. False (with the driver's
    // words in log) when the maps cannot be made. Changes the framebuffer binding, the viewport
    // and the bound program.
    bool Prepare(const RadiancePicture* picture, std::string& log);
    bool IsReady() const { return ready_; }

    GLuint radiance() const { return radiance_.colour(); }
    const std::array<glm::vec3, 9>& irradiance() const { return irradiance_; }
    // The last level of radiance(), which holds roughness 1.
    int roughestLevel() const { return radiance_.levels() - 1; }

    void Abandon();

  private:
    bool BuildPrograms(std::string& log);
    bool FillSource(const RadiancePicture* picture);
    bool Prefilter();
    void SumIrradiance();

    const StudioGlFunctions& gl_;
    ShaderProgram studio_;
    ShaderProgram resample_;
    ShaderProgram prefilter_;
    TextureTarget source_;
    TextureTarget radiance_;
    std::array<glm::vec3, 9> irradiance_{};
    bool built_ = false;
    bool ready_ = false;
};
