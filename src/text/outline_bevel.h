#pragma once
// Bevelled glyph solids: the front face inset by the bevel width, joined to the full outline a
// bevel depth further back by rings of slanted or rounded strips, then the side walls (and the
// same again at the back when asked). Every strip and cap triangle faces the same way seen along
// z, so the bevelled surface lies over the outline as a height field and cannot cross itself.

#include <cstdint>
#include <vector>

#include "scene/text_object.h"
#include "text/outline_extruder.h"

inline constexpr uint32_t kAddedAlong = UINT32_MAX;

// The widths, in em, of the two edges at a ring point: the one ending there and the one starting
// there. They differ only at a corner turning right sharply, where each edge keeps its own.
struct BevelSideWidths {
    float in, out;
};

// One boundary ring of the face with its inset rows.
struct BevelRing {
    // Per point of the ring, in its order (filled region on the left), the face's vertex it is,
    // or kAddedAlong for a point added on an edge so the width can change there (or beside a
    // notch's tip, whose miter is cut, so the width holds along its edges). A reflex corner
    // made round, as its miter found too little room, repeats its vertex: the copies' rows fan
    // out from it, turning from the ending edge's normal to the starting edge's.
    std::vector<uint32_t> outline;
    // Rows of outline.size() points each, from the outline itself (row 0) inwards to the edge of
    // the front face. A ring whose stroke is too thin for any width keeps row 0 only.
    std::vector<OutlinePoint> rows;
    // Per outline point, the widths it got: the one asked for, or less where the stroke is thin;
    // 0 all round on a ring left flat.
    std::vector<BevelSideWidths> widths;
};

// The flat part of a bevel. It depends on the width, the number of steps and whether the back is
// bevelled too, nothing else.
struct BevelledFace {
    int steps = 1;
    std::vector<BevelRing> rings;
    // The inset front face: the last row of every ring, and its triangles (counter-clockwise).
    std::vector<OutlinePoint> capVertices;
    std::vector<uint32_t> capTriangles;
};

// Profile steps between the outline and the front face: 1 for a chamfer.
int BevelSteps(const BevelSettings& bevel);

// Where the back is bevelled too (backToo), the walls' foot follows every point of the rings, so
// all of them lie on the outline's own edges.
BevelledFace InsetFace(const FaceTriangulation& face, float width, int steps, bool backToo);

// The solid as ExtrudeFaces builds it, with bevelled edges. The bevel depth is kept below the
// solid's own depth so the side walls keep some height.
GlyphMesh ExtrudeBevelled(const FaceTriangulation& face, const BevelledFace& inset, float depth,
                          const BevelSettings& bevel);
