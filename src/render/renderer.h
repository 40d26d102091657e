#pragma once
// Draws one frame of the scene into the back buffer of the current context; the caller swaps.
// Every colour (background, guides, shadow, materials) is read from the scene as it is then.

#include <GL/gl.h>

#include <functional>
#include <memory>
#include <string>

#include "render/draw_source.h"
#include "scene/scene.h"

class StudioRenderer;

class Renderer {
  public:
    // The objects' glyphs and textures come from source, which belongs to the current context.
    Renderer(Scene& scene, DrawSource& source);
    // The studio look's names are deleted: its context must be current, or AbandonStudio called.
    ~Renderer();
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;
    // Draws from another source from now on (hand-made geometry in tests).
    void SetSource(DrawSource& source) { source_ = &source; }

    // finalImage 0: the interactive frame (in the scene's look), after which the source lets go
    // of what the scene no longer shows; 1: the antialiased render through the runner below.
    void RenderScene(int finalImage);
    // mode: GL_SELECT for the picking pass, 0 otherwise.
    void DrawAllObjects(GLenum mode, int shadowPass);
    void DrawTextObject(const TextObject& object, GLenum mode, int shadowPass);
    void DrawGuideLines(float r, float g, float b);
    void DrawLightMarker();
    // The shadow pass of all objects through the shadow matrix of the current plane and light.
    void DrawShadows();

    // Runs the modal antialiased render, which leaves its average in the back buffer.
    void SetAntialiasRunner(std::function<void()> runner) { antialiasRunner_ = std::move(runner); }

    // The view transform: identity, then the look-at of the eye and target.
    void ApplyViewTransform();
    // Fixes the light in world space through the view transform; moves the marker there.
    void PlaceLight();

    // The object's glyphs (from their vertex buffers) through its transform, with whatever state
    // and program is current.
    void DrawObjectGeometry(const TextObject& object);
    // The object's transform (without the view) as 16 floats, columns first.
    void ObjectMatrix(const TextObject& object, float columns[16]) const;

    // The studio look of the current context (made on first use), begun on a picture the size
    // of the viewport; nullptr where the context cannot draw it (studioFailure() says why).
    StudioRenderer* BeginStudio();
    const std::string& studioFailure() const { return studioFailure_; }
    // The context went: the studio look's names are dropped, not deleted.
    void AbandonStudio();

    Scene& scene() { return scene_; }
    DrawSource& source() { return *source_; }
    const double* markerPosition() const { return markerPosition_; }

  private:
    void ApplyObjectTransform(const TextObject& object) const;
    void DrawHighlightBox(const TextObject& object) const;
    // fromBuffers: the glyphs' vertex buffers, for the studio look's shaders.
    void DrawGlyph(const TextObject& object, int glyph, bool fromBuffers);
    void CallGlyphLists(const TextObject& object, bool fromBuffers = false);
    // Typeset text: each glyph at its own place rather than after the one before.
    void CallPlacedGlyphLists(const TextObject& object, bool fromBuffers);
    // The interactive frame in the studio look; false where the context cannot draw it.
    bool RenderStudioFrame();
    StudioRenderer* Studio();
    void DrawGuidesAndMarker();
    void DrawEditingAids();

    Scene& scene_;
    DrawSource* source_;
    double markerPosition_[3] = {0.0, 0.0, 0.0};
    float frameShadowMatrix_[16] = {};
    std::function<void()> antialiasRunner_;
    std::unique_ptr<StudioRenderer> studio_;
    std::string studioFailure_;
};
