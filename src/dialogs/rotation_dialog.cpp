#include "dialogs/rotation_dialog.h"

#include "resources/texts.h"
#include "scene/number_format.h"

namespace {

const VectorDialogLayout kLayout = {
    texts::kRotationCaption,
    1011,
    {texts::kAroundX, texts::kAroundY, texts::kAroundZ},
    kAngleFactor,
    -180,
    180,
};

}  // namespace

RotationDialog::RotationDialog(wxWindow* parent, TextObject& object, InvalidateView invalidateView)
    : VectorDialog(parent, kLayout, object.rotation, std::move(invalidateView)) {}
