#define GL_GLEXT_PROTOTYPES 1
#include "render/framebuffer_functions.h"

FramebufferFunctions LoadFramebufferFunctions() {
    FramebufferFunctions gl;
    gl.genFramebuffers = glGenFramebuffers;
    gl.deleteFramebuffers = glDeleteFramebuffers;
    gl.bindFramebuffer = glBindFramebuffer;
    gl.framebufferRenderbuffer = glFramebufferRenderbuffer;
    gl.checkFramebufferStatus = glCheckFramebufferStatus;
    gl.genRenderbuffers = glGenRenderbuffers;
    gl.deleteRenderbuffers = glDeleteRenderbuffers;
    gl.bindRenderbuffer = glBindRenderbuffer;
    gl.renderbufferStorage = glRenderbufferStorage;
    return gl;
}
