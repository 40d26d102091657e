#pragma once
// The preferences: antialiasing on/off and level, perspective, background colour, JPEG settings.

#include <wx/checkbox.h>
#include <wx/dialog.h>
#include <wx/slider.h>

#include "dialogs/user_prompts.h"
#include "scene/app_settings.h"
#include "scene/scene.h"

// What the dialog needs of the window whose view it changes.
class PreferencesHost {
  public:
    virtual ~PreferencesHost() = default;
    // The interactive projection again (after a perspective change), then a redraw.
    virtual void ApplyPerspective() = 0;
    // The clear colour of the current context from the background, then a redraw.
    virtual void ApplyBackground() = 0;
    // A new context with (on) or without (off) an accumulation buffer, and everything rebuilt in
    // it. False when no context could be made; the creation's own message has been shown.
    virtual bool SwitchAntialiasOn() = 0;
    virtual bool SwitchAntialiasOff() = 0;
    // False after a failed switch-on released the old context.
    virtual bool HasRenderContext() const = 0;
};

enum PreferencesControlId {
    kIdAntialiasLevel = 1033,
    kIdPerspective = 1034,
    kIdAntialiasCheck = 1037,
    kIdBackgroundColour = 1038,
    kIdJpegQuality = 1039,
    kIdProgressive = 1040,
};

// Slider position of a pass count in the antialias levels; 0 when it is not one of them.
int AntialiasLevelPosition(int32_t level);

class PreferencesDialog : public wxDialog {
  public:
    PreferencesDialog(wxWindow* parent, Scene& scene, AppSettings& settings, UserPrompts& prompts,
                      PreferencesHost& host);

    // Handlers, public so that tests can drive them as the controls do.
    void OnPerspectiveScroll(wxScrollEvent& event);
    void OnAntialiasCheck(wxCommandEvent& event);
    void OnBackgroundColour(wxCommandEvent& event);
    void OnOk(wxCommandEvent& event);
    void OnCancel(wxCommandEvent& event);

  private:
    wxSlider* MakeSlider(int id, int minimum, int maximum, int position);
    void Finish(int returnCode);

    Scene& scene_;
    AppSettings& settings_;
    UserPrompts& prompts_;
    PreferencesHost& host_;
    int32_t savedAntialias_;
    wxSlider* levelSlider_;
    wxSlider* perspectiveSlider_;
    wxSlider* qualitySlider_;
    wxCheckBox* antialiasCheck_;
    wxCheckBox* progressiveCheck_;
};
