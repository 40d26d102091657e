#define GL_GLEXT_PROTOTYPES 1
#include "render/studio/studio_gl_functions.h"

StudioGlFunctions LoadStudioGlFunctions() {
    StudioGlFunctions gl;
#define VELLUMARK_STUDIO_GL_LINK(type, name) gl.name = gl##name;
    VELLUMARK_STUDIO_GL_FUNCTIONS(VELLUMARK_STUDIO_GL_LINK)
#undef VELLUMARK_STUDIO_GL_LINK
    return gl;
}
