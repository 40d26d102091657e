#pragma once
// Sets the light's position or direction, whether its marker is shown and whether it is a
// parallel light. Every arrow press marks the scene modified; the check boxes do not.

#include <wx/checkbox.h>

#include "dialogs/vector_dialog.h"
#include "scene/scene.h"

inline constexpr int kShowLightCheckId = 1029;
inline constexpr int kParallelLightCheckId = 1030;

class LightDialog : public VectorDialog {
  public:
    LightDialog(wxWindow* parent, Scene& scene, InvalidateView invalidateView);

  private:
    void BeforeNotification() override;
    void OnShowLight();
    void OnParallelLight();

    Scene& scene_;
    wxCheckBox* showLight_;
    wxCheckBox* parallelLight_;
};
