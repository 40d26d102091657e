#pragma once
// The Japanese help book, shown in wx's HTML help viewer.

#include <wx/html/helpctrl.h>

#include <string>

#include "dialogs/user_prompts.h"

class CommandContext;

class HelpBook {
  public:
    explicit HelpBook(wxWindow* owner);
    // Opens the book at its contents page; tells the user when the book cannot be read.
    bool ShowContents(const std::string& bookPath, UserPrompts& prompts);

  private:
    wxWindow* owner_;
    wxHtmlHelpController controller_;
    std::string loadedPath_;
};

// The book's project file: beside the program in executableDir when it is there, else where an
// installation puts it (share/vellumark beside the program's bin folder).
std::string FindHelpBook(const std::string& executableDir);
std::string FindHelpBook();
void ShowHelpContents(CommandContext& context);
