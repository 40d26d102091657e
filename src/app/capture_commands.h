#pragma once
// The capture commands: the whole view and a dragged region, the file dialog they share, and
// the write done by the paint that follows a chosen file.

class MainFrame;
struct ClientRect;

// The save dialog of a capture. True when a file was chosen; its path and its type (taken from
// the chosen filter, not from the typed extension) are kept for the capture.
bool ChooseCaptureFile(MainFrame& frame);
// The end of a region drag: a region without area is refused before any file is asked for.
bool ChooseRegionCaptureFile(MainFrame& frame, const ClientRect& rect);

// Whole view: asks for the file, then the next paint captures the whole canvas.
void CaptureSceneCommand(MainFrame& frame);
// Region: locks menus and buttons and waits for the first press in the view.
void CaptureRegionCommand(MainFrame& frame);

// Called by the paint while the frame to capture is still in the back buffer: reads rect
// (window coordinates, corners in any order), writes the chosen file and forgets its name. A
// failure is reported once the paint is over.
void WritePendingCapture(MainFrame& frame, const ClientRect& rect);
