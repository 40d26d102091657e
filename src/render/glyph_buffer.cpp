#include "render/glyph_buffer.h"

#include <vector>

GlyphBuffer UploadGlyphBuffer(const BufferFunctions& gl, const GlyphMesh& mesh) {
    if (mesh.indices.empty()) {
        return {};
    }
    // Unshared corners: each triangle's vertices in draw order, so a plain array draw gives
    // exactly the indexed triangles.
    std::vector<float> data;
    data.reserve(mesh.indices.size() * 6);
    for (const uint32_t index : mesh.indices) {
        const MeshVertex& vertex = mesh.vertices[index];
        data.insert(data.end(), vertex.position, vertex.position + 3);
        data.insert(data.end(), vertex.normal, vertex.normal + 3);
    }
    GlyphBuffer glyph;
    glyph.vertexCount = static_cast<GLsizei>(mesh.indices.size());
    gl.genBuffers(1, &glyph.buffer);
    gl.bindBuffer(GL_ARRAY_BUFFER, glyph.buffer);
    gl.bufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(data.size() * sizeof(float)),
                  data.data(), GL_STATIC_DRAW);
    gl.bindBuffer(GL_ARRAY_BUFFER, 0);
    return glyph;
}

void DrawGlyphBuffer(const BufferFunctions& gl, const GlyphBuffer& glyph) {
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    gl.bindBuffer(GL_ARRAY_BUFFER, glyph.buffer);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    // Offsets into the bound buffer, passed where GL 1.1 takes pointers.
    glVertexPointer(3, GL_FLOAT, GlyphBuffer::kStride,
                    reinterpret_cast<const void*>(GlyphBuffer::kPositionOffset));
    glNormalPointer(GL_FLOAT, GlyphBuffer::kStride,
                    reinterpret_cast<const void*>(GlyphBuffer::kNormalOffset));
    glDrawArrays(GL_TRIANGLES, 0, glyph.vertexCount);
    gl.bindBuffer(GL_ARRAY_BUFFER, 0);
    glPopClientAttrib();
}
