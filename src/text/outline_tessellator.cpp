#include "text/outline_tessellator.h"

#include <GL/glu.h>

#include <cstddef>
#include <cstdint>

namespace {

struct Collector {
    FaceTriangulation* result = nullptr;
    uint32_t corner[3] = {0, 0, 0};
    bool edgeOnBoundary[3] = {false, false, false};
    int filled = 0;
    bool boundaryFlag = true;
};

// The tesselator's vertex data must not be null, so indices travel shifted by one.
void* ToData(size_t index) {
    return reinterpret_cast<void*>(static_cast<uintptr_t>(index + 1));
}
uint32_t FromData(void* data) {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(data) - 1);
}

double TwiceArea(const FaceTriangulation& t, const uint32_t c[3]) {
    const OutlinePoint& a = t.vertices[c[0]];
    const OutlinePoint& b = t.vertices[c[1]];
    const OutlinePoint& d = t.vertices[c[2]];
    return (static_cast<double>(b.x) - a.x) * (static_cast<double>(d.y) - a.y) -
           (static_cast<double>(b.y) - a.y) * (static_cast<double>(d.x) - a.x);
}

void EmitTriangle(Collector& c) {
    FaceTriangulation& t = *c.result;
    uint32_t v[3] = {c.corner[0], c.corner[1], c.corner[2]};
    // Edge i runs from corner i to corner i + 1.
    bool onBoundary[3] = {c.edgeOnBoundary[0], c.edgeOnBoundary[1], c.edgeOnBoundary[2]};
    if (TwiceArea(t, v) < 0.0) {
        // Reversed, a→c→b: its edges are the old c→a, b→c and a→b turned round.
        v[1] = c.corner[2];
        v[2] = c.corner[1];
        onBoundary[0] = c.edgeOnBoundary[2];
        onBoundary[1] = c.edgeOnBoundary[1];
        onBoundary[2] = c.edgeOnBoundary[0];
    }
    for (int i = 0; i < 3; ++i) {
        t.triangles.push_back(v[i]);
        if (onBoundary[i]) {
            t.boundary.emplace_back(v[i], v[(i + 1) % 3]);
        }
    }
}

void GLAPIENTRY OnEdgeFlag(GLboolean flag, void* user) {
    static_cast<Collector*>(user)->boundaryFlag = flag == GL_TRUE;
}

void GLAPIENTRY OnVertex(void* vertex, void* user) {
    Collector& c = *static_cast<Collector*>(user);
    c.corner[c.filled] = FromData(vertex);
    c.edgeOnBoundary[c.filled] = c.boundaryFlag;
    if (++c.filled == 3) {
        EmitTriangle(c);
        c.filled = 0;
    }
}

void GLAPIENTRY OnCombine(GLdouble coords[3], void* /*vertices*/[4], GLfloat /*weights*/[4],
                          void** out, void* user) {
    FaceTriangulation& t = *static_cast<Collector*>(user)->result;
    t.vertices.push_back({static_cast<float>(coords[0]), static_cast<float>(coords[1]), false});
    *out = ToData(t.vertices.size() - 1);
}

void GLAPIENTRY OnError(GLenum, void* user) {
    static_cast<Collector*>(user)->result->ok = false;
}

template <typename F>
_GLUfuncptr Callback(F* f) {
    return reinterpret_cast<_GLUfuncptr>(f);
}

// One tesselator for the process: the builder runs on the UI thread only.
GLUtesselator* SharedTesselator() {
    static GLUtesselator* tess = [] {
        GLUtesselator* created = gluNewTess();
        gluTessProperty(created, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_NONZERO);
        gluTessNormal(created, 0.0, 0.0, 1.0);
        // With an edge-flag callback the tesselator hands out separate triangles only.
        gluTessCallback(created, GLU_TESS_EDGE_FLAG_DATA, Callback(OnEdgeFlag));
        gluTessCallback(created, GLU_TESS_VERTEX_DATA, Callback(OnVertex));
        gluTessCallback(created, GLU_TESS_COMBINE_DATA, Callback(OnCombine));
        gluTessCallback(created, GLU_TESS_ERROR_DATA, Callback(OnError));
        return created;
    }();
    return tess;
}

}  // namespace

FaceTriangulation TessellateOutline(const FlatOutline& outline) {
    FaceTriangulation result;
    for (const OutlineContour& contour : outline.contours) {
        result.vertices.insert(result.vertices.end(), contour.begin(), contour.end());
    }
    if (result.vertices.empty()) {
        return result;
    }
    Collector collector;
    collector.result = &result;
    GLUtesselator* tess = SharedTesselator();
    gluTessBeginPolygon(tess, &collector);
    size_t index = 0;
    for (const OutlineContour& contour : outline.contours) {
        gluTessBeginContour(tess);
        for (const OutlinePoint& point : contour) {
            GLdouble coords[3] = {point.x, point.y, 0.0};
            gluTessVertex(tess, coords, ToData(index++));
        }
        gluTessEndContour(tess);
    }
    gluTessEndPolygon(tess);
    if (collector.filled != 0) {
        result.ok = false;
    }
    return result;
}
