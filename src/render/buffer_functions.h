#pragma once
// The vertex-buffer entry points (GL 1.5). Linux links them; Windows' GL library stops at 1.1, so
// there they are asked of the driver of the current context.

#include <GL/gl.h>
#include <GL/glext.h>

struct BufferFunctions {
    PFNGLGENBUFFERSPROC genBuffers = nullptr;
    PFNGLDELETEBUFFERSPROC deleteBuffers = nullptr;
    PFNGLBINDBUFFERPROC bindBuffer = nullptr;
    PFNGLBUFFERDATAPROC bufferData = nullptr;

    bool Complete() const { return genBuffers && deleteBuffers && bindBuffer && bufferData; }
};

// Needs a current context.
BufferFunctions LoadBufferFunctions();
