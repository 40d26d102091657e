#include "app/file_choice.h"

#include <wx/filename.h>

#include <algorithm>

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

// The name the dialog opens on, with the shown filter's extension in place of none or of another
// filter's: the toolkit adds the first filter's to a bare name whatever filter is shown, and a
// name kept from an earlier answer may carry another type's.
std::string ProposedName(const FileRequest& request) {
    const std::string extension = ExtensionForFilter(request, request.filterIndex);
    if (request.initialPath.empty() || extension.empty()) {
        return request.initialPath;
    }
    wxFileName name(wxString::FromUTF8(request.initialPath));
    const std::string current = name.GetExt().utf8_string();
    const auto& known = request.extensions;
    if (name.HasExt() && std::find(known.begin(), known.end(), current) == known.end()) {
        return request.initialPath;
    }
    name.SetExt(wxString::FromUTF8(extension));
    return name.GetFullPath().utf8_string();
}

}  // namespace

// The system's own separators: on Windows a dot in a folder's name is no extension.
bool HasExtension(const std::string& path) {
    return wxFileName(wxString::FromUTF8(path)).HasExt();
}

FileAnswer ChooseSaveFile(UserPrompts& prompts, wxWindow* owner, FileRequest request) {
    for (;;) {
        request.initialPath = ProposedName(request);
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
