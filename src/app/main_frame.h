#pragma once
// The program's one top-level window: the view canvas, the GL context, and the shell's state.

#include <wx/frame.h>

#include <string>

#include "app/gl_view.h"
#include "app/render_context.h"
#include "app/user_prompts.h"
#include "render/gl_resource_releaser.h"
#include "render/renderer.h"
#include "scene/app_settings.h"
#include "scene/scene.h"

// The caption: the title prefix followed by the suffix (UTF-8).
std::string ComposeTitle(const std::string& suffix);

class MainFrame : public wxFrame, private GlViewHandler {
public:
    MainFrame(Scene& scene, AppSettings& settings, UserPrompts& prompts);
    ~MainFrame() override;

    // False when no GL context could be made; the message has been shown and the frame must go.
    bool HasRenderContext() const { return renderContext_.IsValid(); }
    // True once the context is current and the fixed state, light and projection are set.
    bool IsViewReady() const { return viewReady_; }

    GlView* view() { return renderContext_.canvas; }
    Renderer& renderer() { return renderer_; }
    Scene& scene() { return scene_; }
    AppSettings& settings() { return settings_; }
    UserPrompts& prompts() { return prompts_; }
    // Makes the context current on the canvas; false before the canvas is realised.
    bool MakeCurrent();
    // Redraws the whole view (no erase).
    void InvalidateView();

private:
    void OnViewPaint() override;
    void OnViewSize(int width, int height) override;
    // The set-up done once the canvas exists on screen with its real size.
    bool SetUpView();

    Scene& scene_;
    AppSettings& settings_;
    UserPrompts& prompts_;
    Renderer renderer_;
    GlResourceReleaser releaser_;
    RenderContext renderContext_;
    bool viewReady_ = false;
};
