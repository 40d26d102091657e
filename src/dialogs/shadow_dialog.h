#pragma once
// Sets whether the planar shadow is drawn, the plane it falls on and its colour. Unlike the
// object dialogs, every change marks the scene modified.

#include <wx/checkbox.h>
#include <wx/dialog.h>

#include <memory>

#include "dialogs/invalidate_view.h"
#include "dialogs/spin_field.h"
#include "dialogs/user_prompts.h"
#include "scene/scene.h"

inline constexpr int kDrawShadowCheckId = 1021;
// Edits of A, B, C, D and the commands their spins are numbered after.
inline constexpr int kPlaneEditIds[4] = {1022, 1024, 1025, 1026};
inline constexpr int kPlaneSpinCommands[4] = {40025, 40026, 40027, 40028};
inline constexpr int kShadowColourCommand = 40073;

class ShadowDialog : public wxDialog {
  public:
    ShadowDialog(wxWindow* parent, Scene& scene, UserPrompts& prompts,
                 InvalidateView invalidateView);
    ~ShadowDialog() override;

    SpinField& field(int coefficient) { return *fields_[coefficient]; }

  private:
    void OnSpinNotification(int coefficient);
    void OnDrawShadow();
    void OnColour();

    Scene& scene_;
    UserPrompts& prompts_;
    InvalidateView invalidateView_;
    wxCheckBox* drawShadow_;
    std::unique_ptr<SpinField> fields_[4];
};
