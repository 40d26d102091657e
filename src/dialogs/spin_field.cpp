#include "dialogs/spin_field.h"

#include <wx/sizer.h>

#include "scene/number_format.h"

namespace {

// The toolkit's spin button keeps its own value and greys an arrow at its limit; ours sits in
// the middle of a tiny range and every step is vetoed, so both arrows always answer and the
// range that counts is the field's own.
constexpr int kRestingValue = 1;

void PlaceAfter(wxWindow* anchor, wxWindow* window) {
    wxSizer* sizer = anchor->GetContainingSizer();
    if (!sizer) {
        return;
    }
    const wxSizerItemList& items = sizer->GetChildren();
    size_t index = 0;
    for (const wxSizerItem* item : items) {
        ++index;
        if (item->GetWindow() == anchor) {
            sizer->Insert(index, window, wxSizerFlags().Expand());
            return;
        }
    }
}

}  // namespace

SpinField::SpinField(wxTextCtrl* buddy, int spinId, int lower, int upper,
                     std::function<void()> notify)
    : edit_(buddy), lower_(lower), upper_(upper), notify_(std::move(notify)) {
    spin_ = new wxSpinButton(buddy->GetParent(), spinId, wxDefaultPosition, wxDefaultSize,
                             wxSP_VERTICAL);
    spin_->SetRange(kRestingValue - 1, kRestingValue + 1);
    spin_->SetValue(kRestingValue);
    PlaceAfter(buddy, spin_);
    spin_->Bind(wxEVT_SPIN_UP, [this](wxSpinEvent& event) { OnArrow(event, +1); });
    spin_->Bind(wxEVT_SPIN_DOWN, [this](wxSpinEvent& event) { OnArrow(event, -1); });
    // Like the up-down control it stands for, it shows its own position when created.
    SetText(std::to_string(position_));
}

void SpinField::SetText(const std::string& text) {
    edit_->ChangeValue(wxString::FromUTF8(text));
}

std::string SpinField::Text() const {
    return edit_->GetValue().utf8_string();
}

void SpinField::Press(int direction) {
    position_ = StepUpDown(ParseShownInteger(Text()), position_, lower_, upper_, direction);
    SetText(std::to_string(position_));
    notify_();
}

void SpinField::OnArrow(wxSpinEvent& event, int direction) {
    event.Veto();
    Press(direction);
}

wxTextCtrl* CreateValueEdit(wxWindow* parent, int id) {
    return new wxTextCtrl(parent, id, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                          wxTE_READONLY);
}
