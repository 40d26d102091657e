#include "dialogs/number_entry_dialog.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <cerrno>
#include <cstdlib>
#include <optional>
#include <string>

#include "resources/texts.h"

namespace {

wxString Text(const std::string& utf8) {
    return wxString::FromUTF8(utf8);
}

// The whole number the field holds, blanks around it allowed; nothing else.
std::optional<long> WholeNumber(const std::string& text) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(begin, &end, 10);
    if (end == begin || errno == ERANGE) {
        return std::nullopt;
    }
    while (*end == ' ' || *end == '\t') {
        ++end;
    }
    return *end == '\0' ? std::optional<long>(value) : std::nullopt;
}

}  // namespace

NumberEntryDialog::NumberEntryDialog(wxWindow* parent, const NumberRequest& request,
                                     UserPrompts& prompts)
    : wxDialog(parent, wxID_ANY, Text(request.caption)), request_(request), prompts_(prompts) {
    field_ = new wxTextCtrl(this, kValueId, wxString::Format("%ld", request.value));
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(new wxStaticText(this, wxID_ANY, Text(request.label)), 0,
             wxALIGN_CENTER_VERTICAL | wxRIGHT, FromDIP(8));
    row->Add(field_, 1);
    auto* ok = new wxButton(this, wxID_OK, Text(texts::kButtonOk));
    ok->SetDefault();
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(ok, 0, wxRIGHT, FromDIP(8));
    buttons->Add(new wxButton(this, wxID_CANCEL, Text(texts::kButtonCancel)));
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(new wxStaticText(this, wxID_ANY, Text(request.message)), 0, wxALL, FromDIP(12));
    column->Add(row, 0, wxEXPAND | wxLEFT | wxRIGHT, FromDIP(12));
    column->Add(buttons, 0, wxALIGN_RIGHT | wxALL, FromDIP(12));
    SetSizerAndFit(column);
    CentreOnParent();
    Bind(wxEVT_BUTTON, &NumberEntryDialog::OnOk, this, wxID_OK);
}

void NumberEntryDialog::OnOk(wxCommandEvent&) {
    const std::optional<long> typed = WholeNumber(field_->GetValue().utf8_string());
    if (!typed || *typed < request_.min || *typed > request_.max) {
        prompts_.ShowMessage(
            this,
            wxString::Format(Text(texts::kNumberOutOfRange), request_.min, request_.max)
                .utf8_string(),
            request_.caption, MessageButtons::kOk, MessageIcon::kWarning);
        field_->SetFocus();
        field_->SelectAll();
        return;
    }
    value_ = *typed;
    // Ended the same way whether shown modally or not.
    SetReturnCode(wxID_OK);
    EndDialog(wxID_OK);
}
