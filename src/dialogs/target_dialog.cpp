#include "dialogs/target_dialog.h"

#include "resources/texts.h"
#include "scene/number_format.h"

namespace {

const VectorDialogLayout kLayout = {
    texts::kTargetCaption, 1007, {texts::kCoordinateX, texts::kCoordinateY, texts::kCoordinateZ},
    kLengthFactor,         -400, 400,
};

}  // namespace

TargetDialog::TargetDialog(wxWindow* parent, ViewState& view, InvalidateView invalidateView)
    : VectorDialog(parent, kLayout, view.target, std::move(invalidateView)) {}
