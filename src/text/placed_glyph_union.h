#pragma once
// Neighbouring glyphs of one line united into one face. A slicer takes solids that overlap one
// another for a broken model, and italic or tightly set characters reach into their neighbours.

#include <vector>

#include "text/outline_tessellator.h"

struct PlacedFace {
    const FaceTriangulation* face = nullptr;
    float pen = 0.0f;  // em along x
};

// The faces moved along x to their pens less origin, united; ok is false when the union fails.
FaceTriangulation UnitePlacedFaces(const std::vector<PlacedFace>& faces, float origin);
