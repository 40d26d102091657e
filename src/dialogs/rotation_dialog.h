#pragma once
// Sets the current object's rotation about each axis, in whole degrees.

#include "dialogs/vector_dialog.h"
#include "scene/text_object.h"

class RotationDialog : public VectorDialog {
  public:
    RotationDialog(wxWindow* parent, TextObject& object, InvalidateView invalidateView);
};
