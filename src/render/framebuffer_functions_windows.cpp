#include <windows.h>

#include "render/framebuffer_functions.h"

namespace {

template <typename Function>
void Load(Function& function, const char* name) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(wglGetProcAddress(name)));
}

}  // namespace

FramebufferFunctions LoadFramebufferFunctions() {
    FramebufferFunctions gl;
    Load(gl.genFramebuffers, "glGenFramebuffers");
    Load(gl.deleteFramebuffers, "glDeleteFramebuffers");
    Load(gl.bindFramebuffer, "glBindFramebuffer");
    Load(gl.framebufferRenderbuffer, "glFramebufferRenderbuffer");
    Load(gl.checkFramebufferStatus, "glCheckFramebufferStatus");
    Load(gl.genRenderbuffers, "glGenRenderbuffers");
    Load(gl.deleteRenderbuffers, "glDeleteRenderbuffers");
    Load(gl.bindRenderbuffer, "glBindRenderbuffer");
    Load(gl.renderbufferStorage, "glRenderbufferStorage");
    return gl;
}
