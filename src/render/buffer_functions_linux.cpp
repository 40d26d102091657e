#define GL_GLEXT_PROTOTYPES 1
#include "render/buffer_functions.h"

BufferFunctions LoadBufferFunctions() {
    BufferFunctions gl;
    gl.genBuffers = glGenBuffers;
    gl.deleteBuffers = glDeleteBuffers;
    gl.bindBuffer = glBindBuffer;
    gl.bufferData = glBufferData;
    return gl;
}
