#include "app/wx_user_prompts.h"

#include <wx/colordlg.h>
#include <wx/dcscreen.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/fontdlg.h>
#include <wx/fontenum.h>
#include <wx/msgdlg.h>
#include <wx/settings.h>

#include "app/message_lines.h"
#include "dialogs/number_entry_dialog.h"
#include "resources/texts.h"
#include "text/font_coverage.h"

namespace {

wxString FromUtf8(const std::string& text) {
    return wxString::FromUTF8(text.c_str());
}

long ButtonStyle(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::kYesNo:
            return wxYES_NO;
        case MessageButtons::kYesNoCancel:
            return wxYES_NO | wxCANCEL;
        case MessageButtons::kOkCancel:
            return wxOK | wxCANCEL;
        case MessageButtons::kOk:
            break;
    }
    return wxOK;
}

long IconStyle(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::kInformation:
            return wxICON_INFORMATION;
        case MessageIcon::kQuestion:
            return wxICON_QUESTION;
        case MessageIcon::kWarning:
            return wxICON_WARNING;
        case MessageIcon::kError:
            return wxICON_ERROR;
        case MessageIcon::kNone:
            break;
    }
    return wxICON_NONE;
}

// Half the screen leaves room for the icon, the margins and a bold face.
wxString FitOnScreen(const wxString& text) {
    wxScreenDC dc;
    dc.SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT).Bold());
    return WrapWideLines(text, wxGetDisplaySize().GetWidth() / 2,
                         [&dc](const wxString& line) { return dc.GetTextExtent(line).GetWidth(); });
}

}  // namespace

std::string PickerFaceName(FontResolver& fonts, const FontRequest& request) {
    if (wxFontEnumerator::IsValidFacename(FromUtf8(request.faceName))) {
        return request.faceName;
    }
    const ResolvedFont* resolved =
        fonts.Resolve(request.faceName, request.italic, static_cast<uint8_t>(request.charSet));
    if (resolved == nullptr || resolved->face->family_name == nullptr) {
        return request.faceName;
    }
    return resolved->face->family_name;
}

WxUserPrompts::WxUserPrompts(FontResolver& fonts) : fonts_(fonts) {
    customColors_.SetChooseFull(true);
    for (int i = 0; i < wxColourData::NUM_CUSTOM; ++i) {
        customColors_.SetCustomColour(i, *wxBLACK);
    }
}

MessageAnswer WxUserPrompts::ShowMessage(wxWindow* owner, const std::string& text,
                                         const std::string& caption, MessageButtons buttons,
                                         MessageIcon icon) {
    wxMessageDialog dialog(owner, FitOnScreen(FromUtf8(text)), FromUtf8(caption),
                           ButtonStyle(buttons) | IconStyle(icon));
    // Japanese button labels whatever the desktop's locale.
    dialog.SetYesNoCancelLabels(FromUtf8(texts::kButtonYes), FromUtf8(texts::kButtonNo),
                                FromUtf8(texts::kButtonCancel));
    dialog.SetOKCancelLabels(FromUtf8(texts::kButtonOk), FromUtf8(texts::kButtonCancel));
    switch (dialog.ShowModal()) {
        case wxID_YES:
            return MessageAnswer::kYes;
        case wxID_NO:
            return MessageAnswer::kNo;
        case wxID_CANCEL:
            return MessageAnswer::kCancel;
        default:
            return MessageAnswer::kOk;
    }
}

FileAnswer WxUserPrompts::ChooseFile(wxWindow* owner, const FileRequest& request) {
    long style = request.save ? wxFD_SAVE : (wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (request.save && request.overwritePrompt) {
        style |= wxFD_OVERWRITE_PROMPT;
    }
    const wxFileName initial(FromUtf8(request.initialPath));
    wxFileDialog dialog(owner, FromUtf8(request.title), initial.GetPath(), initial.GetFullName(),
                        FromUtf8(request.wildcard), style);
    dialog.SetFilterIndex(request.filterIndex);
    FileAnswer answer;
    if (dialog.ShowModal() != wxID_OK) {
        return answer;
    }
    answer.ok = true;
    answer.path = dialog.GetPath().utf8_string();
    answer.filterIndex = dialog.GetFilterIndex();
    return answer;
}

bool WxUserPrompts::ChooseColour(wxWindow* owner, unsigned char rgb[3]) {
    customColors_.SetColour(wxColour(rgb[0], rgb[1], rgb[2]));
    wxColourDialog dialog(owner, &customColors_);
    const bool ok = dialog.ShowModal() == wxID_OK;
    customColors_ = dialog.GetColourData();
    if (ok) {
        const wxColour chosen = customColors_.GetColour();
        rgb[0] = chosen.Red();
        rgb[1] = chosen.Green();
        rgb[2] = chosen.Blue();
    }
    return ok;
}

FontAnswer WxUserPrompts::ChooseFont(wxWindow* owner, const FontRequest& request) {
    wxFontData data;
    if (!request.faceName.empty()) {
        wxFont initial(wxFontInfo(12)
                           .FaceName(FromUtf8(PickerFaceName(fonts_, request)))
                           .Italic(request.italic != 0));
        data.SetInitialFont(initial);
    }
    wxFontDialog dialog(owner, data);
    FontAnswer answer;
    if (dialog.ShowModal() != wxID_OK) {
        return answer;
    }
    const wxFont chosen = dialog.GetFontData().GetChosenFont();
    answer.ok = true;
    answer.faceName = chosen.GetFaceName().utf8_string();
    answer.italic = chosen.GetStyle() == wxFONTSTYLE_ITALIC ? 1 : 0;
    answer.charSet = FontFamilyCoversJapanese(fonts_, answer.faceName) ? 128 : 0;
    return answer;
}

NumberAnswer WxUserPrompts::AskNumber(wxWindow* owner, const NumberRequest& request) {
    NumberEntryDialog dialog(owner, request, *this);
    NumberAnswer answer;
    if (dialog.ShowModal() == wxID_OK) {
        answer.ok = true;
        answer.value = dialog.value();
    }
    return answer;
}
