#pragma once
// Command numbers of the menus, the popup menu, the toolbar and the accelerators. wx refuses ids
// of 32767 and above, so a command travels through wx under an id shifted into its own range.

#include <wx/defs.h>

enum CommandId : int {
    kCmdExit = 40002,
    kCmdResetView = 40003,
    kCmdVersion = 40004,
    kCmdNewObject = 40008,
    kCmdEditText = 40011,
    kCmdLoadTexture = 40012,
    kCmdColour = 40013,
    kCmdPosition = 40014,
    kCmdSize = 40015,
    kCmdRotation = 40016,
    kCmdDeleteObject = 40018,
    kCmdFont = 40019,
    kCmdDeleteTexture = 40020,
    kCmdZoomIn = 40021,
    kCmdZoomOut = 40022,
    kCmdGuideLines = 40023,
    kCmdCapture = 40024,
    kCmdShadow = 40025,
    kCmdSelectObject = 40026,
    kCmdLight = 40027,
    kCmdTarget = 40028,
    kCmdHelp = 40029,
    kCmdPreview = 40060,
    kCmdPreferences = 40064,
    kCmdNewScene = 40065,
    kCmdSaveAs = 40066,
    kCmdOpen = 40071,
    kCmdSave = 40072,
    kCmdCaptureRegion = 40073,
    kCmdExportModel = 40074,
    kCmdCaptureSized = 40075,
    // Beyond the numbers users know, inside the range the frame listens to.
    kCmdBevel = 40076,
    kCmdExportAnimation = 40077,
    kCmdSurface = 40078,
    kCmdStudioLook = 40079,
    kCmdUndo = 40080,
    kCmdRedo = 40081,
    kCmdStudioSettings = 40082,
    kCmdTypography = 40083,
};

inline constexpr int kFirstCommandId = 40000;
inline constexpr int kLastCommandId = 40099;
// wx ids of commands (and of dialog controls numbered from 40000) start here.
inline constexpr int kWxCommandBase = wxID_HIGHEST + 1000;

constexpr int ToWxId(int command) {
    return command - kFirstCommandId + kWxCommandBase;
}
constexpr int FromWxId(int wxId) {
    return wxId - kWxCommandBase + kFirstCommandId;
}
constexpr bool IsCommandWxId(int wxId) {
    return wxId >= ToWxId(kFirstCommandId) && wxId <= ToWxId(kLastCommandId);
}
