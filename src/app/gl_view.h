#pragma once
// The GL canvas that shows the scene; it forwards its events to whoever draws the view.

#include <wx/glcanvas.h>

#include "app/view_mouse.h"

class GlViewHandler {
  public:
    virtual ~GlViewHandler() = default;
    // Called from the paint handler, with the canvas's paint DC alive.
    virtual void OnViewPaint() = 0;
    virtual void OnViewSize(int width, int height) = 0;
    virtual void OnViewMouse(const ViewMouseEvent&) {}
};

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
