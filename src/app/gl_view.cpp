#include "app/gl_view.h"

#include <wx/dcclient.h>

#include <optional>

namespace {
// The view's record of a wx mouse event; none for the events the view does not handle.
std::optional<ViewMouseEvent> ToViewMouseEvent(const wxMouseEvent& event) {
    MouseAction action;
    const wxEventType type = event.GetEventType();
    if (type == wxEVT_LEFT_DOWN) {
        action = MouseAction::kLeftDown;
    } else if (type == wxEVT_LEFT_UP) {
        action = MouseAction::kLeftUp;
    } else if (type == wxEVT_LEFT_DCLICK) {
        action = MouseAction::kLeftDoubleClick;
    } else if (type == wxEVT_RIGHT_DOWN || type == wxEVT_RIGHT_DCLICK) {
        // A quick second right click comes as a double click and must open the menu again.
        action = MouseAction::kRightDown;
    } else if (type == wxEVT_MOTION) {
        action = MouseAction::kMove;
    } else {
        return std::nullopt;
    }
    return ViewMouseEvent{action, event.GetX(), event.GetY()};
}
}  // namespace

GlView::GlView(wxWindow* parent, const wxGLAttributes& attributes)
    : wxGLCanvas(parent, attributes, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                 wxFULL_REPAINT_ON_RESIZE | wxWANTS_CHARS) {
    // GL paints every pixel; an erase would only flicker.
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &GlView::OnPaint, this);
    Bind(wxEVT_SIZE, &GlView::OnSize, this);
    for (const auto type : {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, wxEVT_LEFT_DCLICK, wxEVT_RIGHT_DOWN,
                            wxEVT_RIGHT_DCLICK, wxEVT_MOTION}) {
        Bind(type, &GlView::OnMouse, this);
    }
}

void GlView::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    if (handler_) {
        handler_->OnViewPaint();
    }
}

void GlView::OnSize(wxSizeEvent& event) {
    if (handler_) {
        const wxSize size = GetClientSize() * GetContentScaleFactor();
        handler_->OnViewSize(size.x, size.y);
    }
    event.Skip();
}

void GlView::OnMouse(wxMouseEvent& event) {
    // Left presses still give the canvas the focus.
    event.Skip();
    if (!handler_) {
        return;
    }
    if (const auto record = ToViewMouseEvent(event)) {
        handler_->OnViewMouse(*record);
    }
}
