#include "app/file_choice.h"

#include <wx/filename.h>

#include "resources/texts.h"

namespace {

// A dangling link counts: saving there would replace it.
bool Exists(const std::string& path) {
    return wxFileName::Exists(wxString::FromUTF8(path),
                              wxFILE_EXISTS_ANY | wxFILE_EXISTS_NO_FOLLOW);
}

std::string ExtensionForFilter(const FileRequest& request, int filterIndex) {
    if (filterIndex < 0 || static_cast<std::size_t>(filterIndex) >= request.extensions.size()) {
        return {};
    }
    return request.extensions[static_cast<std::size_t>(filterIndex)];
}

}  // namespace

// The system's own separators: on Windows a dot in a folder's name is no extension.
bool HasExtension(const std::string& path) {
    return wxFileName(wxString::FromUTF8(path)).HasExt();
}

FileAnswer ChooseSaveFile(UserPrompts& prompts, wxWindow* owner, FileRequest request) {
    for (;;) {
        FileAnswer answer = prompts.ChooseFile(owner, request);
        const std::string extension = ExtensionForFilter(request, answer.filterIndex);
        if (!answer.ok || extension.empty() || HasExtension(answer.path)) {
            return answer;
        }
        const std::string completed = answer.path + "." + extension;
        if (!Exists(completed) ||
            prompts.ShowMessage(owner, completed + texts::kReplaceQuestion, request.title,
                                MessageButtons::kYesNo,
                                MessageIcon::kWarning) == MessageAnswer::kYes) {
            answer.path = completed;
            return answer;
        }
        // Back to the dialog, as the name was typed.
        request.initialPath = answer.path;
        request.filterIndex = answer.filterIndex;
    }
}

std::string OpenedFileName(const std::string& path, const std::string& extension) {
    if (Exists(path) || extension.empty() || HasExtension(path)) {
        return path;
    }
    const std::string completed = path + "." + extension;
    return Exists(completed) ? completed : path;
}
