#include "dialogs/position_dialog.h"

#include "resources/texts.h"
#include "scene/number_format.h"

namespace {

const VectorDialogLayout kLayout = {
    texts::kPositionCaption, 1007, {texts::kCoordinateX, texts::kCoordinateY, texts::kCoordinateZ},
    kLengthFactor,           -400, 400,
};

}  // namespace

PositionDialog::PositionDialog(wxWindow* parent, TextObject& object, InvalidateView invalidateView)
    : VectorDialog(parent, kLayout, object.position, std::move(invalidateView)) {}
