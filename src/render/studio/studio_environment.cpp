#include "render/studio/studio_environment.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "render/studio/environment_shaders.h"
#include "render/studio/fullscreen_quad.h"
#include "render/studio/irradiance_harmonics.h"

namespace {

constexpr int kSourceWidth = 1024;
constexpr int kSourceLevels = 11;  // down to 1 x 1
// Folded onto a square: finer than a 512 x 256 equirectangular map at the horizon.
constexpr int kRadianceSide = 256;
constexpr int kRadianceLevels = 8;  // roughness in sevenths, down to 2 x 2
constexpr int kPrefilterSamples = 64;
constexpr int kIrradianceSourceLevel = 4;  // 64 x 32 texels

std::string Fragment(const char* body) {
    return std::string(environment_shaders::kCommon) + body;
}

void BindTexture(const StudioGlFunctions& gl, int unit, GLuint texture) {
    gl.ActiveTexture(static_cast<GLenum>(GL_TEXTURE0 + unit));
    glBindTexture(GL_TEXTURE_2D, texture);
    gl.ActiveTexture(GL_TEXTURE0);
}

}  // namespace

StudioEnvironment::StudioEnvironment(const StudioGlFunctions& gl)
    : gl_(gl), studio_(gl), resample_(gl), prefilter_(gl), source_(gl), radiance_(gl) {}

bool StudioEnvironment::BuildPrograms(std::string& log) {
    using namespace environment_shaders;
    built_ = studio_.Build(kQuadVertex, Fragment(kStudioFragment).c_str(), log) &&
             resample_.Build(kQuadVertex, Fragment(kResampleFragment).c_str(), log) &&
             prefilter_.Build(kQuadVertex, Fragment(kPrefilterFragment).c_str(), log);
    return built_;
}

bool StudioEnvironment::Prepare(const RadiancePicture* picture, std::string& log) {
    ready_ = false;
    if (!built_ && !BuildPrograms(log)) {
        return false;
    }
    glPushAttrib(GL_ENABLE_BIT | GL_VIEWPORT_BIT | GL_COLOR_BUFFER_BIT);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_CULL_FACE);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    ready_ = FillSource(picture) && Prefilter();
    if (ready_) {
        SumIrradiance();
    }
    gl_.UseProgram(0);
    glPopAttrib();
    if (!ready_) {
        log += "framebuffer incomplete";
    }
    return ready_;
}

bool StudioEnvironment::FillSource(const RadiancePicture* picture) {
    source_.Allocate(kSourceWidth, kSourceWidth / 2, GL_RGBA16F, kSourceLevels, false);
    if (picture == nullptr) {
        if (!source_.BindLevel(0)) {
            return false;
        }
        studio_.Use();
        DrawFullscreenQuad();
    } else {
        GLuint texture = 0;
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        GLint alignment = 4;
        glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB32F, picture->width, picture->height, 0, GL_RGB,
                     GL_FLOAT, picture->rgb.data());
        glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
        gl_.GenerateMipmap(GL_TEXTURE_2D);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        const bool bound = source_.BindLevel(0);
        if (bound) {
            resample_.Use();
            resample_.Set("picture", 0);
            resample_.Set("lod", std::max(0.0f, std::log2(static_cast<float>(picture->width) /
                                                          kSourceWidth)));
            DrawFullscreenQuad();
        }
        glDeleteTextures(1, &texture);
        if (!bound) {
            return false;
        }
    }
    glBindTexture(GL_TEXTURE_2D, source_.colour());
    gl_.GenerateMipmap(GL_TEXTURE_2D);
    return true;
}

bool StudioEnvironment::Prefilter() {
    radiance_.Allocate(kRadianceSide, kRadianceSide, GL_RGBA16F, kRadianceLevels, false);
    // A surface reads the level nearest its roughness: half the texels of blending two.
    glBindTexture(GL_TEXTURE_2D, radiance_.colour());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    // Across a folded edge lies the same row mirrored, so the edge texel is the right neighbour.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    BindTexture(gl_, 0, source_.colour());
    prefilter_.Use();
    prefilter_.Set("source", 0);
    prefilter_.Set("sampleCount", kPrefilterSamples);
    gl_.Uniform2f(prefilter_.Location("sourceSize"), static_cast<float>(kSourceWidth),
                  static_cast<float>(kSourceWidth / 2));
    for (int level = 0; level < kRadianceLevels; ++level) {
        if (!radiance_.BindLevel(level)) {
            return false;
        }
        prefilter_.Set("roughness", static_cast<float>(level) / (kRadianceLevels - 1));
        DrawFullscreenQuad();
    }
    return true;
}

void StudioEnvironment::SumIrradiance() {
    const int width = kSourceWidth >> kIrradianceSourceLevel;
    const int height = width / 2;
    std::vector<float> texels(static_cast<std::size_t>(width) * height * 4);
    glBindTexture(GL_TEXTURE_2D, source_.colour());
    glGetTexImage(GL_TEXTURE_2D, kIrradianceSourceLevel, GL_RGBA, GL_FLOAT, texels.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    irradiance_ = IrradianceHarmonics(texels.data(), width, height);
}

void StudioEnvironment::Abandon() {
    for (ShaderProgram* program : {&studio_, &resample_, &prefilter_}) {
        program->Abandon();
    }
    for (TextureTarget* target : {&source_, &radiance_}) {
        target->Abandon();
    }
    built_ = false;
    ready_ = false;
}
