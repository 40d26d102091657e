#include "dialogs/sized_capture_dialog.h"

#include <wx/button.h>
#include <wx/dcclient.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <algorithm>

#include "dialogs/level_choice.h"
#include "dialogs/picture_dialog_layout.h"
#include "resources/texts.h"

namespace {

wxString Text(const char* utf8) {
    return wxString::FromUTF8(utf8);
}

}  // namespace

// The picture's outline scaled into the panel; a chequer stands for a transparent background.
class AspectPreview : public wxWindow {
  public:
    explicit AspectPreview(wxWindow* parent)
        : wxWindow(parent, kIdSizedPreview, wxDefaultPosition, wxSize(160, 120)) {
        SetBackgroundStyle(wxBG_STYLE_PAINT);
        Bind(wxEVT_PAINT, &AspectPreview::OnPaint, this);
    }

    void SetPicture(int32_t width, int32_t height, bool transparent) {
        width_ = std::max(width, 1);
        height_ = std::max(height, 1);
        transparent_ = transparent;
        Refresh();
    }

  private:
    // The rectangle drawn, in panel pixels, with a margin all round.
    wxRect Outline() const {
        const wxSize area = GetClientSize() - wxSize(8, 8);
        const double scale =
            std::min(static_cast<double>(area.x) / width_, static_cast<double>(area.y) / height_);
        const int w = std::max(1, static_cast<int>(width_ * scale));
        const int h = std::max(1, static_cast<int>(height_ * scale));
        return {(GetClientSize().x - w) / 2, (GetClientSize().y - h) / 2, w, h};
    }

    void OnPaint(wxPaintEvent&) {
        wxPaintDC dc(this);
        dc.SetBackground(*wxLIGHT_GREY_BRUSH);
        dc.Clear();
        const wxRect outline = Outline();
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.SetBrush(*wxWHITE_BRUSH);
        dc.DrawRectangle(outline);
        if (transparent_) {
            constexpr int kCell = 6;
            dc.SetClippingRegion(outline);
            dc.SetBrush(wxBrush(wxColour(204, 204, 204)));
            for (int y = outline.y; y < outline.GetBottom() + 1; y += kCell) {
                for (int x = outline.x + ((y - outline.y) / kCell % 2) * kCell;
                     x < outline.GetRight() + 1; x += 2 * kCell) {
                    dc.DrawRectangle(x, y, kCell, kCell);
                }
            }
            dc.DestroyClippingRegion();
        }
        dc.SetPen(*wxBLACK_PEN);
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        dc.DrawRectangle(outline);
    }

    int32_t width_ = 1;
    int32_t height_ = 1;
    bool transparent_ = false;
};

SizedCaptureDialog::SizedCaptureDialog(wxWindow* parent, const SizedCaptureChoice& initial)
    : wxDialog(parent, wxID_ANY, Text(texts::kSizedCaptureCaption)) {
    const auto side = [this](int id, int32_t value) {
        return new wxSpinCtrl(this, id, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                              wxSP_ARROW_KEYS, 1, kMaxSizedCaptureSide,
                              std::clamp(value, 1, kMaxSizedCaptureSide));
    };
    width_ = side(kIdSizedWidth, initial.width);
    height_ = side(kIdSizedHeight, initial.height);
    level_ = NewLevelChoice(this, kIdSizedLevel, initial.level);
    look_ = new wxChoice(this, kIdSizedLook);
    // In the order of SceneLook's values.
    look_->Append(Text(texts::kSizedLookClassic));
    look_->Append(Text(texts::kSizedLookStudio));
    look_->SetSelection(static_cast<int>(initial.look));
    transparent_ = new wxCheckBox(this, kIdSizedTransparent, Text(texts::kSizedTransparentCheck));
    transparent_->SetValue(initial.transparent);
    preview_ = new AspectPreview(this);

    LayOutPictureDialog(*this, {{{texts::kSizedWidthLabel, width_},
                                 {texts::kSizedHeightLabel, height_},
                                 {texts::kSizedAntialiasLabel, level_},
                                 {texts::kSizedLookLabel, look_}},
                                transparent_,
                                texts::kSizedPreviewLabel,
                                preview_,
                                texts::kSizedCaptureOk});

    const auto changed = [this](wxEvent&) { ShowAspect(); };
    Bind(wxEVT_SPINCTRL, changed);
    Bind(wxEVT_TEXT, changed);
    Bind(wxEVT_CHECKBOX, changed);
    ShowAspect();
}

SizedCaptureChoice SizedCaptureDialog::choice() const {
    SizedCaptureChoice answer;
    answer.width = width_->GetValue();
    answer.height = height_->GetValue();
    answer.level = ChosenLevel(*level_);
    answer.transparent = transparent_->GetValue();
    answer.look = static_cast<SceneLook>(look_->GetSelection());
    return answer;
}

void SizedCaptureDialog::ShowAspect() {
    preview_->SetPicture(width_->GetValue(), height_->GetValue(), transparent_->GetValue());
}

bool AskSizedCapture(wxWindow* parent, SizedCaptureChoice& choice) {
    SizedCaptureDialog dialog(parent, choice);
    if (dialog.ShowModal() != wxID_OK) {
        return false;
    }
    choice = dialog.choice();
    return true;
}
