#pragma once
// The view of the document: the canvas with its GL context, the renderer, what the context holds
// for the scene, and the antialiased preview kept between repaints. It sets the context up once
// the canvas is on screen and guards the paint against what runs inside it.

#include <wx/gdicmn.h>

#include <functional>

#include "app/gl_view.h"
#include "app/render_context.h"
#include "dialogs/user_prompts.h"
#include "document/document.h"
#include "render/held_frame.h"
#include "render/render_cache.h"
#include "render/renderer.h"

class ViewPort {
  public:
    // owner: the window the canvases are made in and their messages belong to.
    ViewPort(wxWindow* owner, Document& document, UserPrompts& prompts);
    ~ViewPort();
    ViewPort(const ViewPort&) = delete;
    ViewPort& operator=(const ViewPort&) = delete;

    // Takes a new canvas and context, whose events go to handler; no set-up yet.
    void Adopt(const RenderContext& context, GlViewHandler* handler);
    // The canvas and context go; the cache's names die with the context.
    void Release();
    // After a re-creation: sets up at once when the new canvas is already realised, else at its
    // first paint, keeping the accumulation clear value of the new context's kind.
    void SetUpRecreated();

    // False when no GL context could be made.
    bool HasRenderContext() const { return context_.IsValid(); }
    // True once the context is current and the fixed state, light and projection are set.
    bool IsViewReady() const { return viewReady_; }
    // Does the set-up now if the canvas is already on screen; false when it is not.
    bool EnsureViewReady();
    // Makes the context current on the canvas; false before the canvas is realised.
    bool MakeCurrent();

    GlView* canvas() { return context_.canvas; }
    Renderer& renderer() { return renderer_; }
    RenderCache& cache() { return cache_; }
    // The canvas's size in pixels, as the viewport counts them.
    wxSize PixelSize() const;

    // Redraws the whole view (no erase); something changed, so a held preview gives way.
    void InvalidateView();
    // The background or the perspective changed: the next paint sets the projection anew.
    void ResetProjectionAtNextPaint() { projectionStale_ = true; }
    // Runs work with the context current while the view's paints and resizes wait: a progress
    // window's loop inside work must not draw into what work has bound. The view is drawn again
    // afterwards. False, without running work, when the view is not ready or a paint is running.
    bool RunInViewContext(const std::function<void()>& work);

    // One paint: draw runs with the context current and the fixed state set, then the frame is
    // shown. False, without drawing, while another paint runs or before the canvas is realised.
    bool Paint(const std::function<void()>& draw);
    // True while a paint or a held run is under way.
    bool IsPainting() const { return painting_; }
    // Inside a paint: the preview (kept for the repaints that follow), else the kept preview,
    // else a plain frame.
    void DrawScene(bool preview);
    void Resize(int width, int height);

  private:
    // The set-up done once the canvas exists on screen with its real size.
    bool SetUpView();
    void ApplyStaleProjection();

    wxWindow* owner_;
    Scene& scene_;
    AppSettings& settings_;
    UserPrompts& prompts_;
    // What the view's context holds for the scene; emptied without deletes when it goes.
    RenderCache cache_;
    Renderer renderer_;
    RenderContext context_;
    // The last preview, shown by repaints until something changes.
    HeldFrame heldPreview_;
    bool viewReady_ = false;
    // True while a paint runs: paints and resizes arriving from the nested loop of its modal
    // antialiased render must not touch GL between the passes.
    bool painting_ = false;
    bool resizedWhilePainting_ = false;
    // The first set-up resets the scene settings; one after a re-creation keeps the
    // accumulation clear value of the new context's kind.
    bool sceneSettingsReset_ = false;
    bool contextRecreated_ = false;
    bool projectionStale_ = false;
};
