#pragma once
// The program's one GL canvas and context. A window's visual cannot change on X11, so a context
// with or without an accumulation buffer always comes with its own canvas.

#include <wx/glcanvas.h>

#include "dialogs/user_prompts.h"

class GlView;

struct RenderContext {
    GlView* canvas = nullptr;        // owned by its parent window
    wxGLContext* context = nullptr;  // owned here until ReleaseRenderContext
    bool IsValid() const { return canvas != nullptr && context != nullptr; }
};

// antialias 1 asks for an 8/8/8/8 accumulation buffer. On failure shows the message of the step
// that failed and returns an invalid context (no canvas is left behind).
RenderContext CreateRenderContext(wxWindow* parent, int antialias, UserPrompts& prompts);
// Deletes the context and destroys its canvas; reports a missing context or canvas.
void ReleaseRenderContext(RenderContext& renderContext, wxWindow* owner, UserPrompts& prompts);
// The attributes a canvas asks for: RGBA, double buffer, depth 16 (+ accumulation when 1).
wxGLAttributes RenderContextAttributes(int antialias);
