#include <GL/glx.h>
#include <X11/Xlib.h>

#include <vector>

#include "render/display_checks.h"

namespace {

// Errors of the trial are its result, not a reason to end the process.
int IgnoreXError(Display*, XErrorEvent*) {
    return 0;
}

std::vector<int> ConfigAttributes(int antialias) {
    std::vector<int> attributes = {
        GLX_RENDER_TYPE,  GLX_RGBA_BIT, GLX_DRAWABLE_TYPE, GLX_WINDOW_BIT,
        GLX_DOUBLEBUFFER, True,         GLX_DEPTH_SIZE,    16};
    if (antialias == 1) {
        for (const int channel : {GLX_ACCUM_RED_SIZE, GLX_ACCUM_GREEN_SIZE, GLX_ACCUM_BLUE_SIZE,
                                  GLX_ACCUM_ALPHA_SIZE}) {
            attributes.push_back(channel);
            attributes.push_back(8);
        }
    }
    attributes.push_back(None);
    return attributes;
}

// A context of the chosen configuration made current on a window that is never shown: the
// driver has loaded when it names its renderer.
bool ContextWorks(Display* display, GLXFBConfig config, XVisualInfo& visual) {
    const Window root = RootWindow(display, visual.screen);
    XSetWindowAttributes windowAttributes{};
    windowAttributes.colormap = XCreateColormap(display, root, visual.visual, AllocNone);
    const Window window = XCreateWindow(display, root, 0, 0, 1, 1, 0, visual.depth, InputOutput,
                                        visual.visual, CWColormap, &windowAttributes);
    bool works = false;
    if (GLXContext context = glXCreateNewContext(display, config, GLX_RGBA_TYPE, nullptr, True)) {
        if (glXMakeCurrent(display, window, context)) {
            works = glGetString(GL_RENDERER) != nullptr;
            glXMakeCurrent(display, None, nullptr);
        }
        glXDestroyContext(display, context);
    }
    XDestroyWindow(display, window);
    XFreeColormap(display, windowAttributes.colormap);
    XSync(display, False);
    return works;
}

GlStartProblem Probe(Display* display, int antialias) {
    int errorBase = 0;
    int eventBase = 0;
    if (!glXQueryExtension(display, &errorBase, &eventBase)) {
        return GlStartProblem::kNoPixelFormat;
    }
    const std::vector<int> attributes = ConfigAttributes(antialias);
    int count = 0;
    GLXFBConfig* configs =
        glXChooseFBConfig(display, DefaultScreen(display), attributes.data(), &count);
    if (configs == nullptr || count == 0) {
        if (configs != nullptr) {
            XFree(configs);
        }
        return GlStartProblem::kNoPixelFormat;
    }
    const GLXFBConfig config = configs[0];
    XFree(configs);
    XVisualInfo* visual = glXGetVisualFromFBConfig(display, config);
    if (visual == nullptr) {
        return GlStartProblem::kNoPixelFormat;
    }
    const bool works = ContextWorks(display, config, *visual);
    XFree(visual);
    return works ? GlStartProblem::kNone : GlStartProblem::kNoContext;
}

}  // namespace

GlStartProblem ProbeGlStart(int antialias) {
    // A connection of its own, so that nothing of the trial stays on the toolkit's.
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return GlStartProblem::kNoPixelFormat;
    }
    const XErrorHandler previous = XSetErrorHandler(IgnoreXError);
    const GlStartProblem problem = Probe(display, antialias);
    XSync(display, False);
    XSetErrorHandler(previous);
    XCloseDisplay(display);
    return problem;
}

bool DisplayAvailable() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return false;
    }
    XCloseDisplay(display);
    return true;
}
