#include "render/driver_function_windows.h"
#include "render/framebuffer_functions.h"

FramebufferFunctions LoadFramebufferFunctions() {
    FramebufferFunctions gl;
    LoadDriverFunction(gl.genFramebuffers, "glGenFramebuffers");
    LoadDriverFunction(gl.deleteFramebuffers, "glDeleteFramebuffers");
    LoadDriverFunction(gl.bindFramebuffer, "glBindFramebuffer");
    LoadDriverFunction(gl.framebufferRenderbuffer, "glFramebufferRenderbuffer");
    LoadDriverFunction(gl.checkFramebufferStatus, "glCheckFramebufferStatus");
    LoadDriverFunction(gl.genRenderbuffers, "glGenRenderbuffers");
    LoadDriverFunction(gl.deleteRenderbuffers, "glDeleteRenderbuffers");
    LoadDriverFunction(gl.bindRenderbuffer, "glBindRenderbuffer");
    LoadDriverFunction(gl.renderbufferStorage, "glRenderbufferStorage");
    return gl;
}
