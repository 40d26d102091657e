#include <EGL/egl.h>
#include <EGL/eglext.h>

#include "render/offscreen_context.h"

OffscreenContext::OffscreenContext() {
    const auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (getPlatformDisplay == nullptr) {
        failure_ = "eglGetPlatformDisplayEXT";
        return;
    }
    EGLDisplay display =
        getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    EGLint major = 0;
    EGLint minor = 0;
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, &major, &minor)) {
        failure_ = "eglInitialize";
        return;
    }
    device_ = display;
    if (!eglBindAPI(EGL_OPENGL_API)) {
        failure_ = "eglBindAPI";
        return;
    }
    const EGLint attributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                 EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
    EGLContext context = eglCreateContext(display, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, attributes);
    if (context == EGL_NO_CONTEXT) {
        failure_ = "eglCreateContext";
        return;
    }
    context_ = context;
    if (!eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context)) {
        failure_ = "eglMakeCurrent";
        return;
    }
    current_ = true;
}

OffscreenContext::~OffscreenContext() {
    if (device_ == nullptr) {
        return;
    }
    if (current_) {
        eglMakeCurrent(device_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    }
    if (context_ != nullptr) {
        eglDestroyContext(device_, context_);
    }
    eglTerminate(device_);
    eglReleaseThread();
}
