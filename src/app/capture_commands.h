#pragma once
// The capture commands: the whole view and a dragged region, the file dialog they share, and
// the write done by the paint that follows a chosen file.

class CommandContext;
struct ClientRect;

// The save dialog of a capture. True when a file was chosen; its path and its type (taken from
// the chosen filter, not from the typed extension) are kept for the capture.
bool ChooseCaptureFile(CommandContext& context);
// The end of a region drag: a region without area is refused before any file is asked for.
bool ChooseRegionCaptureFile(CommandContext& context, const ClientRect& rect);

// Whole view: asks for the file, then the next paint captures the whole canvas.
void CaptureSceneCommand(CommandContext& context);
// Region: locks menus and buttons and waits for the first press in the view.
void CaptureRegionCommand(CommandContext& context);

// Called by the paint while the frame to capture is still in the back buffer: reads rect
// (window coordinates, corners in any order), writes the chosen file and forgets its name. A
// failure is reported once the paint is over.
void WritePendingCapture(CommandContext& context, const ClientRect& rect);
