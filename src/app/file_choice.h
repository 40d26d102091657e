#pragma once
// File dialog answers completed as the old platform's dialogs completed them: the filter's
// extension is added to a name without one, and replacing a file is never left unasked.

#include <wx/window.h>

#include <string>

#include "dialogs/user_prompts.h"

// True when the last part of path has an extension (a leading dot alone does not count).
bool HasExtension(const std::string& path);

// Runs the save dialog until the user settles on a name or cancels. The toolkit asked about
// replacing the name as typed; a name completed here that hits an existing file gets the same
// question, and No shows the dialog again. The answer's path is the completed one. The name the
// dialog opens on always carries the extension of the filter it shows.
FileAnswer ChooseSaveFile(UserPrompts& prompts, wxWindow* owner, FileRequest request);

// The file an open dialog's answer names: the chosen name when it exists, else the name completed
// with extension when that one exists, else the chosen name.
std::string OpenedFileName(const std::string& path, const std::string& extension);
