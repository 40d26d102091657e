#pragma once
// The toolbar: 22 entries (18 buttons and 4 separators) with their images and tooltips.

#include <wx/frame.h>
#include <wx/toolbar.h>

#include <array>

#include "dialogs/command_ids.h"

struct ToolButton {
    int image;            // index into the 18 images; -1 for a separator
    int command;          // 0 for a separator
    const char* tooltip;  // UTF-8
};

extern const std::array<ToolButton, 22> kToolButtons;

// The buttons that act on the picked object, in the order they are switched.
inline constexpr std::array<int, 9> kObjectButtonCommands = {
    kCmdEditText, kCmdDeleteObject, kCmdColour,        kCmdSize, kCmdPosition,
    kCmdRotation, kCmdLoadTexture,  kCmdDeleteTexture, kCmdFont};
// The buttons a region capture locks and gives back.
inline constexpr std::array<int, 9> kShellButtonCommands = {
    kCmdCapture, kCmdNewObject, kCmdPreview, kCmdZoomIn,    kCmdZoomOut,
    kCmdHelp,    kCmdShadow,    kCmdLight,   kCmdGuideLines};

// Creates the frame's toolbar with every button enabled.
wxToolBar* CreateMainToolBar(wxFrame& frame);
