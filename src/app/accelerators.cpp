#include "app/accelerators.h"

#include "dialogs/command_ids.h"

const std::array<ShortcutKey, 10> kShortcutKeys = {{
    {wxACCEL_CTRL, 'B', kCmdCapture},
    {wxACCEL_CTRL, 'I', kCmdZoomIn},
    {wxACCEL_CTRL, 'N', kCmdNewObject},
    {wxACCEL_CTRL, 'O', kCmdZoomOut},
    {wxACCEL_CTRL, 'R', kCmdResetView},
    {wxACCEL_CTRL, 'S', kCmdGuideLines},
    {wxACCEL_NORMAL, WXK_F1, kCmdHelp},
    {wxACCEL_CTRL, 'Z', kCmdUndo},
    {wxACCEL_CTRL, 'Y', kCmdRedo},
    {wxACCEL_CTRL | wxACCEL_SHIFT, 'Z', kCmdRedo},
}};

wxAcceleratorTable CreateShortcutTable() {
    wxAcceleratorEntry entries[kShortcutKeys.size()];
    for (size_t i = 0; i < kShortcutKeys.size(); ++i) {
        entries[i].Set(kShortcutKeys[i].flags, kShortcutKeys[i].keyCode,
                       ToWxId(kShortcutKeys[i].command));
    }
    return wxAcceleratorTable(static_cast<int>(kShortcutKeys.size()), entries);
}
