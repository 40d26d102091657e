#pragma once
// The view's mouse handling on plain records, so that it runs without a display: turning the
// view by dragging with the left button, selecting with a double click, the object menu on a
// right click, and dragging out the rectangle of a region capture. The toolkit's events are
// turned into ViewMouseEvent at the canvas.

#include <cstdint>

#include "render/client_rect.h"
#include "scene/scene.h"

enum class MouseAction { kLeftDown, kLeftUp, kLeftDoubleClick, kRightDown, kMove };

// x from the left, y from the top of the view, in the window coordinates the toolkit reports.
struct ViewMouseEvent {
    MouseAction action;
    int x;
    int y;
};

struct ViewPoint {
    int x = -1;
    int y = -1;
};

// What the mouse handling needs from the window around the view.
class ViewMouseHost {
  public:
    virtual ~ViewMouseHost() = default;
    // Slot of the nearest object drawn under (x, y), or -1.
    virtual int PickObjectAt(int x, int y) = 0;
    // Redraws the whole view (no erase).
    virtual void RedrawView() = 0;
    // The nine object buttons of the toolbar.
    virtual void SetObjectButtons(bool enabled) = 0;
    // Shows the object menu at (x, y) of the view and returns once it has closed: the command
    // chosen, or 0 when none was.
    virtual int ChooseFromObjectMenu(int x, int y) = 0;
    virtual void RunCommand(int command) = 0;
    // The capture file dialog at the end of a region drag; true when a file was chosen.
    virtual bool ChooseCaptureFile(const ClientRect& region) = 0;
    // Gives back the menus and the buttons that need no picked object.
    virtual void UnlockAfterRegionCapture() = 0;
};

// The mouse part of the shell's state, owned by the window, with the region capture's flags:
// armed by the command until the first press, rubberBand while the rectangle is dragged out,
// capturePending until the paint that writes the file.
struct ViewMouseState {
    // (-1, -1) when no drag is under way. It stays at the press point for the whole drag.
    ViewPoint dragAnchor;
    int32_t regionArmed = 0;
    int32_t rubberBand = 0;
    int32_t capturePending = 0;
    ClientRect captureRect;
};

class ViewMouse {
  public:
    ViewMouse(Scene& scene, ViewMouseState& state, ViewMouseHost& host)
        : scene_(scene), state_(state), host_(host) {}

    void Handle(const ViewMouseEvent& event);

  private:
    void OnLeftDown(int x, int y);
    void OnMove(int x, int y);
    void OnLeftUp(int x, int y);
    void FinishRegion();
    void SelectAt(int x, int y);
    void ShowObjectMenuAt(int x, int y);
    // Clears the previous selection, then makes the object under (x, y) current (or none).
    int PickCurrentObject(int x, int y);

    Scene& scene_;
    ViewMouseState& state_;
    ViewMouseHost& host_;
};

// One step of the drag: every move adds the whole offset from the press point again.
void TurnView(ViewState& view, ViewPoint anchor, int x, int y);
