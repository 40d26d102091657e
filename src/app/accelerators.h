#pragma once
// The shortcut keys. Ctrl+B captures and Ctrl+S toggles the guide lines, whatever the menu
// captions suggest: users of the program know them that way.

#include <wx/accel.h>

#include <array>

struct ShortcutKey {
    int flags;  // wxACCEL_*
    int keyCode;
    int command;
};

extern const std::array<ShortcutKey, 10> kShortcutKeys;

wxAcceleratorTable CreateShortcutTable();
