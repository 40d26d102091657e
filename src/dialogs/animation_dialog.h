#pragma once
// Asks what animation to make of the scene (turntable, swing or entrance, its length, frame rate
// and swing angle) and at what size, level and background, with a small moving sketch of it.

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/dialog.h>
#include <wx/spinctrl.h>

#include <cstdint>

#include "scene/scene_motion.h"

struct AnimationChoice {
    MotionSettings motion;
    int32_t width = 800;
    int32_t height = 600;
    int level = 1;  // 1: no antialiasing, else one of the antialias levels
    bool transparent = false;
};

enum AnimationControlId {
    kIdAnimationKind = 1301,
    kIdAnimationSeconds = 1302,
    kIdAnimationFps = 1303,
    kIdAnimationSwing = 1304,
    kIdAnimationWidth = 1305,
    kIdAnimationHeight = 1306,
    kIdAnimationLevel = 1307,
    kIdAnimationTransparent = 1308,
    kIdAnimationPreview = 1309,
};

class MotionPreview;

class AnimationDialog : public wxDialog {
  public:
    AnimationDialog(wxWindow* parent, const Scene& scene, const AnimationChoice& initial);

    // What the controls hold now.
    AnimationChoice choice() const;

  private:
    void ShowMotion();

    wxChoice* kind_;
    wxSpinCtrlDouble* seconds_;
    wxSpinCtrl* fps_;
    wxSpinCtrl* swing_;
    wxSpinCtrl* width_;
    wxSpinCtrl* height_;
    wxChoice* level_;
    wxCheckBox* transparent_;
    MotionPreview* preview_;
};

// Runs the dialog modally over parent; false when cancelled, else choice holds the answer.
bool AskAnimation(wxWindow* parent, const Scene& scene, AnimationChoice& choice);
