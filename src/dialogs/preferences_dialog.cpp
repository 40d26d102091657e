#include "dialogs/preferences_dialog.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include <cmath>
#include <iterator>

#include "resources/texts.h"

namespace {

wxString Text(const char* utf8) {
    return wxString::FromUTF8(utf8);
}

wxSizer* SliderWithEnds(wxWindow* parent, wxSlider* slider, const char* left, const char* right) {
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(new wxStaticText(parent, wxID_ANY, Text(left)), 0, wxALIGN_CENTER_VERTICAL);
    row->Add(slider, 1, wxLEFT | wxRIGHT | wxEXPAND, 4);
    row->Add(new wxStaticText(parent, wxID_ANY, Text(right)), 0, wxALIGN_CENTER_VERTICAL);
    return row;
}

}  // namespace

int AntialiasLevelPosition(int32_t level) {
    for (int position = 0; position < 7; ++position) {
        if (AntialiasLevels[position] == level) {
            return position;
        }
    }
    return 0;
}

PreferencesDialog::PreferencesDialog(wxWindow* parent, Scene& scene, AppSettings& settings,
                                     UserPrompts& prompts, PreferencesHost& host)
    : wxDialog(parent, wxID_ANY, Text(texts::kPreferencesCaption)),
      scene_(scene),
      settings_(settings),
      prompts_(prompts),
      host_(host),
      savedAntialias_(settings.antialias) {
    levelSlider_ =
        MakeSlider(kIdAntialiasLevel, 0, 6, AntialiasLevelPosition(settings_.antialiasLevel));
    antialiasCheck_ = new wxCheckBox(this, kIdAntialiasCheck, Text(texts::kAntialiasCheck));
    antialiasCheck_->SetValue(settings_.antialias == 1);
    levelSlider_->Enable(settings_.antialias == 1);
    // The nearest position, as the integer fields show theirs: truncating showed half the
    // positions one lower when the dialog opened again. The slider clamps it into its range.
    perspectiveSlider_ = MakeSlider(
        kIdPerspective, 1, 100,
        static_cast<int>(std::lround(static_cast<double>(scene_.view.perspective) * 50.0)));
    progressiveCheck_ = new wxCheckBox(this, kIdProgressive, Text(texts::kProgressiveCheck));
    progressiveCheck_->SetValue(GetJpegProgressive(settings_) == 1);
    qualitySlider_ = MakeSlider(kIdJpegQuality, 1, 100, GetJpegQuality(settings_));

    auto* antialiasBox = new wxStaticBoxSizer(wxVERTICAL, this, Text(texts::kAntialiasGroup));
    antialiasBox->Add(antialiasCheck_, 0, wxALL, 4);
    antialiasBox->Add(new wxStaticText(this, wxID_ANY, Text(texts::kAntialiasLevelLabel)), 0,
                      wxLEFT | wxTOP, 4);
    antialiasBox->Add(SliderWithEnds(this, levelSlider_, texts::kSliderLow, texts::kSliderHigh), 0,
                      wxALL | wxEXPAND, 4);

    auto* perspectiveBox = new wxStaticBoxSizer(wxVERTICAL, this, Text(texts::kPerspectiveGroup));
    perspectiveBox->Add(perspectiveSlider_, 0, wxALL | wxEXPAND, 4);
    auto* backgroundBox = new wxStaticBoxSizer(wxVERTICAL, this, Text(texts::kBackgroundGroup));
    auto* backgroundButton =
        new wxButton(this, kIdBackgroundColour, Text(texts::kBackgroundColourButton));
    backgroundBox->Add(backgroundButton, 0, wxALL | wxALIGN_CENTER_HORIZONTAL, 8);
    auto* rightColumn = new wxBoxSizer(wxVERTICAL);
    rightColumn->Add(perspectiveBox, 0, wxEXPAND);
    rightColumn->Add(backgroundBox, 1, wxEXPAND | wxTOP, 8);

    auto* upper = new wxBoxSizer(wxHORIZONTAL);
    upper->Add(antialiasBox, 1, wxEXPAND);
    upper->Add(rightColumn, 1, wxEXPAND | wxLEFT, 8);

    auto* jpegBox = new wxStaticBoxSizer(wxHORIZONTAL, this, Text(texts::kJpegGroup));
    auto* quality = new wxBoxSizer(wxVERTICAL);
    quality->Add(new wxStaticText(this, wxID_ANY, Text(texts::kCompressionLabel)), 0,
                 wxALIGN_CENTER_HORIZONTAL);
    // High quality at the left end, as the figure grows towards the right.
    quality->Add(SliderWithEnds(this, qualitySlider_, texts::kSliderHigh, texts::kSliderLow), 0,
                 wxEXPAND);
    jpegBox->Add(quality, 1, wxALL | wxEXPAND, 4);
    jpegBox->Add(progressiveCheck_, 0, wxALL | wxALIGN_CENTER_VERTICAL, 8);

    auto* ok = new wxButton(this, wxID_OK, Text(texts::kPreferencesOk));
    ok->SetDefault();
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(upper, 0, wxALL | wxEXPAND, 10);
    column->Add(jpegBox, 0, wxLEFT | wxRIGHT | wxEXPAND, 10);
    column->Add(ok, 0, wxALL | wxALIGN_CENTER_HORIZONTAL, 10);
    SetSizerAndFit(column);
    CentreOnParent();
    // Tab stops in the template's order.
    ok->MoveBeforeInTabOrder(levelSlider_);
    wxWindow* const tabOrder[] = {levelSlider_,       antialiasCheck_, backgroundButton,
                                  perspectiveSlider_, qualitySlider_,  progressiveCheck_};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i) {
        tabOrder[i]->MoveAfterInTabOrder(tabOrder[i - 1]);
    }

    perspectiveSlider_->Bind(wxEVT_SCROLL_CHANGED, &PreferencesDialog::OnPerspectiveScroll, this);
    perspectiveSlider_->Bind(wxEVT_SCROLL_THUMBTRACK, &PreferencesDialog::OnPerspectiveScroll,
                             this);
    perspectiveSlider_->Bind(wxEVT_SCROLL_LINEUP, &PreferencesDialog::OnPerspectiveScroll, this);
    perspectiveSlider_->Bind(wxEVT_SCROLL_LINEDOWN, &PreferencesDialog::OnPerspectiveScroll, this);
    perspectiveSlider_->Bind(wxEVT_SCROLL_PAGEUP, &PreferencesDialog::OnPerspectiveScroll, this);
    perspectiveSlider_->Bind(wxEVT_SCROLL_PAGEDOWN, &PreferencesDialog::OnPerspectiveScroll, this);
    perspectiveSlider_->Bind(wxEVT_SCROLL_TOP, &PreferencesDialog::OnPerspectiveScroll, this);
    perspectiveSlider_->Bind(wxEVT_SCROLL_BOTTOM, &PreferencesDialog::OnPerspectiveScroll, this);
    Bind(wxEVT_CHECKBOX, &PreferencesDialog::OnAntialiasCheck, this, kIdAntialiasCheck);
    Bind(wxEVT_BUTTON, &PreferencesDialog::OnBackgroundColour, this, kIdBackgroundColour);
    Bind(wxEVT_BUTTON, &PreferencesDialog::OnOk, this, wxID_OK);
    Bind(wxEVT_BUTTON, &PreferencesDialog::OnCancel, this, wxID_CANCEL);
    // Esc cancels as the close box does; without a Cancel button the toolkit would ignore it.
    Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
        if (event.GetKeyCode() != WXK_ESCAPE) {
            event.Skip();
            return;
        }
        wxCommandEvent cancel(wxEVT_BUTTON, wxID_CANCEL);
        OnCancel(cancel);
    });
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) {
        wxCommandEvent cancel(wxEVT_BUTTON, wxID_CANCEL);
        OnCancel(cancel);
    });
}

wxSlider* PreferencesDialog::MakeSlider(int id, int minimum, int maximum, int position) {
    const int clamped = position < minimum ? minimum : (position > maximum ? maximum : position);
    return new wxSlider(this, id, clamped, minimum, maximum, wxDefaultPosition, wxSize(140, -1),
                        wxSL_HORIZONTAL | wxSL_BOTH);
}

void PreferencesDialog::Finish(int returnCode) {
    if (IsModal()) {
        EndModal(returnCode);
    } else {
        SetReturnCode(returnCode);
        Hide();
    }
}

void PreferencesDialog::OnPerspectiveScroll(wxScrollEvent&) {
    scene_.view.perspective = static_cast<float>(perspectiveSlider_->GetValue()) / 50.0f;
    host_.ApplyPerspective();
}

void PreferencesDialog::OnAntialiasCheck(wxCommandEvent&) {
    settings_.antialias = settings_.antialias == 1 ? 0 : 1;
    antialiasCheck_->SetValue(settings_.antialias == 1);
    levelSlider_->Enable(settings_.antialias == 1);
}

void PreferencesDialog::OnBackgroundColour(wxCommandEvent&) {
    // The picker opens on black, as the material and shadow pickers do.
    unsigned char rgb[3] = {0, 0, 0};
    if (!prompts_.ChooseColour(this, rgb)) {
        return;
    }
    for (int i = 2; i >= 0; --i) {
        scene_.backgroundColor[i] = static_cast<float>(rgb[i]) / 255.0f;
    }
    for (int i = 2; i >= 0; --i) {
        scene_.guideColor[i] = 1.0f - scene_.backgroundColor[i];
    }
    scene_.modified = 1;
    host_.ApplyBackground();
}

void PreferencesDialog::OnOk(wxCommandEvent&) {
    SetJpegQuality(settings_, qualitySlider_->GetValue());
    SetJpegProgressive(settings_, progressiveCheck_->GetValue() ? 1 : 0);
    settings_.antialiasLevel = AntialiasLevels[levelSlider_->GetValue()];
    const bool switched = (settings_.antialias != 0) != (savedAntialias_ == 1);
    if (switched) {
        const bool created =
            settings_.antialias != 0 ? host_.SwitchAntialiasOn() : host_.SwitchAntialiasOff();
        if (!created) {
            prompts_.ShowMessage(this, texts::kOpenGlInitFailed, texts::kTitlePrefix,
                                 MessageButtons::kOk);
            return;  // stays open; a later OK tries the switch again
        }
        savedAntialias_ = settings_.antialias;
    }
    Finish(wxID_OK);
}

void PreferencesDialog::OnCancel(wxCommandEvent&) {
    if (settings_.antialias != savedAntialias_) {
        settings_.antialias = savedAntialias_;
    }
    // A failed switch-on released the old context: leave with a working view, not a blank one.
    if (!host_.HasRenderContext()) {
        const bool created =
            settings_.antialias != 0 ? host_.SwitchAntialiasOn() : host_.SwitchAntialiasOff();
        if (!created) {
            prompts_.ShowMessage(this, texts::kOpenGlInitFailed, texts::kTitlePrefix,
                                 MessageButtons::kOk);
        }
    }
    Finish(wxID_CANCEL);
}
