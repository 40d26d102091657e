#include "app/help_book.h"

#include <wx/filename.h>
#include <wx/stdpaths.h>

#include "app/main_frame.h"
#include "resources/texts.h"

namespace {
constexpr char kBookInResources[] = "help/vellumark.hhp";
}

bool HelpBook::ShowContents(const std::string& bookPath, UserPrompts& prompts) {
    if (loadedPath_ != bookPath) {
        const wxFileName book(wxString::FromUTF8(bookPath));
        if (!book.FileExists() || !controller_.AddBook(book)) {
            prompts.ShowMessage(owner_, std::string(texts::kHelpBookMissing) + "\n" + bookPath,
                                texts::kTitlePrefix, MessageButtons::kOk);
            return false;
        }
        loadedPath_ = bookPath;
    }
    return controller_.DisplayContents();
}

std::string FindHelpBook() {
    wxFileName besideProgram(wxStandardPaths::Get().GetExecutablePath());
    besideProgram.AppendDir("resources");
    besideProgram.SetFullName("");
    const wxString beside = besideProgram.GetPath(wxPATH_GET_SEPARATOR) + kBookInResources;
    if (wxFileName::FileExists(beside)) {
        return beside.utf8_string();
    }
    return std::string(VELLUMARK_RESOURCES) + "/" + kBookInResources;
}

void ShowHelpContents(MainFrame& frame) {
    frame.helpBook().ShowContents(FindHelpBook(), frame.prompts());
}
