#include "dialogs/text_entry_dialog.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "dialogs/typed_text.h"
#include "resources/texts.h"
#include "text/glyph_layout.h"

TextEntryDialog::TextEntryDialog(DocumentHost& host)
    : wxDialog(host.window(), wxID_ANY, wxString::FromUTF8(texts::kTextEntryCaption)),
      host_(host),
      slot_(host.scene().currentObject) {
    // Created in the order users tab through them: close, text, apply.
    auto* closeButton =
        new wxButton(this, kCloseButtonId, wxString::FromUTF8(texts::kTextEntryClose));
    const TextObject& object = host.scene().objects[slot_];
    // Several lines, entered with Ctrl+Enter; Enter alone still applies.
    text_ = new wxTextCtrl(
        this, kTextId, wxString::FromUTF8(Cp932ToUtf8(object.Text()).value_or("")),
        wxDefaultPosition, wxSize(FromDIP(300), FromDIP(48)), wxTE_MULTILINE | wxTE_DONTWRAP);
    auto* prompt = new wxStaticText(this, wxID_ANY, wxString::FromUTF8(texts::kTextEntryPrompt));
    auto* applyButton =
        new wxButton(this, kApplyButtonId, wxString::FromUTF8(texts::kTextEntryApply));
    applyButton->SetDefault();

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(applyButton, 0, wxRIGHT, FromDIP(24));
    buttons->Add(closeButton);
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(prompt, 0, wxALIGN_CENTER_HORIZONTAL | wxTOP | wxLEFT | wxRIGHT, FromDIP(12));
    column->Add(text_, 0, wxEXPAND | wxALL, FromDIP(12));
    column->Add(buttons, 0, wxALIGN_CENTER_HORIZONTAL | wxBOTTOM | wxLEFT | wxRIGHT, FromDIP(12));
    SetSizerAndFit(column);
    CentreOnParent();

    // Esc and the close box act as the close button.
    SetEscapeId(kCloseButtonId);
    Bind(wxEVT_BUTTON, &TextEntryDialog::OnApply, this, kApplyButtonId);
    Bind(wxEVT_BUTTON, &TextEntryDialog::OnCloseButton, this, kCloseButtonId);
    text_->Bind(wxEVT_KEY_DOWN, &TextEntryDialog::OnTextKey, this);
    text_->SetFocus();
}

void TextEntryDialog::OnApply(wxCommandEvent&) {
    TextObject& object = host_.scene().objects[slot_];
    const TypedText typed =
        ConvertTypedText(text_->GetValue().utf8_string(), sizeof(object.text) - 1);
    if (!typed.refused.empty()) {
        std::string message = texts::kTextNotStorable;
        message.replace(message.find("%s"), 2, typed.refused);
        host_.prompts().ShowMessage(this, message, texts::kTitlePrefix, MessageButtons::kOk);
        return;
    }
    if (typed.cp932.empty()) {
        if (host_.prompts().ShowMessage(this, texts::kTextEntryEmptyQuestion,
                                        texts::kConfirmCaption,
                                        MessageButtons::kYesNo) != MessageAnswer::kYes) {
            return;
        }
        object.ResetObject();
    } else {
        object.SetIndex(slot_);
        host_.glyphs().ApplyTextWithFallback(object, typed.cp932, host_.messages());
    }
    host_.InvalidateView();
    EndDialog(0);
}

void TextEntryDialog::OnTextKey(wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    if (key != WXK_RETURN && key != WXK_NUMPAD_ENTER) {
        event.Skip();
        return;
    }
    if (event.GetModifiers() == wxMOD_CONTROL) {
        text_->WriteText("\n");
        return;
    }
    wxCommandEvent apply(wxEVT_BUTTON, kApplyButtonId);
    OnApply(apply);
}

void TextEntryDialog::OnCloseButton(wxCommandEvent&) {
    EndDialog(0);
}
