#include "render/gl_resource_releaser.h"

#include <GL/gl.h>

void GlResourceReleaser::DeleteList(uint32_t list) { glDeleteLists(list, 1); }

void GlResourceReleaser::DeleteTexture(uint32_t texture) {
    const GLuint name = texture;
    glDeleteTextures(1, &name);
}
