#include "render/buffer_functions.h"
#include "render/driver_function_windows.h"

BufferFunctions LoadBufferFunctions() {
    BufferFunctions gl;
    LoadDriverFunction(gl.genBuffers, "glGenBuffers");
    LoadDriverFunction(gl.deleteBuffers, "glDeleteBuffers");
    LoadDriverFunction(gl.bindBuffer, "glBindBuffer");
    LoadDriverFunction(gl.bufferData, "glBufferData");
    return gl;
}
