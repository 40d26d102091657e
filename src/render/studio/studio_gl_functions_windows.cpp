#include <windows.h>

#include "render/studio/studio_gl_functions.h"

namespace {

template <typename Function>
void Load(Function& function, const char* name) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(wglGetProcAddress(name)));
}

}  // namespace

StudioGlFunctions LoadStudioGlFunctions() {
    StudioGlFunctions gl;
#define VELLUMARK_STUDIO_GL_LOAD(type, name) Load(gl.name, "gl" #name);
    VELLUMARK_STUDIO_GL_FUNCTIONS(VELLUMARK_STUDIO_GL_LOAD)
#undef VELLUMARK_STUDIO_GL_LOAD
    return gl;
}
