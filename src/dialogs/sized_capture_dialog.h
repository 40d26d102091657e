#pragma once
// Asks for the size of a captured picture, its antialias level, its look and a transparent
// background, with a small picture of the asked aspect.

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/dialog.h>
#include <wx/spinctrl.h>

#include <cstdint>

#include "scene/studio_look.h"

struct SizedCaptureChoice {
    int32_t width = 800;
    int32_t height = 600;
    int level = 1;  // 1: no antialiasing, else one of the antialias levels
    bool transparent = false;
    SceneLook look = SceneLook::kClassic;
};

inline constexpr int32_t kMaxSizedCaptureSide = 16384;

enum SizedCaptureControlId {
    kIdSizedWidth = 1201,
    kIdSizedHeight = 1202,
    kIdSizedLevel = 1203,
    kIdSizedTransparent = 1204,
    kIdSizedPreview = 1205,
    kIdSizedLook = 1206,
};

class AspectPreview;

class SizedCaptureDialog : public wxDialog {
  public:
    SizedCaptureDialog(wxWindow* parent, const SizedCaptureChoice& initial);

    // What the controls hold now.
    SizedCaptureChoice choice() const;

  private:
    void ShowAspect();

    wxSpinCtrl* width_;
    wxSpinCtrl* height_;
    wxChoice* level_;
    wxChoice* look_;
    wxCheckBox* transparent_;
    AspectPreview* preview_;
};

// Runs the dialog modally over parent; false when cancelled, else choice holds the answer.
bool AskSizedCapture(wxWindow* parent, SizedCaptureChoice& choice);
