#pragma once
// Sets the point the camera looks at.

#include "dialogs/vector_dialog.h"
#include "scene/scene.h"

class TargetDialog : public VectorDialog {
  public:
    TargetDialog(wxWindow* parent, ViewState& view, InvalidateView invalidateView);
};
