#include "render/outline_display_list.h"

#include <GL/gl.h>

void CompileGlyphList(uint32_t list, const GlyphMesh& mesh) {
    glNewList(list, GL_COMPILE);
    if (!mesh.indices.empty()) {
        // Arrays are read while compiling, so the list keeps its own copy of the vertices.
        // Texture coordinates come from the view's generation, as for every other solid.
        glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_NORMAL_ARRAY);
        glVertexPointer(3, GL_FLOAT, sizeof(MeshVertex), mesh.vertices[0].position);
        glNormalPointer(GL_FLOAT, sizeof(MeshVertex), mesh.vertices[0].normal);
        glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(mesh.indices.size()), GL_UNSIGNED_INT,
                       mesh.indices.data());
        glPopClientAttrib();
    }
    glEndList();
}
