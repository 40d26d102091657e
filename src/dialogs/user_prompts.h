#pragma once
// The platform's pickers and message boxes behind one interface: the wx implementation for the
// program, a scripted one for tests (GTK's native pickers cannot be driven in process).

#include <wx/window.h>

#include <string>
#include <vector>

enum class MessageButtons { kOk, kYesNo, kYesNoCancel, kOkCancel };
enum class MessageIcon { kNone, kInformation, kQuestion, kWarning, kError };
enum class MessageAnswer { kOk, kYes, kNo, kCancel };

struct FileRequest {
    bool save = false;
    std::string title;     // UTF-8
    std::string wildcard;  // wx wildcard: "Description|*.ext|..."
    int filterIndex = 0;   // filter shown first, 0-based
    // One per filter, without the dot: the file choice adds the chosen filter's to a name
    // without one (the dialog itself answers the name as typed).
    std::vector<std::string> extensions;
    std::string initialPath;  // the dialog's remembered name
    bool overwritePrompt = false;
};

struct FileAnswer {
    bool ok = false;
    std::string path;  // UTF-8
    int filterIndex = 0;
};

struct FontRequest {
    std::string faceName;  // UTF-8
    int italic = 0;
    int charSet = 0;  // the object's; an alias face resolves with its language
};

struct FontAnswer {
    bool ok = false;
    std::string faceName;  // UTF-8
    int italic = 0;
    int charSet = 0;  // 128 when the family covers Japanese, else 0
};

struct NumberRequest {
    std::string message;  // UTF-8, above the field
    std::string label;    // UTF-8, beside the field
    std::string caption;  // UTF-8
    long value = 0;       // proposed
    long min = 0;
    long max = 0;
};

struct NumberAnswer {
    bool ok = false;
    long value = 0;  // within the request's range when ok
};

class UserPrompts {
  public:
    virtual ~UserPrompts() = default;
    // owner nullptr: no owner window. text and caption are UTF-8.
    virtual MessageAnswer ShowMessage(wxWindow* owner, const std::string& text,
                                      const std::string& caption, MessageButtons buttons,
                                      MessageIcon icon = MessageIcon::kNone) = 0;
    virtual FileAnswer ChooseFile(wxWindow* owner, const FileRequest& request) = 0;
    // rgb in and out; false when the user cancelled. Custom colours live for the process.
    virtual bool ChooseColour(wxWindow* owner, unsigned char rgb[3]) = 0;
    virtual FontAnswer ChooseFont(wxWindow* owner, const FontRequest& request) = 0;
    virtual NumberAnswer AskNumber(wxWindow* owner, const NumberRequest& request) = 0;
};
