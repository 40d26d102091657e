#include "app/view_mouse.h"

namespace {
constexpr double kPixelsPerRadian = 1000.0;
constexpr double kElevationLimit = 1.56;
}  // namespace

void TurnView(ViewState& view, ViewPoint anchor, int x, int y) {
    view.azimuth = static_cast<float>(view.azimuth + (anchor.x - x) / kPixelsPerRadian);
    // The limit is tested before the step, so one step may carry the elevation past it; after
    // that only steps back towards the horizon are taken.
    const int d = anchor.y - y;
    if ((d > 0 && view.elevation < kElevationLimit) ||
        (d <= 0 && view.elevation > -kElevationLimit)) {
        view.elevation = static_cast<float>(view.elevation + d / kPixelsPerRadian);
    }
}

void ViewMouse::Handle(const ViewMouseEvent& event) {
    switch (event.action) {
        case MouseAction::kLeftDown:
            OnLeftDown(event.x, event.y);
            break;
        case MouseAction::kMove:
            OnMove(event.x, event.y);
            break;
        case MouseAction::kLeftUp:
            OnLeftUp(event.x, event.y);
            break;
        case MouseAction::kLeftDoubleClick:
            SelectAt(event.x, event.y);
            break;
        case MouseAction::kRightDown:
            ShowObjectMenuAt(event.x, event.y);
            break;
    }
}

void ViewMouse::OnLeftDown(int x, int y) {
    if (state_.regionArmed != 1) {
        state_.dragAnchor = {x, y};
        return;
    }
    // A press without a drag is a region without area, not one reaching to the corner.
    state_.captureRect = {x, y, x, y};
    state_.rubberBand = 1;
    state_.regionArmed = 0;
}

void ViewMouse::OnLeftUp(int x, int y) {
    if (state_.rubberBand == 1) {
        // X may deliver the last moves of a quick drag only as a hint or not at all: the release
        // point is where the user let go.
        state_.captureRect.right = x;
        state_.captureRect.bottom = y;
        FinishRegion();
        return;
    }
    state_.dragAnchor = {};
}

// The band stays on screen while the file dialog is open.
void ViewMouse::FinishRegion() {
    const bool chosen = host_.ChooseCaptureFile(state_.captureRect);
    state_.rubberBand = 0;
    state_.capturePending = chosen ? 1 : 0;
    if (!chosen) {
        state_.captureRect = {};
    }
    // The next paint captures the region, or only takes the band away.
    host_.RedrawView();
    host_.UnlockAfterRegionCapture();
}

void ViewMouse::OnMove(int x, int y) {
    if (state_.rubberBand == 1) {
        state_.captureRect.right = x;
        state_.captureRect.bottom = y;
        host_.RedrawView();
        return;
    }
    if (state_.dragAnchor.x == -1 || state_.dragAnchor.y == -1) {
        return;
    }
    TurnView(scene_.view, state_.dragAnchor, x, y);
    host_.RedrawView();
}

int ViewMouse::PickCurrentObject(int x, int y) {
    if (scene_.currentObject != -1) {
        ClearSelection(scene_);
        host_.SetObjectButtons(false);
    }
    int slot = host_.PickObjectAt(x, y);
    if (slot < 0 || slot >= kSlotCount) {
        slot = -1;
    }
    scene_.currentObject = slot;
    return slot;
}

void ViewMouse::SelectAt(int x, int y) {
    const int slot = PickCurrentObject(x, y);
    if (slot != -1) {
        TextObject& object = scene_.objects[slot];
        object.highlighted = 1;
        object.touched = 1;
        host_.SetObjectButtons(true);
    }
    host_.RedrawView();
}

void ViewMouse::ShowObjectMenuAt(int x, int y) {
    if (state_.rubberBand != 0) {
        return;
    }
    const int slot = PickCurrentObject(x, y);
    if (slot == -1) {
        host_.RedrawView();
        return;
    }
    TextObject& object = scene_.objects[slot];
    object.highlighted = 1;
    object.touched = 1;
    host_.RedrawView();
    const int command = host_.ChooseFromObjectMenu(x, y);
    // The object stays current, so the command chosen acts on it; the buttons stay greyed.
    object.highlighted = 0;
    host_.RedrawView();
    if (command != 0) {
        host_.RunCommand(command);
    }
}
