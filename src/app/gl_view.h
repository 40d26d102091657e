#pragma once
// The GL canvas that shows the scene; it forwards its events to whoever draws the view.

#include <wx/glcanvas.h>

#include <optional>

#include "app/view_mouse.h"

class GlViewHandler {
public:
    virtual ~GlViewHandler() = default;
    // Called from the paint handler, with the canvas's paint DC alive.
    virtual void OnViewPaint() = 0;
    virtual void OnViewSize(int width, int height) = 0;
    virtual void OnViewMouse(const ViewMouseEvent&) {}
};

// The view's record of a wx mouse event, positions scaled to the view's pixels; none for the
// events the view does not handle.
std::optional<ViewMouseEvent> ToViewMouseEvent(const wxMouseEvent& event, double scale);

class GlView : public wxGLCanvas {
public:
    GlView(wxWindow* parent, const wxGLAttributes& attributes);
    void SetHandler(GlViewHandler* handler) { handler_ = handler; }

private:
    void OnPaint(wxPaintEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnMouse(wxMouseEvent& event);

    GlViewHandler* handler_ = nullptr;
};
