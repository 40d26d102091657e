#pragma once
// The studio look of one GL context: the scene's objects drawn with physically based materials
// in an image-lit studio, the key light's soft shadow, and the shadow plane as a ground that
// catches the shadow (and, when asked, a faint reflection and the occlusion where letters meet
// it). Each pass draws the objects' surfaces into a geometry buffer and lights its pixels once
// each, drawing the ground (and reflection) in linear light into a floating-point buffer beside;
// both are tone-mapped and added to a floating-point sum, which goes to the picture as sRGB at
// the end.
//
// Made on first use in its context (the environment is prepared then and whenever the scene
// names another one); its names go with it while the context is current, or Abandon drops them.

#include <array>
#include <cstdint>
#include <glm/glm.hpp>
#include <optional>
#include <string>
#include <vector>

#include "render/studio/geometry_buffer.h"
#include "render/studio/light_views.h"
#include "render/studio/shader_program.h"
#include "render/studio/studio_environment.h"
#include "render/studio/texture_target.h"

class Renderer;

class StudioRenderer {
  public:
    explicit StudioRenderer(Renderer& renderer);
    StudioRenderer(const StudioRenderer&) = delete;
    StudioRenderer& operator=(const StudioRenderer&) = delete;

    // Starts a picture the size of the current viewport, into the framebuffer bound now: the
    // environment when the scene names another, the key light's shadow map and the ground's
    // contact map. False (with failure() set) where the context cannot draw the look.
    bool Begin();
    // One pass with the current projection and modelview (the view transform), added to the
    // sum with the weight. pass varies the shadow filter's grain between passes.
    void DrawPass(int pass, float weight);
    // The sum into the framebuffer and viewport that were current at Begin; transparent keeps
    // coverage in alpha (premultiplied), else the background shows through. writeDepth leaves
    // the frame's depth there, so that the view's editing aids sit in the scene.
    void Finish(bool transparent, bool writeDepth);

    const std::string& failure() const { return failure_; }
    void Abandon();

  private:
    // A surface's program built twice, for plain and for textured bases: a software rasteriser
    // pays for both sides of a branch on every pixel.
    struct MaterialPrograms {
        explicit MaterialPrograms(const StudioGlFunctions& gl) : plain(gl), textured(gl) {}
        bool Build(const char* vertex, const std::string& fragment, std::string& log,
                   const char* output = nullptr);
        std::array<const ShaderProgram*, 2> Both() const { return {&plain, &textured}; }
        ShaderProgram plain;
        ShaderProgram textured;
    };

    bool BuildPrograms();
    void PrepareEnvironment();
    void CollectCasters();
    void DrawDepthMap(TextureTarget& target, const DepthView& view, bool cullFront);
    void BindLighting(const ShaderProgram& program, int pass) const;
    void BindSurfaceLighting(const ShaderProgram& program, int pass, float weight) const;
    void DrawMaterialObjects(const MaterialPrograms& programs);
    bool DrawGeometry();
    void DrawReflection(int pass, float weight);
    void DrawGroundQuad() const;
    void DrawGround(int pass);
    void Shade(int pass, float weight);
    void Accumulate(float weight);
    void RestoreTarget() const;
    uint64_t DepthMapSignature();
    float Exposure() const;

    Renderer& renderer_;
    StudioGlFunctions gl_;
    MaterialPrograms geometry_;
    ShaderProgram shaded_;
    ShaderProgram shadedFewTaps_;
    MaterialPrograms reflected_;
    ShaderProgram groundProgram_;
    ShaderProgram groundDepth_;
    ShaderProgram accumulate_;
    ShaderProgram output_;
    ShaderProgram outputWithDepth_;
    StudioEnvironment environment_;
    TextureTarget shadowMap_;
    TextureTarget contactMap_;
    GeometryBuffer geometryBuffer_;
    TextureTarget passTarget_;
    TextureTarget sumTarget_;
    bool programsBuilt_ = false;
    std::string failure_;

    std::optional<std::string> environmentFile_;  // what the environment was prepared from

    // Of the picture between Begin and Finish.
    GLint framebuffer_ = 0;
    GLint viewport_[4] = {0, 0, 0, 0};
    std::vector<glm::vec3> casters_;
    std::optional<glm::vec4> groundPlane_;
    std::optional<DepthView> keyView_;
    std::optional<DepthView> contactView_;
    std::optional<uint64_t> depthMapSignature_;
    glm::mat4 viewToWorld_{1.0f};
};
