#include "app/gl_view.h"

#include <wx/dcclient.h>

GlView::GlView(wxWindow* parent, const wxGLAttributes& attributes)
    : wxGLCanvas(parent, attributes, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                 wxFULL_REPAINT_ON_RESIZE | wxWANTS_CHARS) {
    // GL paints every pixel; an erase would only flicker.
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &GlView::OnPaint, this);
    Bind(wxEVT_SIZE, &GlView::OnSize, this);
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
