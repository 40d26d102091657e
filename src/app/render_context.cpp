#include "app/render_context.h"

#include "app/gl_view.h"
#include "render/display_checks.h"
#include "resources/texts.h"

namespace {
// The X visual stands for the pixel format: without one, the canvas cannot draw with GL.
bool HasVisual(GlView& canvas) {
#if defined(__WXGTK__) && !wxUSE_GLCANVAS_EGL
    return canvas.GetXVisualInfo() != nullptr;
#else
    (void)canvas;
    return true;
#endif
}
}  // namespace

wxGLAttributes RenderContextAttributes(int antialias) {
    wxGLAttributes attributes;
    attributes.PlatformDefaults().RGBA().DoubleBuffer().Depth(16);
    if (antialias == 1) {
        attributes.MinAcumRGBA(8, 8, 8, 8);
    }
    attributes.EndList();
    return attributes;
}

RenderContext CreateRenderContext(wxWindow* parent, int antialias, UserPrompts& prompts) {
    RenderContext result;
    if (parent == nullptr) {
        prompts.ShowMessage(nullptr, texts::kGetDcFailed, texts::kCaptionErrorUpper,
                            MessageButtons::kOk);
        return result;
    }
    switch (ProbeGlStart(antialias)) {
        case GlStartProblem::kNone:
            break;
        case GlStartProblem::kNoPixelFormat:
            prompts.ShowMessage(parent, texts::kChoosePixelFormatFailed, texts::kCaptionErrorMixed,
                                MessageButtons::kOk);
            return result;
        case GlStartProblem::kNoContext:
            prompts.ShowMessage(nullptr, texts::kCreateContextFailed, texts::kCaptionErrorUpper,
                                MessageButtons::kOk);
            return result;
    }
    const wxGLAttributes attributes = RenderContextAttributes(antialias);
    if (!wxGLCanvas::IsDisplaySupported(attributes)) {
        prompts.ShowMessage(parent, texts::kChoosePixelFormatFailed, texts::kCaptionErrorMixed,
                            MessageButtons::kOk);
        return result;
    }
    auto* canvas = new GlView(parent, attributes);
    if (!HasVisual(*canvas)) {
        canvas->Destroy();
        prompts.ShowMessage(parent, texts::kSetPixelFormatFailed, texts::kCaptionErrorMixed,
                            MessageButtons::kOk);
        return result;
    }
    auto* context = new wxGLContext(canvas);
    if (!context->IsOK()) {
        delete context;
        canvas->Destroy();
        prompts.ShowMessage(nullptr, texts::kCreateContextFailed, texts::kCaptionErrorUpper,
                            MessageButtons::kOk);
        return result;
    }
    result.canvas = canvas;
    result.context = context;
    return result;
}

void ReleaseRenderContext(RenderContext& renderContext, wxWindow* owner, UserPrompts& prompts) {
    if (renderContext.context == nullptr) {
        prompts.ShowMessage(owner, texts::kReleaseContextFailed, texts::kCaptionErrorUpper,
                            MessageButtons::kOk);
    } else {
        delete renderContext.context;
        renderContext.context = nullptr;
    }
    if (renderContext.canvas == nullptr) {
        prompts.ShowMessage(owner, texts::kReleaseDcFailed, texts::kCaptionErrorUpper,
                            MessageButtons::kOk);
    } else {
        renderContext.canvas->Destroy();
        renderContext.canvas = nullptr;
    }
}
