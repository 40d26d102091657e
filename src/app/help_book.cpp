#include "app/help_book.h"

#include <wx/filename.h>
#include <wx/stdpaths.h>

#include "app/command_context.h"
#include "resources/texts.h"

namespace {
constexpr char kBook[] = "/help/vellumark.hhp";
constexpr char kInstalledFolder[] = "/../share/vellumark";
}  // namespace

HelpBook::HelpBook(wxWindow* owner) : owner_(owner), controller_(wxHF_DEFAULT_STYLE, owner) {
    // The viewer's own caption would be English.
    controller_.SetTitleFormat(wxString::FromUTF8(texts::kHelpWindowTitle));
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

std::string FindHelpBook(const std::string& executableDir) {
    // Beside the program as the Windows folder and the build tree have it, else installed; the
    // program never looks in the folder it was built from.
    const std::string beside = executableDir + kBook;
    if (wxFileName::FileExists(wxString::FromUTF8(beside))) {
        return beside;
    }
    return executableDir + kInstalledFolder + kBook;
}

std::string FindHelpBook() {
    const wxFileName program(wxStandardPaths::Get().GetExecutablePath());
    return FindHelpBook(program.GetPath().utf8_string());
}

void ShowHelpContents(CommandContext& context) {
    context.shell().helpBook().ShowContents(FindHelpBook(), context.prompts());
}
