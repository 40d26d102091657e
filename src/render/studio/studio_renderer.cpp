#include "render/studio/studio_renderer.h"

#include <algorithm>
#include <cmath>
#include <glm/gtc/type_ptr.hpp>

#include "formats/radiance_picture.h"
#include "render/renderer.h"
#include "render/studio/environment_shaders.h"
#include "render/studio/fullscreen_quad.h"
#include "render/studio/studio_shaders.h"
#include "scene/cp932.h"
#include "scene/surface_material.h"

namespace {

constexpr int kShadowMapSize = 2048;
constexpr int kContactMapSize = 512;
// World units: how far above the ground the letters still darken it, and how far below it the
// contact map starts.
constexpr float kContactReach = 0.35f;
constexpr float kContactBelow = 0.05f;
constexpr float kKeyLightRadiance = 3.0f;
constexpr float kGroundShadowStrength = 0.8f;
constexpr float kReflectionStrength = 0.22f;
constexpr float kReflectionFade = 1.2f;
constexpr float kGroundHalfSize = 60.0f;

enum TextureUnit {
    kBaseUnit = 0,
    kRadianceUnit,
    kShadowUnit,
    kContactUnit,
    kPassUnit,
    kDepthUnit,
    kSurfaceUnit,
};

float Linear(float c) {
    return c <= 0.04045f ? c / 12.92f : std::pow((c + 0.055f) / 1.055f, 2.4f);
}

glm::vec3 LinearColour(const float srgb[3]) {
    return glm::vec3(Linear(srgb[0]), Linear(srgb[1]), Linear(srgb[2]));
}

// Four passes or more average a rotated pair of taps into a smooth penumbra.
int SurfaceTaps(float weight) {
    return weight <= 0.25f ? 2 : 4;
}

// The same source with a macro defined after its first line (the version).
std::string Defining(const std::string& source, const std::string& definition) {
    const std::size_t line = source.find('\n') + 1;
    return source.substr(0, line) + "#define " + definition + "\n" + source.substr(line);
}

glm::mat4 CurrentMatrix(GLenum which) {
    glm::mat4 m(1.0f);
    glGetFloatv(which, glm::value_ptr(m));
    return m;
}

// Reflects world positions in the plane n.x + d = 0.
glm::mat4 MirrorIn(const glm::vec4& plane) {
    const glm::vec3 n(plane);
    glm::mat4 m(1.0f);
    for (int column = 0; column < 3; ++column) {
        for (int row = 0; row < 3; ++row) {
            m[column][row] -= 2.0f * n[row] * n[column];
        }
    }
    m[3] = glm::vec4(-2.0f * plane.w * n, 1.0f);
    return m;
}

// From a pixel of a width x height buffer and its depth to the world, for the current projection.
glm::mat4 PixelToWorld(const glm::mat4& viewToWorld, int width, int height) {
    glm::dmat4 projection(1.0);
    glGetDoublev(GL_PROJECTION_MATRIX, glm::value_ptr(projection));
    glm::dmat4 toClip(1.0);
    toClip[0][0] = 2.0 / width;
    toClip[1][1] = 2.0 / height;
    toClip[2][2] = 2.0;
    toClip[3] = glm::dvec4(-1.0, -1.0, -1.0, 1.0);
    return glm::mat4(glm::dmat4(viewToWorld) * glm::inverse(projection) * toClip);
}

void BindUnit(const StudioGlFunctions& gl, int unit, GLuint texture) {
    gl.ActiveTexture(static_cast<GLenum>(GL_TEXTURE0 + unit));
    glBindTexture(GL_TEXTURE_2D, texture);
}

// Depth maps and the frame's buffers are drawn with this state whatever the caller had.
void SetDrawState() {
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_TRUE);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_STENCIL_TEST);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
}

constexpr GLbitfield kSavedAttributes = GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT |
                                        GL_STENCIL_BUFFER_BIT | GL_VIEWPORT_BIT | GL_POLYGON_BIT |
                                        GL_TEXTURE_BIT | GL_TRANSFORM_BIT;

}  // namespace

StudioRenderer::StudioRenderer(Renderer& renderer)
    : renderer_(renderer),
      gl_(LoadStudioGlFunctions()),
      geometry_(gl_),
      shaded_(gl_),
      shadedFewTaps_(gl_),
      reflected_(gl_),
      groundProgram_(gl_),
      groundDepth_(gl_),
      accumulate_(gl_),
      output_(gl_),
      outputWithDepth_(gl_),
      environment_(gl_),
      shadowMap_(gl_),
      contactMap_(gl_),
      geometryBuffer_(gl_),
      passTarget_(gl_),
      sumTarget_(gl_) {}

bool StudioRenderer::BuildPrograms() {
    using namespace studio_shaders;
    const std::string common = environment_shaders::kCommon;
    const std::string lit = common + kSurfaceLighting;
    std::string log;
    programsBuilt_ =
        geometry_.Build(kSurfaceVertex, kGeometryFragment, log, "surface") &&
        shaded_.Build(environment_shaders::kQuadVertex,
                      Defining(lit + kShadedFragment, "SURFACE_TAPS 4").c_str(), log) &&
        shadedFewTaps_.Build(environment_shaders::kQuadVertex,
                             Defining(lit + kShadedFragment, "SURFACE_TAPS 2").c_str(), log) &&
        reflected_.Build(kSurfaceVertex, lit + kReflectedFragment, log) &&
        groundProgram_.Build(kGroundVertex, (common + kGroundFragment).c_str(), log) &&
        groundDepth_.Build(kGroundVertex, kDepthOnlyFragment, log) &&
        accumulate_.Build(environment_shaders::kQuadVertex, kAccumulateFragment, log) &&
        output_.Build(environment_shaders::kQuadVertex, kOutputFragment, log) &&
        outputWithDepth_.Build(environment_shaders::kQuadVertex,
                               Defining(kOutputFragment, "WRITE_DEPTH").c_str(), log);
    if (!programsBuilt_) {
        failure_ = log;
    }
    return programsBuilt_;
}

void StudioRenderer::PrepareEnvironment() {
    const std::string& wanted = renderer_.scene().studio.environmentFile;
    if (environmentFile_ && *environmentFile_ == wanted && environment_.IsReady()) {
        return;
    }
    std::optional<RadiancePicture> picture;
    if (!wanted.empty()) {
        if (const auto path = Cp932ToUtf8(wanted)) {
            picture = ReadRadiancePicture(*path);
        }
    }
    // A file that cannot be read leaves the built-in studio; whoever named it told the user.
    std::string log;
    if (!environment_.Prepare(picture ? &*picture : nullptr, log)) {
        failure_ = log;
    }
    environmentFile_ = wanted;
}

// What the depth maps depend on: the objects' glyphs and transforms, the light and the ground.
uint64_t StudioRenderer::DepthMapSignature() {
    const Scene& scene = renderer_.scene();
    uint64_t hash = 1469598103934665603ull;
    const auto mix = [&hash](const void* data, std::size_t size) {
        const auto* bytes = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < size; ++i) {
            hash = (hash ^ bytes[i]) * 1099511628211ull;
        }
    };
    mix(scene.light.position, sizeof scene.light.position);
    // Which side of the ground the eye is on decides which side is up.
    const glm::vec4 ground = groundPlane_.value_or(glm::vec4(0.0f));
    mix(&ground, sizeof ground);
    const bool occlusion = scene.studio.ambientOcclusion;
    mix(&occlusion, sizeof occlusion);
    for (const TextObject& object : scene.objects) {
        if (object.glyphCount == 0 || object.hidden) {
            continue;
        }
        float columns[16];
        renderer_.ObjectMatrix(object, columns);
        mix(columns, sizeof columns);
        mix(&object.index, sizeof object.index);
        // The solids' key: font, characters, depth and bevel, and where each glyph sits.
        const std::string_view face = object.FaceName();
        mix(face.data(), face.size());
        mix(&object.italic, sizeof object.italic);
        mix(&object.charSet, sizeof object.charSet);
        mix(&object.scale[2], sizeof object.scale[2]);
        const BevelSettings& bevel = object.bevel;
        for (const float value : {bevel.width, bevel.depth}) {
            mix(&value, sizeof value);
        }
        const int32_t shape[3] = {static_cast<int32_t>(bevel.profile), bevel.segments,
                                  bevel.backToo ? 1 : 0};
        mix(shape, sizeof shape);
        mix(object.glyphCharacters, sizeof object.glyphCharacters[0] * object.glyphCount);
        for (int32_t glyph = 0; glyph < object.glyphCount; ++glyph) {
            mix(&object.glyphMetrics[glyph].gmfCellIncX, sizeof(float));
        }
    }
    return hash;
}

void StudioRenderer::CollectCasters() {
    casters_.clear();
    for (const TextObject& object : renderer_.scene().objects) {
        if (object.glyphCount == 0 || object.hidden) {
            continue;
        }
        float columns[16];
        renderer_.ObjectMatrix(object, columns);
        const glm::mat4 model = glm::make_mat4(columns);
        const float low = std::min({0.0f, object.textBottom, object.textHeight}) - 0.1f;
        const float high = std::max({0.0f, object.textBottom, object.textHeight}) + 0.1f;
        const float depth = std::abs(object.scale[2]) + 0.05f;
        for (int corner = 0; corner < 8; ++corner) {
            const glm::vec4 local((corner & 1) ? object.textWidth + 0.1f : -0.1f,
                                  (corner & 2) ? high : low, (corner & 4) ? 0.05f : -depth, 1.0f);
            casters_.push_back(glm::vec3(model * local));
        }
    }
}

bool StudioRenderer::Begin() {
    if (!gl_.Complete()) {
        failure_ = "OpenGL 3 entry points missing";
        return false;
    }
    if (!programsBuilt_ && !BuildPrograms()) {
        return false;
    }
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &framebuffer_);
    glGetIntegerv(GL_VIEWPORT, viewport_);
    glPushAttrib(kSavedAttributes);
    PrepareEnvironment();
    if (!environment_.IsReady()) {
        RestoreTarget();
        glPopAttrib();
        return false;
    }
    const Scene& scene = renderer_.scene();
    const std::array<float, 3> eye = scene.view.Eye();
    groundPlane_.reset();
    if (scene.shadow.enabled == 1) {
        groundPlane_ = GroundFacing(scene.shadow.plane, glm::vec3(eye[0], eye[1], eye[2]));
    }
    // The view redraws for every turn of the camera; the maps stay while nothing they show moves.
    const uint64_t signature = DepthMapSignature();
    if (!depthMapSignature_ || *depthMapSignature_ != signature) {
        depthMapSignature_ = signature;
        CollectCasters();
        SetDrawState();
        keyView_ = KeyLightView(scene.light.position, casters_, groundPlane_, kShadowMapSize);
        if (keyView_) {
            DrawDepthMap(shadowMap_, *keyView_, true);
        }
        contactView_.reset();
        if (groundPlane_ && scene.studio.ambientOcclusion) {
            contactView_ =
                ContactView(*groundPlane_, casters_, kContactReach, kContactBelow, kContactMapSize);
        }
        if (contactView_) {
            DrawDepthMap(contactMap_, *contactView_, false);
        }
    }
    const int width = std::max(viewport_[2], 1);
    const int height = std::max(viewport_[3], 1);
    geometryBuffer_.Allocate(width, height);
    // Only the ground and its reflection are drawn beside the objects.
    if (groundPlane_) {
        passTarget_.Allocate(width, height, GL_RGBA16F, 1, true);
    }
    sumTarget_.Allocate(width, height, GL_RGBA16F, 1, false);
    const bool ready = geometryBuffer_.BindForGeometry() &&
                       (!groundPlane_ || passTarget_.BindLevel(0)) && sumTarget_.BindLevel(0);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    RestoreTarget();
    glPopAttrib();
    if (!ready) {
        failure_ = "no floating-point framebuffer";
    }
    return ready;
}

void StudioRenderer::DrawDepthMap(TextureTarget& target, const DepthView& view, bool cullFront) {
    const int size = &target == &shadowMap_ ? kShadowMapSize : kContactMapSize;
    const bool fresh = !target.IsAllocated();
    target.Allocate(size, size, 0, 1, true);
    if (fresh && cullFront) {
        glBindTexture(GL_TEXTURE_2D, target.depth());
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_MODE, GL_COMPARE_REF_TO_TEXTURE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_FUNC, GL_LEQUAL);
        glBindTexture(GL_TEXTURE_2D, 0);
    }
    if (!target.BindLevel(0)) {
        return;
    }
    glClear(GL_DEPTH_BUFFER_BIT);
    // The casters' far sides make the map: a lit face never meets its own depth (no acne), and
    // nothing is pushed away from where it touches (no gap under the letters).
    if (cullFront) {
        glCullFace(GL_FRONT);
        glEnable(GL_POLYGON_OFFSET_FILL);
        glPolygonOffset(1.0f, 2.0f);
    } else {
        glDisable(GL_CULL_FACE);
    }
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadMatrixf(glm::value_ptr(view.projection));
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadMatrixf(glm::value_ptr(view.view));
    for (const TextObject& object : renderer_.scene().objects) {
        if (object.glyphCount > 0 && !object.hidden) {
            renderer_.DrawObjectGeometry(object);
        }
    }
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glDisable(GL_POLYGON_OFFSET_FILL);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
}

void StudioRenderer::BindLighting(const ShaderProgram& program, int pass) const {
    const Scene& scene = renderer_.scene();
    const float* light = scene.light.position;
    gl_.Uniform4f(program.Location("lightPosition"), light[0], light[1], light[2], light[3]);
    program.Set("shadowMap", static_cast<int>(kShadowUnit));
    program.Set("hasShadowMap", keyView_ ? 1 : 0);
    if (keyView_) {
        program.SetMatrix("shadowMatrix", glm::value_ptr(TextureSpace(*keyView_)));
        program.Set("normalOffset", keyView_->texelWorld * 1.5f);
    }
    program.Set("shadowTexel", 1.0f / kShadowMapSize);
    program.Set("shadowRadius", 2.0f + scene.studio.shadowSoftness * (22.0f / 255.0f));
    program.Set("passIndex", pass);
    const glm::vec4 ground = groundPlane_ ? *groundPlane_ : glm::vec4(0.0f);
    gl_.Uniform4f(program.Location("groundPlane"), ground.x, ground.y, ground.z, ground.w);
}

void StudioRenderer::BindSurfaceLighting(const ShaderProgram& program, int pass,
                                         float weight) const {
    BindLighting(program, pass);
    program.Set("radianceMap", static_cast<int>(kRadianceUnit));
    gl_.Uniform3fv(program.Location("irradiance"), 9, glm::value_ptr(environment_.irradiance()[0]));
    program.Set("roughestLevel", static_cast<float>(environment_.roughestLevel()));
    program.Set("lightRadiance", kKeyLightRadiance, kKeyLightRadiance, kKeyLightRadiance);
    program.Set("surfaceTaps", SurfaceTaps(weight));
    program.Set("groundOcclusion",
                groundPlane_ && renderer_.scene().studio.ambientOcclusion ? 1 : 0);
}

bool StudioRenderer::MaterialPrograms::Build(const char* vertex, const std::string& fragment,
                                             std::string& log, const char* output) {
    return plain.Build(vertex, fragment.c_str(), log, output) &&
           textured.Build(vertex, Defining(fragment, "TEXTURED").c_str(), log, output);
}

void StudioRenderer::DrawMaterialObjects(const MaterialPrograms& programs) {
    for (const TextObject& object : renderer_.scene().objects) {
        if (object.glyphCount == 0 || object.hidden) {
            continue;
        }
        const SurfaceMaterial surface = ResolveSurface(object);
        const GLuint texture = renderer_.source().Texture(object);
        BindUnit(gl_, kBaseUnit, texture);
        const ShaderProgram& program = texture != 0 ? programs.textured : programs.plain;
        program.Use();
        program.Set("baseTexture", static_cast<int>(kBaseUnit));
        program.Set("baseColour", surface.baseColour[0], surface.baseColour[1],
                    surface.baseColour[2]);
        program.Set("metallic", surface.metallic);
        program.Set("roughness", surface.roughness);
        program.Set("emissive", surface.emissive[0], surface.emissive[1], surface.emissive[2]);
        renderer_.DrawObjectGeometry(object);
    }
}

bool StudioRenderer::DrawGeometry() {
    if (!geometryBuffer_.BindForGeometry()) {
        return false;
    }
    glClearStencil(0);
    glClear(GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glEnable(GL_STENCIL_TEST);
    glStencilOp(GL_KEEP, GL_KEEP, GL_REPLACE);
    if (groundPlane_) {
        // Only its depth: it hides what lies beneath it, and the view's aids behind it.
        glStencilFunc(GL_ALWAYS, 0, 0xFF);
        glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
        groundDepth_.Use();
        DrawGroundQuad();
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    }
    glStencilFunc(GL_ALWAYS, 1, 0xFF);
    for (const ShaderProgram* program : geometry_.Both()) {
        program->Use();
        program->SetMatrix("viewToWorld", glm::value_ptr(viewToWorld_));
        program->SetMatrix("mirror", glm::value_ptr(glm::mat4(1.0f)));
        gl_.Uniform4f(program->Location("clipPlane"), 0.0f, 0.0f, 0.0f, -1.0f);
    }
    DrawMaterialObjects(geometry_);
    glDisable(GL_STENCIL_TEST);
    return true;
}

void StudioRenderer::DrawReflection(int pass, float weight) {
    const glm::mat4 mirror = MirrorIn(*groundPlane_);
    const glm::vec3 eye = glm::vec3(mirror * viewToWorld_[3]);
    const glm::vec4 clip = *groundPlane_;
    for (const ShaderProgram* program : reflected_.Both()) {
        program->Use();
        BindSurfaceLighting(*program, pass, weight);
        program->SetMatrix("viewToWorld", glm::value_ptr(viewToWorld_));
        program->Set("eyePosition", eye.x, eye.y, eye.z);
        program->SetMatrix("mirror", glm::value_ptr(mirror));
        gl_.Uniform4f(program->Location("clipPlane"), clip.x, clip.y, clip.z, clip.w);
        program->Set("strength", kReflectionStrength);
        program->Set("fade", kReflectionFade);
    }
    glPushMatrix();
    glMultMatrixf(glm::value_ptr(mirror));
    glFrontFace(GL_CW);
    glEnable(GL_CLIP_DISTANCE0);
    DrawMaterialObjects(reflected_);
    glDisable(GL_CLIP_DISTANCE0);
    glFrontFace(GL_CCW);
    glPopMatrix();
}

void StudioRenderer::DrawGroundQuad() const {
    const Scene& scene = renderer_.scene();
    const glm::vec3 n(*groundPlane_);
    const glm::vec3 target(scene.view.target[0], scene.view.target[1], scene.view.target[2]);
    const glm::vec3 centre = target - n * (glm::dot(n, target) + groundPlane_->w);
    const glm::vec3 u = glm::normalize(
        glm::cross(n, std::abs(n.y) < 0.9f ? glm::vec3(0, 1, 0) : glm::vec3(1, 0, 0)));
    const glm::vec3 v = glm::cross(n, u);
    // Seen from either side: the plane faces the eye by construction.
    glDisable(GL_CULL_FACE);
    glBegin(GL_QUADS);
    for (const glm::vec2 corner :
         {glm::vec2(-1, -1), glm::vec2(1, -1), glm::vec2(1, 1), glm::vec2(-1, 1)}) {
        const glm::vec3 p = centre + (u * corner.x + v * corner.y) * kGroundHalfSize;
        glVertex3f(p.x, p.y, p.z);
    }
    glEnd();
    glEnable(GL_CULL_FACE);
}

void StudioRenderer::DrawGround(int pass) {
    const Scene& scene = renderer_.scene();
    groundProgram_.Use();
    BindLighting(groundProgram_, pass);
    const glm::vec3 shadow = LinearColour(scene.shadow.color);
    groundProgram_.Set("shadowColour", shadow.x, shadow.y, shadow.z);
    groundProgram_.Set("shadowStrength", kGroundShadowStrength);
    groundProgram_.Set("contactMap", static_cast<int>(kContactUnit));
    groundProgram_.Set("hasContactMap", contactView_ ? 1 : 0);
    if (contactView_) {
        groundProgram_.SetMatrix("contactMatrix", glm::value_ptr(TextureSpace(*contactView_)));
        groundProgram_.Set("contactDepthRange", contactView_->depthRange);
        groundProgram_.Set("contactBelow", kContactBelow);
        groundProgram_.Set("contactReach", kContactReach);
        groundProgram_.Set("contactUvPerUnit", 1.0f / (contactView_->texelWorld * kContactMapSize));
    }
    DrawGroundQuad();
}

// Over whole blocks of pixels, stencilled: the objects' pixels lit from the geometry buffer,
// the others (ground and reflection) from the pass buffer.
void StudioRenderer::Shade(int pass, float weight) {
    if (!geometryBuffer_.BindForShading(sumTarget_.colour())) {
        return;
    }
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    glEnable(GL_STENCIL_TEST);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    glStencilFunc(GL_EQUAL, 1, 0xFF);
    BindUnit(gl_, kSurfaceUnit, geometryBuffer_.surfaces());
    BindUnit(gl_, kDepthUnit, geometryBuffer_.depth());
    const ShaderProgram& shaded = SurfaceTaps(weight) == 4 ? shaded_ : shadedFewTaps_;
    shaded.Use();
    BindSurfaceLighting(shaded, pass, weight);
    const glm::vec3 eye(viewToWorld_[3]);
    shaded.Set("eyePosition", eye.x, eye.y, eye.z);
    shaded.Set("surfaces", static_cast<int>(kSurfaceUnit));
    shaded.Set("depths", static_cast<int>(kDepthUnit));
    shaded.SetMatrix("pixelToWorld",
                     glm::value_ptr(PixelToWorld(viewToWorld_, std::max(viewport_[2], 1),
                                                 std::max(viewport_[3], 1))));
    shaded.Set("exposure", Exposure());
    shaded.Set("weight", weight);
    DrawFullscreenQuad();
    if (groundPlane_) {
        glStencilFunc(GL_NOTEQUAL, 1, 0xFF);
        Accumulate(weight);
    }
}

void StudioRenderer::Accumulate(float weight) {
    BindUnit(gl_, kPassUnit, passTarget_.colour());
    accumulate_.Use();
    accumulate_.Set("passColour", static_cast<int>(kPassUnit));
    accumulate_.Set("exposure", Exposure());
    accumulate_.Set("weight", weight);
    DrawFullscreenQuad();
}

void StudioRenderer::DrawPass(int pass, float weight) {
    viewToWorld_ = glm::inverse(CurrentMatrix(GL_MODELVIEW_MATRIX));
    const Scene& scene = renderer_.scene();
    glPushAttrib(kSavedAttributes);
    SetDrawState();
    BindUnit(gl_, kRadianceUnit, environment_.radiance());
    BindUnit(gl_, kShadowUnit, shadowMap_.depth());
    BindUnit(gl_, kContactUnit, contactMap_.depth());
    if (DrawGeometry()) {
        // Without a ground nothing but the objects is drawn.
        if (groundPlane_ && passTarget_.BindLevel(0)) {
            glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            glEnable(GL_BLEND);
            // Premultiplied: the reflection and the ground's shadow keep their coverage in alpha.
            glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
            if (scene.studio.groundReflection) {
                DrawReflection(pass, weight);
            }
            DrawGround(pass);
        }
        Shade(pass, weight);
    }
    BindUnit(gl_, kBaseUnit, 0);
    gl_.ActiveTexture(GL_TEXTURE0);
    gl_.UseProgram(0);
    RestoreTarget();
    glPopAttrib();
}

void StudioRenderer::Finish(bool transparent, bool writeDepth) {
    glPushAttrib(kSavedAttributes);
    RestoreTarget();
    glViewport(viewport_[0], viewport_[1], viewport_[2], viewport_[3]);
    glDisable(GL_BLEND);
    glDisable(GL_CULL_FACE);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    // A copy of the depth costs less than a program that writes it.
    const bool shaderDepth =
        writeDepth &&
        !geometryBuffer_.CopyDepthTo(static_cast<GLuint>(framebuffer_), viewport_[0], viewport_[1]);
    if (shaderDepth) {
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_ALWAYS);
        glDepthMask(GL_TRUE);
    } else {
        glDisable(GL_DEPTH_TEST);
    }
    const ShaderProgram& output = shaderDepth ? outputWithDepth_ : output_;
    BindUnit(gl_, kPassUnit, sumTarget_.colour());
    BindUnit(gl_, kDepthUnit, geometryBuffer_.depth());
    output.Use();
    output.Set("sum", static_cast<int>(kPassUnit));
    output.Set("depth", static_cast<int>(kDepthUnit));
    gl_.Uniform2i(output.Location("origin"), viewport_[0], viewport_[1]);
    output.Set("transparent", transparent ? 1 : 0);
    const glm::vec3 background = LinearColour(renderer_.scene().backgroundColor);
    output.Set("background", background.x, background.y, background.z);
    DrawFullscreenQuad();
    gl_.ActiveTexture(GL_TEXTURE0);
    gl_.UseProgram(0);
    glPopAttrib();
}

float StudioRenderer::Exposure() const {
    return std::exp2(static_cast<float>(renderer_.scene().studio.exposureTenthsEv) / 10.0f);
}

void StudioRenderer::RestoreTarget() const {
    gl_.BindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(framebuffer_));
}

void StudioRenderer::Abandon() {
    for (ShaderProgram* program : {&geometry_.plain, &geometry_.textured, &shaded_, &shadedFewTaps_,
                                   &reflected_.plain, &reflected_.textured, &groundProgram_,
                                   &groundDepth_, &accumulate_, &output_, &outputWithDepth_}) {
        program->Abandon();
    }
    geometryBuffer_.Abandon();
    for (TextureTarget* target : {&shadowMap_, &contactMap_, &passTarget_, &sumTarget_}) {
        target->Abandon();
    }
    environment_.Abandon();
    programsBuilt_ = false;
    depthMapSignature_.reset();
    environmentFile_.reset();
}
