#include "dialogs/light_dialog.h"

#include <wx/sizer.h>

#include "resources/texts.h"
#include "scene/number_format.h"

namespace {

const VectorDialogLayout kLayout = {
    texts::kLightCaption, 1007, {texts::kCoordinateX, texts::kCoordinateY, texts::kCoordinateZ},
    kLengthFactor,        -400, 400,
};

bool IsParallel(const LightSettings& light) {
    return light.position[3] == 0.0f;
}

}  // namespace

LightDialog::LightDialog(wxWindow* parent, Scene& scene, InvalidateView invalidateView)
    : VectorDialog(parent, kLayout, scene.light.position, std::move(invalidateView)),
      scene_(scene) {
    showLight_ = new wxCheckBox(this, kShowLightCheckId, wxString::FromUTF8(texts::kShowLight));
    parallelLight_ =
        new wxCheckBox(this, kParallelLightCheckId, wxString::FromUTF8(texts::kParallelLight));
    auto* boxes = new wxBoxSizer(wxVERTICAL);
    boxes->Add(showLight_, wxSizerFlags().Border(wxBOTTOM, 4));
    boxes->Add(parallelLight_);
    GetSizer()->Prepend(boxes, wxSizerFlags().Border(wxLEFT | wxRIGHT | wxTOP, 10));
    parallelLight_->MoveBeforeInTabOrder(field(0).edit());
    showLight_->MoveBeforeInTabOrder(parallelLight_);

    showLight_->SetValue(scene_.light.visible == 1);
    parallelLight_->SetValue(IsParallel(scene_.light));
    showLight_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { OnShowLight(); });
    parallelLight_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { OnParallelLight(); });
    Fit();
    CentreOnParent();
}

void LightDialog::BeforeNotification() {
    scene_.modified = 1;
}

void LightDialog::OnShowLight() {
    scene_.light.visible = scene_.light.visible == 1 ? 0 : 1;
    showLight_->SetValue(scene_.light.visible == 1);
    Invalidate();
}

void LightDialog::OnParallelLight() {
    scene_.light.position[3] = IsParallel(scene_.light) ? 1.0f : 0.0f;
    parallelLight_->SetValue(IsParallel(scene_.light));
    Invalidate();
}
