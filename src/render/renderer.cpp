#include "render/renderer.h"

#include <GL/glu.h>

#include <array>

#include "render/shadow_matrix.h"
#include "render/studio/studio_renderer.h"

namespace {

// A software rasteriser keeps every triangle of a frame binned until it is flushed: flushing
// every few glyphs bounds that memory (a 32-object scene holds a million triangles) and lets its
// threads rasterise while the next glyphs are set up.
constexpr int32_t kGlyphsPerFlush = 4;

void ApplyMaterial(const float diffuse[4], const float specular[4], const float ambient[4],
                   float shininess) {
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, shininess);
}

void ApplyTexturedMaterial() {
    static const float kWhite[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    ApplyMaterial(kWhite, kWhite, kWhite, 128.0f);
}

void ApplyObjectMaterial(const TextObject& object) {
    ApplyMaterial(object.diffuse, object.specular, object.ambient, object.shininess);
}

void ApplyRotation(const TextObject& object) {
    glRotatef(object.rotation[0], 1.0f, 0.0f, 0.0f);
    glRotatef(object.rotation[1], 0.0f, 1.0f, 0.0f);
    glRotatef(object.rotation[2], 0.0f, 0.0f, 1.0f);
}

}  // namespace

Renderer::Renderer(Scene& scene, DrawSource& source) : scene_(scene), source_(&source) {}

Renderer::~Renderer() = default;

StudioRenderer* Renderer::Studio() {
    if (!studio_ && studioFailure_.empty()) {
        studio_ = std::make_unique<StudioRenderer>(*this);
    }
    return studio_.get();
}

void Renderer::AbandonStudio() {
    if (studio_) {
        studio_->Abandon();
        studio_.reset();
    }
    studioFailure_.clear();
}

void Renderer::ApplyViewTransform() {
    const ViewState& view = scene_.view;
    const std::array<float, 3> eye = view.Eye();
    glLoadIdentity();
    gluLookAt(eye[0], eye[1], eye[2], view.target[0], view.target[1], view.target[2], 0.0, 1.0,
              0.0);
}

void Renderer::PlaceLight() {
    glLightfv(GL_LIGHT0, GL_POSITION, scene_.light.position);
    for (int i = 0; i < 3; ++i) {
        markerPosition_[i] = scene_.light.position[i];
    }
}

void Renderer::RenderScene(int finalImage) {
    const float* background = scene_.backgroundColor;
    glClearColor(background[0], background[1], background[2], 1.0f);
    if (finalImage == 1) {
        glClear(GL_ACCUM_BUFFER_BIT);
        if (antialiasRunner_) {
            antialiasRunner_();
        }
        return;
    }
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    ApplyViewTransform();
    PlaceLight();
    if (scene_.studio.look == SceneLook::kStudio && RenderStudioFrame()) {
        DrawEditingAids();
        source_->KeepOnly(scene_);
        return;
    }
    DrawGuidesAndMarker();
    DrawAllObjects(0, 0);
    if (scene_.shadow.enabled == 1) {
        DrawShadows();
    }
    source_->KeepOnly(scene_);
}

StudioRenderer* Renderer::BeginStudio() {
    StudioRenderer* studio = Studio();
    if (studio != nullptr && !studio->Begin()) {
        // Not asked again in this context: the classic look stands in.
        studioFailure_ = studio->failure();
        studio_.reset();
        return nullptr;
    }
    return studio;
}

bool Renderer::RenderStudioFrame() {
    StudioRenderer* studio = BeginStudio();
    if (studio == nullptr) {
        return false;
    }
    studio->DrawPass(0, 1.0f);
    studio->Finish(false, true);
    return true;
}

void Renderer::DrawGuidesAndMarker() {
    if (scene_.view.showGuides == 1) {
        const float* bg = scene_.backgroundColor;
        DrawGuideLines(1.0f - bg[0], 1.0f - bg[1], 1.0f - bg[2]);
    }
    if (scene_.light.visible == 1) {
        DrawLightMarker();
    }
}

// The guides, the light's marker and the selection's boxes, over the studio look's frame and
// within its depth.
void Renderer::DrawEditingAids() {
    DrawGuidesAndMarker();
    for (const TextObject& object : scene_.objects) {
        if (object.glyphCount > 0 && !object.hidden && object.highlighted == 1) {
            DrawHighlightBox(object);
        }
    }
}

void Renderer::DrawShadows() {
    PlanarShadowMatrix(frameShadowMatrix_, scene_.shadow.plane, scene_.light.position);
    glPushMatrix();
    glMultMatrixf(frameShadowMatrix_);
    DrawAllObjects(0, 1);
    glPopMatrix();
}

void Renderer::DrawAllObjects(GLenum mode, int shadowPass) {
    for (const TextObject& object : scene_.objects) {
        DrawTextObject(object, mode, shadowPass);
    }
}

void Renderer::ApplyObjectTransform(const TextObject& object) const {
    const float* p = object.position;
    const float* s = object.scale;
    glTranslatef(p[0], p[1], p[2]);
    ApplyRotation(object);
    glTranslatef(-(object.textWidth * s[0]) / 2.0f, -object.textBottom, 0.0f);
    glScalef(s[0], s[1], 1.0f);
}

void Renderer::DrawObjectGeometry(const TextObject& object) {
    glPushMatrix();
    ApplyObjectTransform(object);
    CallGlyphLists(object, true);
    glPopMatrix();
}

void Renderer::ObjectMatrix(const TextObject& object, float columns[16]) const {
    glPushMatrix();
    glLoadIdentity();
    ApplyObjectTransform(object);
    glGetFloatv(GL_MODELVIEW_MATRIX, columns);
    glPopMatrix();
}

void Renderer::DrawGlyph(const TextObject& object, int glyph, bool fromBuffers) {
    if (fromBuffers) {
        source_->DrawGlyphFromBuffer(object, glyph);
    } else {
        source_->DrawGlyph(object, glyph);
    }
}

void Renderer::CallGlyphLists(const TextObject& object, bool fromBuffers) {
    if (object.typeset) {
        CallPlacedGlyphLists(object, fromBuffers);
        return;
    }
    for (int32_t i = 0; i < object.glyphCount; ++i) {
        DrawGlyph(object, i, fromBuffers);
        if (i % kGlyphsPerFlush == kGlyphsPerFlush - 1) {
            glFlush();
        }
        glTranslatef(object.glyphMetrics[i].gmfCellIncX, 0.0f, 0.0f);
    }
}

void Renderer::CallPlacedGlyphLists(const TextObject& object, bool fromBuffers) {
    for (int32_t i = 0; i < object.glyphCount; ++i) {
        const GlyphPlacement& place = object.glyphPlacements[i];
        glPushMatrix();
        glTranslatef(place.x, place.y, 0.0f);
        if (place.sideways) {
            glRotatef(-90.0f, 0.0f, 0.0f, 1.0f);
        }
        DrawGlyph(object, i, fromBuffers);
        glPopMatrix();
        if (i % kGlyphsPerFlush == kGlyphsPerFlush - 1) {
            glFlush();
        }
    }
}

void Renderer::DrawHighlightBox(const TextObject& object) const {
    static const float kCorners[8][3] = {{-1, -1, -1}, {0, -1, -1}, {0, 0, -1}, {-1, 0, -1},
                                         {-1, -1, 0},  {0, -1, 0},  {0, 0, 0},  {-1, 0, 0}};
    static const int kEdges[12][2] = {{0, 1}, {1, 2}, {2, 3}, {4, 5}, {5, 6}, {6, 7},
                                      {2, 6}, {0, 3}, {4, 7}, {3, 7}, {5, 1}, {4, 0}};
    const float* s = object.scale;
    const float width = object.textWidth * s[0];
    glDisable(GL_LIGHTING);
    glPushMatrix();
    glColor4f(scene_.guideColor[0], scene_.guideColor[1], scene_.guideColor[2], 1.0f);
    glTranslatef(object.position[0], object.position[1], object.position[2]);
    ApplyRotation(object);
    glTranslatef(-width / 2.0f, 0.0f, 0.0f);
    glScalef(-width, (object.textBottom - object.textHeight) * s[1], s[2]);
    glBegin(GL_LINES);
    for (const auto& edge : kEdges) {
        glVertex3fv(kCorners[edge[0]]);
        glVertex3fv(kCorners[edge[1]]);
    }
    glEnd();
    glPopMatrix();
    glEnable(GL_LIGHTING);
}

void Renderer::DrawTextObject(const TextObject& object, GLenum mode, int shadowPass) {
    if (object.glyphCount == 0 || object.hidden) {
        return;
    }
    if (mode == GL_SELECT) {
        glPushMatrix();
        ApplyObjectTransform(object);
        ApplyObjectMaterial(object);
        glLoadName(static_cast<GLuint>(object.index));
        CallGlyphLists(object);
        glPopMatrix();
        return;
    }
    const GLuint texture = shadowPass == 0 ? source_->Texture(object) : 0;
    const bool textured = texture != 0;
    if (object.highlighted == 1 && shadowPass == 0) {
        DrawHighlightBox(object);
    }
    if (textured) {
        glBindTexture(GL_TEXTURE_2D, texture);
        glEnable(GL_TEXTURE_2D);
    }
    glPushMatrix();
    ApplyObjectTransform(object);
    if (textured) {
        ApplyTexturedMaterial();
    } else if (shadowPass == 1) {
        glDisable(GL_LIGHTING);
        // The shadow is opaque whatever alpha a scene file gave its colour.
        const float* c = scene_.shadow.color;
        glColor4f(c[0], c[1], c[2], 1.0f);
    } else {
        ApplyObjectMaterial(object);
    }
    CallGlyphLists(object);
    glPopMatrix();
    glEnable(GL_LIGHTING);
    if (textured) {
        glDisable(GL_TEXTURE_2D);
    }
}

void Renderer::DrawGuideLines(float r, float g, float b) {
    glPushMatrix();
    glDisable(GL_LIGHTING);
    glBegin(GL_LINES);
    glColor4f(r, g, b, 1.0f);
    glVertex3f(100.0f, 0.0f, 0.0f);
    glVertex3f(-100.0f, 0.0f, 0.0f);
    glVertex3f(0.0f, 100.0f, 0.0f);
    glVertex3f(0.0f, -100.0f, 0.0f);
    glVertex3f(0.0f, 0.0f, 100.0f);
    glVertex3f(0.0f, 0.0f, -100.0f);
    glEnd();
    glEnable(GL_LIGHTING);
    glPopMatrix();
}

void Renderer::DrawLightMarker() {
    static const float kVertices[4][3] = {
        {0.0f, 0.816f, 0.0f}, {0.0f, 0.0f, 0.577f}, {-0.5f, 0.0f, -0.289f}, {0.5f, 0.0f, -0.289f}};
    static const int kFaces[4][3] = {{1, 2, 3}, {0, 2, 1}, {0, 1, 3}, {2, 0, 3}};
    static const float kCornerColours[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    glDisable(GL_LIGHTING);
    glPushMatrix();
    glTranslated(markerPosition_[0], markerPosition_[1], markerPosition_[2]);
    glRotated(180.0, 1.0, 0.0, 0.0);
    glScaled(0.5, 0.5, 0.5);
    glBegin(GL_TRIANGLES);
    for (const auto& face : kFaces) {
        for (int corner = 0; corner < 3; ++corner) {
            glColor3fv(kCornerColours[corner]);
            glVertex3fv(kVertices[face[corner]]);
        }
    }
    glEnd();
    glPopMatrix();
    glEnable(GL_LIGHTING);
}
