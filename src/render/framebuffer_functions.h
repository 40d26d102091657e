#pragma once
// The framebuffer-object entry points. Linux links them; Windows' GL library stops at 1.1, so
// there they are asked of the driver of the current context.

#include <GL/gl.h>
#include <GL/glext.h>

struct FramebufferFunctions {
    PFNGLGENFRAMEBUFFERSPROC genFramebuffers = nullptr;
    PFNGLDELETEFRAMEBUFFERSPROC deleteFramebuffers = nullptr;
    PFNGLBINDFRAMEBUFFERPROC bindFramebuffer = nullptr;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC framebufferRenderbuffer = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus = nullptr;
    PFNGLGENRENDERBUFFERSPROC genRenderbuffers = nullptr;
    PFNGLDELETERENDERBUFFERSPROC deleteRenderbuffers = nullptr;
    PFNGLBINDRENDERBUFFERPROC bindRenderbuffer = nullptr;
    PFNGLRENDERBUFFERSTORAGEPROC renderbufferStorage = nullptr;

    bool Complete() const {
        return genFramebuffers && deleteFramebuffers && bindFramebuffer &&
               framebufferRenderbuffer && checkFramebufferStatus && genRenderbuffers &&
               deleteRenderbuffers && bindRenderbuffer && renderbufferStorage;
    }
};

// Needs a current context.
FramebufferFunctions LoadFramebufferFunctions();
