#pragma once
// Sets the current object's position, in tenths of a unit.

#include "dialogs/vector_dialog.h"
#include "scene/text_object.h"

class PositionDialog : public VectorDialog {
  public:
    PositionDialog(wxWindow* parent, TextObject& object, InvalidateView invalidateView);
};
