#include "app/message_lines.h"

namespace {

bool IsBreakAfter(wxUniChar c) {
    return c == '/' || c == '\\' || c == ' ';
}

wxString WrapLine(const wxString& line, int maxWidth,
                  const std::function<int(const wxString&)>& measure) {
    wxString wrapped;
    wxString current;
    for (const wxUniChar c : line) {
        if (!current.empty() && measure(current + c) > maxWidth) {
            size_t cut = current.size();
            for (size_t i = current.size() - 1; i > 0; --i) {
                if (IsBreakAfter(current[i - 1])) {
                    cut = i;
                    break;
                }
            }
            wrapped += current.substr(0, cut) + '\n';
            current.erase(0, cut);
        }
        current += c;
    }
    return wrapped + current;
}

}  // namespace

wxString WrapWideLines(const wxString& text, int maxWidth,
                       const std::function<int(const wxString&)>& measure) {
    wxString result;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find('\n', start);
        const wxString line =
            text.substr(start, end == wxString::npos ? wxString::npos : end - start);
        result += measure(line) > maxWidth ? WrapLine(line, maxWidth, measure) : line;
        if (end == wxString::npos) {
            return result;
        }
        result += '\n';
        start = end + 1;
    }
}
