#include "render/outline_display_list.h"

#include <GL/gl.h>

#include <cstring>

void CompileGlyphList(uint32_t list, const GlyphMesh& mesh, float advance) {
    glNewList(list, GL_COMPILE);
    if (!mesh.vertices.empty()) {
        glBegin(GL_TRIANGLES);
        const float* lastNormal = nullptr;
        for (const MeshVertex& vertex : mesh.vertices) {
            // Faces share one normal for thousands of vertices: send it only when it changes.
            if (!lastNormal || std::memcmp(lastNormal, vertex.normal, sizeof vertex.normal) != 0) {
                glNormal3fv(vertex.normal);
                lastNormal = vertex.normal;
            }
            glVertex3fv(vertex.position);
        }
        glEnd();
    }
    glTranslatef(advance, 0.0f, 0.0f);
    glEndList();
}
