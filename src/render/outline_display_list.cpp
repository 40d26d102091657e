#include "render/outline_display_list.h"

#include <GL/gl.h>

void CompileGlyphList(uint32_t list, const GlyphMesh& mesh, float advance) {
    glNewList(list, GL_COMPILE);
    if (!mesh.vertices.empty()) {
        // Arrays are read while compiling, so the list keeps its own copy of the vertices.
        glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_NORMAL_ARRAY);
        glVertexPointer(3, GL_FLOAT, sizeof(MeshVertex), mesh.vertices[0].position);
        glNormalPointer(GL_FLOAT, sizeof(MeshVertex), mesh.vertices[0].normal);
        glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(mesh.vertices.size()));
        glPopClientAttrib();
    }
    glTranslatef(advance, 0.0f, 0.0f);
    glEndList();
}
