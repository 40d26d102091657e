#pragma once
// Sets the current object's metallic-roughness surface: a preset, or metallic and roughness by
// hand. Every change is shown at once, as the other property dialogs do with their values.

#include <wx/choice.h>
#include <wx/dialog.h>
#include <wx/spinctrl.h>

#include "dialogs/invalidate_view.h"
#include "scene/text_object.h"

inline constexpr int kSurfacePresetId = 1111;
inline constexpr int kSurfaceMetallicId = 1112;
inline constexpr int kSurfaceRoughnessId = 1113;

class SurfaceDialog : public wxDialog {
  public:
    SurfaceDialog(wxWindow* parent, TextObject& object, InvalidateView invalidateView);

  private:
    void ShowSettings();
    void OnPreset();
    void OnMetallic();
    void OnRoughness();
    void Apply(const SurfaceSettings& surface);

    TextObject& object_;
    InvalidateView invalidateView_;
    wxChoice* preset_;
    wxSpinCtrlDouble* metallic_;
    wxSpinCtrlDouble* roughness_;
};
