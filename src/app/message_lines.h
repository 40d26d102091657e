#pragma once
// Message boxes size themselves to their longest line, and a path has no blank to wrap at: a
// path longer than the screen made a box wider than the screen.

#include <wx/string.h>

#include <functional>

// text with every line wider than maxWidth (as measure counts it) broken into lines that fit:
// after the last path separator or blank that leaves a fitting line, else between characters.
// Lines that fit stay as they are.
wxString WrapWideLines(const wxString& text, int maxWidth,
                       const std::function<int(const wxString&)>& measure);
