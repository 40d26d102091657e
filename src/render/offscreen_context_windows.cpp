#include <windows.h>

#include "render/offscreen_context.h"

namespace {

constexpr wchar_t kWindowClass[] = L"VellumarkOffscreen";

}  // namespace

// WGL needs a window for its pixel format; it is never shown, and pictures go to a framebuffer
// object, so its size does not matter.
OffscreenContext::OffscreenContext() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass{};
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kWindowClass;
    RegisterClassW(&windowClass);  // fails harmlessly when an earlier context registered it
    HWND window = CreateWindowExW(0, kWindowClass, L"", WS_POPUP, 0, 0, 16, 16, nullptr, nullptr,
                                  instance, nullptr);
    if (window == nullptr) {
        failure_ = "CreateWindowEx";
        return;
    }
    window_ = window;
    HDC device = GetDC(window);
    device_ = device;
    PIXELFORMATDESCRIPTOR format{};
    format.nSize = sizeof format;
    format.nVersion = 1;
    format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
    format.iPixelType = PFD_TYPE_RGBA;
    format.cColorBits = 24;
    format.cAlphaBits = 8;
    format.cDepthBits = 24;
    const int chosen = ChoosePixelFormat(device, &format);
    if (chosen == 0 || !SetPixelFormat(device, chosen, &format)) {
        failure_ = "SetPixelFormat";
        return;
    }
    HGLRC context = wglCreateContext(device);
    if (context == nullptr) {
        failure_ = "wglCreateContext";
        return;
    }
    context_ = context;
    if (!wglMakeCurrent(device, context)) {
        failure_ = "wglMakeCurrent";
        return;
    }
    current_ = true;
}

OffscreenContext::~OffscreenContext() {
    if (current_) {
        wglMakeCurrent(nullptr, nullptr);
    }
    if (context_ != nullptr) {
        wglDeleteContext(static_cast<HGLRC>(context_));
    }
    if (device_ != nullptr) {
        ReleaseDC(static_cast<HWND>(window_), static_cast<HDC>(device_));
    }
    if (window_ != nullptr) {
        DestroyWindow(static_cast<HWND>(window_));
    }
}
