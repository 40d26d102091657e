#pragma once
// The program's one top-level window: menus, toolbar, keys, the view canvas, the GL context, and
// the shell's state that the commands, the mouse and the painting share.

#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/toolbar.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "app/gl_view.h"
#include "app/modal_dialog_count.h"
#include "app/prompts_message_sink.h"
#include "app/render_context.h"
#include "app/view_mouse.h"
#include "dialogs/document_host.h"
#include "dialogs/user_prompts.h"
#include "formats/texture_pictures.h"
#include "render/client_rect.h"
#include "render/held_frame.h"
#include "render/render_cache.h"
#include "render/renderer.h"
#include "scene/app_settings.h"
#include "scene/edit_history.h"
#include "scene/scene.h"
#include "text/glyph_layout.h"

class HelpBook;

// The caption: the title prefix followed by the suffix (UTF-8).
std::string ComposeTitle(const std::string& suffix);

class MainFrame : public wxFrame,
                  public DocumentHost,
                  private GlViewHandler,
                  private ViewMouseHost {
  public:
    MainFrame(Scene& scene, AppSettings& settings, UserPrompts& prompts, GlyphSource& glyphSource);
    ~MainFrame() override;

    // False when no GL context could be made; the message has been shown and the frame must go.
    bool HasRenderContext() const { return renderContext_.IsValid(); }
    // True once the context is current and the fixed state, light and projection are set.
    bool IsViewReady() const { return viewReady_; }
    // Does the view's set-up now if the canvas is already on screen; false when it is not.
    bool EnsureViewReady();

    GlView* view() { return renderContext_.canvas; }
    Renderer& renderer() { return renderer_; }
    wxWindow* window() override { return this; }
    Scene& scene() override { return scene_; }
    AppSettings& settings() { return settings_; }
    UserPrompts& prompts() override { return prompts_; }
    // Messages of the display-free layers, as message boxes owned by this window.
    MessageSink& messages() override { return messages_; }
    GlyphLayout& glyphs() override { return glyphs_; }
    TexturePictures& pictures() override { return pictures_; }
    RenderCache& cache() { return cache_; }
    wxToolBar* toolbar() { return toolbar_; }
    wxMenu* objectMenu() { return objectMenu_.get(); }
    HelpBook& helpBook();

    // Makes the context current on the canvas; false before the canvas is realised.
    bool MakeCurrent();
    // Redraws the whole view (no erase).
    void InvalidateView() override;
    // The background or the perspective changed: the next paint sets the projection anew.
    void ResetProjectionAtNextPaint() { projectionStale_ = true; }
    // Runs work with the context current while the view's paints and resizes wait: a progress
    // window's loop inside work must not draw into what work has bound. The view is drawn again
    // afterwards. False, without running work, when the view is not ready or a paint is running.
    bool RunInViewContext(const std::function<void()>& work);
    // Shows the object menu at (x, y) of the view; returns the command chosen, or 0.
    int ChooseFromObjectMenu(int x, int y) override;

    void EnableObjectButtons() override;
    void DisableObjectButtons() override;
    // While a region is dragged out nothing else may start: every menu and button is off.
    void LockForRegionCapture();
    // Gives back the menus and the buttons that do not need a picked object.
    void UnlockAfterRegionCapture() override;
    // Highlight off, no current object, object buttons greyed, view redrawn (when one was set).
    void ClearSelection();
    // Replaces canvas and context by ones with (1) or without (0) an accumulation buffer; the
    // render cache fills itself again in the new context. Switching on releases the
    // old context first; switching off keeps it until the new one exists. False when no context
    // could be made (its message has been shown).
    bool SwitchRenderContext(int antialias);
    // The antialiased preview's button and menu item.
    void EnablePreviewCommand(bool enabled);
    // Opens the scene file at path (UTF-8) as the Open command would, once the view is set up.
    void OpenWhenReady(const std::string& path) { pendingOpen_ = path; }
    // False while a modal dialog, a region capture or a drawing is under way: a file opened
    // from outside then would swap the scene under it.
    bool MayOpenFromOutside() const;

    // The drag anchor and the region capture's flags and rectangle, which the view's mouse
    // handling and the capture commands drive.
    ViewMouseState mouse;
    int32_t previewRequested = 0;
    // Kept between uses of the font picker.
    FontRequest fontScratch;
    // The names the file dialogs open on: the scene dialogs and the texture dialog the one last
    // chosen in each, for the rest of the run; a capture's only between its dialog and the write.
    struct FileDialogNames {
        std::string save, open, texture, capture;
    } fileNames;
    // The steps Undo and Redo move over; true while a command's step is being recorded.
    EditHistory history;
    bool recordingStep = false;

  private:
    void OnViewPaint() override;
    void OnViewSize(int width, int height) override;
    void OnViewMouse(const ViewMouseEvent& event) override;
    int PickObjectAt(int x, int y) override;
    void RedrawView() override;
    void RunCommand(int command) override;
    bool ChooseCaptureFile(const ClientRect& region) override;
    void OnCommand(wxCommandEvent& event);
    void OnCloseWindow(wxCloseEvent& event);
    void OnDropFiles(wxDropFilesEvent& event);
    // The set-up done once the canvas exists on screen with its real size.
    bool SetUpView();
    // The canvas's size in pixels, as the viewport counts them.
    wxSize ViewPixelSize() const;
    // Sets the projection when a command asked for it.
    void ApplyStaleProjection();
    void ReleaseViewContext();
    void SetObjectButtons(bool enabled) override;

    Scene& scene_;
    AppSettings& settings_;
    UserPrompts& prompts_;
    PromptsMessageSink messages_;
    TexturePictures pictures_;
    GlyphLayout glyphs_;
    // What the view's context holds for the scene; emptied without deletes when it goes.
    RenderCache cache_;
    Renderer renderer_;
    RenderContext renderContext_;
    wxToolBar* toolbar_ = nullptr;
    std::unique_ptr<wxMenu> objectMenu_;
    std::unique_ptr<HelpBook> helpBook_;
    bool viewReady_ = false;
    // True while a paint runs: paints and resizes arriving from the nested loop of its modal
    // antialiased render must not touch GL between the passes.
    bool painting_ = false;
    bool resizedWhilePainting_ = false;
    // The last preview, shown by repaints until something changes.
    HeldFrame heldPreview_;
    // The first set-up resets the scene settings; one after a re-creation keeps the
    // accumulation clear value of the new context's kind.
    bool sceneSettingsReset_ = false;
    bool contextRecreated_ = false;
    bool projectionStale_ = false;
    std::string pendingOpen_;
    ModalDialogCount modalDialogs_;
    ViewMouse viewMouse_{scene_, mouse, *this};
};
