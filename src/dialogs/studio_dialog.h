#pragma once
// Sets the studio look's light and ground: the built-in studio or an HDR picture around the
// scene, the exposure, how soft the shadow is, and the ground's reflection and occlusion. Every
// change is shown at once and marks the scene modified, as the shadow dialog does.

#include <wx/checkbox.h>
#include <wx/dialog.h>
#include <wx/radiobut.h>
#include <wx/spinctrl.h>
#include <wx/textctrl.h>

#include <string>

#include "dialogs/invalidate_view.h"
#include "dialogs/user_prompts.h"
#include "scene/scene.h"

inline constexpr int kStudioBuiltInId = 1121;
inline constexpr int kStudioHdrFileId = 1122;
inline constexpr int kStudioPathId = 1123;
inline constexpr int kStudioBrowseId = 1124;
inline constexpr int kStudioExposureId = 1125;
inline constexpr int kStudioSoftnessId = 1126;
inline constexpr int kStudioReflectionId = 1127;
inline constexpr int kStudioOcclusionId = 1128;

class StudioDialog : public wxDialog {
  public:
    StudioDialog(wxWindow* parent, Scene& scene, UserPrompts& prompts,
                 InvalidateView invalidateView);

  private:
    void ShowSettings();
    void OnBuiltIn();
    void OnHdrFile();
    // Asks for a picture; false when cancelled or its path cannot be stored.
    bool ChooseHdrFile();
    void Apply(const StudioSettings& studio);

    Scene& scene_;
    UserPrompts& prompts_;
    InvalidateView invalidateView_;
    // CP932; the file chosen last, taken again when the HDR choice comes back.
    std::string hdrFile_;
    wxRadioButton* builtIn_;
    wxRadioButton* hdrFileChoice_;
    wxTextCtrl* path_;
    wxSpinCtrlDouble* exposure_;
    wxSpinCtrl* softness_;
    wxCheckBox* reflection_;
    wxCheckBox* occlusion_;
};
