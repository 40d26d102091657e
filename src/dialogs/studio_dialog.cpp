#include "dialogs/studio_dialog.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <cmath>
#include <optional>

#include "dialogs/labelled_rows.h"
#include "resources/texts.h"
#include "scene/cp932.h"

namespace {

constexpr int kMaxSoftness = 100;
constexpr double kSoftnessPerByte = kMaxSoftness / 255.0;

wxString Text(const char* utf8) {
    return wxString::FromUTF8(utf8);
}

}  // namespace

StudioDialog::StudioDialog(wxWindow* parent, Scene& scene, UserPrompts& prompts,
                           InvalidateView invalidateView)
    : wxDialog(parent, wxID_ANY, Text(texts::kStudioCaption)),
      scene_(scene),
      prompts_(prompts),
      invalidateView_(std::move(invalidateView)),
      hdrFile_(scene.studio.environmentFile) {
    builtIn_ = new wxRadioButton(this, kStudioBuiltInId, Text(texts::kStudioBuiltIn),
                                 wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    hdrFileChoice_ = new wxRadioButton(this, kStudioHdrFileId, Text(texts::kStudioHdrFile));
    path_ = new wxTextCtrl(this, kStudioPathId, wxEmptyString, wxDefaultPosition, wxSize(260, -1),
                           wxTE_READONLY);
    auto* browse = new wxButton(this, kStudioBrowseId, Text(texts::kStudioBrowse));
    const double maxEv = kMaxExposureTenthsEv / 10.0;
    exposure_ = new wxSpinCtrlDouble(this, kStudioExposureId, wxEmptyString, wxDefaultPosition,
                                     wxDefaultSize, wxSP_ARROW_KEYS, -maxEv, maxEv, 0.0, 0.1);
    exposure_->SetDigits(1);
    softness_ = new wxSpinCtrl(this, kStudioSoftnessId, wxEmptyString, wxDefaultPosition,
                               wxDefaultSize, wxSP_ARROW_KEYS, 0, kMaxSoftness, 0);
    reflection_ = new wxCheckBox(this, kStudioReflectionId, Text(texts::kStudioGroundReflection));
    occlusion_ = new wxCheckBox(this, kStudioOcclusionId, Text(texts::kStudioAmbientOcclusion));
    auto* closeButton = new wxButton(this, wxID_OK, Text(texts::kPropertyClose));
    closeButton->SetDefault();

    auto* fileRow = new wxBoxSizer(wxHORIZONTAL);
    fileRow->Add(hdrFileChoice_, wxSizerFlags().CenterVertical());
    fileRow->Add(path_, wxSizerFlags(1).CenterVertical().Border(wxLEFT, 6));
    fileRow->Add(browse, wxSizerFlags().CenterVertical().Border(wxLEFT, 6));
    auto* rows = LabelledRows(
        this, {{texts::kStudioExposure, exposure_}, {texts::kStudioShadowSoftness, softness_}});
    auto* top = new wxBoxSizer(wxVERTICAL);
    const auto row = wxSizerFlags().Expand().Border(wxLEFT | wxRIGHT | wxTOP, 10);
    top->Add(new wxStaticText(this, wxID_ANY, Text(texts::kStudioEnvironment)), row);
    top->Add(builtIn_, row);
    top->Add(fileRow, row);
    top->Add(rows, row);
    top->Add(reflection_, row);
    top->Add(occlusion_, row);
    top->Add(closeButton, wxSizerFlags().Center().Border(wxALL, 10));
    SetSizer(top);
    ShowSettings();

    builtIn_->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { OnBuiltIn(); });
    hdrFileChoice_->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { OnHdrFile(); });
    browse->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        if (ChooseHdrFile()) {
            OnHdrFile();
        }
    });
    exposure_->Bind(wxEVT_SPINCTRLDOUBLE, [this](wxSpinDoubleEvent&) {
        StudioSettings studio = scene_.studio;
        studio.exposureTenthsEv = static_cast<int8_t>(std::lround(exposure_->GetValue() * 10.0));
        Apply(studio);
    });
    softness_->Bind(wxEVT_SPINCTRL, [this](wxSpinEvent&) {
        StudioSettings studio = scene_.studio;
        studio.shadowSoftness =
            static_cast<uint8_t>(std::lround(softness_->GetValue() / kSoftnessPerByte));
        Apply(studio);
    });
    reflection_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) {
        StudioSettings studio = scene_.studio;
        studio.groundReflection = reflection_->GetValue();
        Apply(studio);
    });
    occlusion_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) {
        StudioSettings studio = scene_.studio;
        studio.ambientOcclusion = occlusion_->GetValue();
        Apply(studio);
    });
    SetEscapeId(wxID_OK);
    Fit();
    CentreOnParent();
}

void StudioDialog::ShowSettings() {
    const StudioSettings& studio = scene_.studio;
    const bool fromFile = !studio.environmentFile.empty();
    builtIn_->SetValue(!fromFile);
    hdrFileChoice_->SetValue(fromFile);
    path_->ChangeValue(wxString::FromUTF8(Cp932ToUtf8(hdrFile_).value_or(std::string())));
    path_->Enable(fromFile);
    exposure_->SetValue(studio.exposureTenthsEv / 10.0);
    softness_->SetValue(static_cast<int>(std::lround(studio.shadowSoftness * kSoftnessPerByte)));
    reflection_->SetValue(studio.groundReflection);
    occlusion_->SetValue(studio.ambientOcclusion);
}

void StudioDialog::OnBuiltIn() {
    StudioSettings studio = scene_.studio;
    studio.environmentFile.clear();
    Apply(studio);
}

void StudioDialog::OnHdrFile() {
    if (hdrFile_.empty() && !ChooseHdrFile()) {
        ShowSettings();
        return;
    }
    StudioSettings studio = scene_.studio;
    studio.environmentFile = hdrFile_;
    Apply(studio);
}

bool StudioDialog::ChooseHdrFile() {
    FileRequest request;
    request.title = texts::kStudioHdrTitle;
    request.wildcard = std::string(texts::kStudioHdrFilter) + "|*.hdr;*.HDR";
    request.extensions = {"hdr"};
    request.initialPath = Cp932ToUtf8(hdrFile_).value_or(std::string());
    const FileAnswer answer = prompts_.ChooseFile(this, request);
    if (!answer.ok) {
        return false;
    }
    const std::optional<std::string> cp932 = Utf8ToCp932Exactly(answer.path);
    if (!cp932 || cp932->empty() || cp932->size() > kMaxEnvironmentPathBytes) {
        prompts_.ShowMessage(this, std::string(texts::kPathNotStorable) + "\n" + answer.path,
                             texts::kTitlePrefix, MessageButtons::kOk);
        return false;
    }
    hdrFile_ = *cp932;
    return true;
}

void StudioDialog::Apply(const StudioSettings& studio) {
    if (studio != scene_.studio) {
        scene_.studio = studio;
        scene_.modified = 1;
        invalidateView_();
    }
    ShowSettings();
}
