#include "render/gl_context_names.h"

#include <GL/gl.h>

#include "render/outline_display_list.h"

uint32_t GlContextNames::NewList() {
    return glGenLists(1);
}

void GlContextNames::Compile(uint32_t list, const GlyphMesh& mesh, float advance) {
    CompileGlyphList(list, mesh, advance);
}

void GlContextNames::DeleteList(uint32_t list) {
    glDeleteLists(list, 1);
}

void GlContextNames::DeleteTexture(uint32_t texture) {
    const GLuint name = texture;
    glDeleteTextures(1, &name);
}
