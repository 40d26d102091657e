#pragma once
// How wide the bevel may be at each corner of a polygon's rings: the width asked for wherever
// the stroke is thick enough, less only where a corner's inset point would come nearer to some
// other part of the outline than to its own edges, so that a thin stroke narrows the bevel there
// and nowhere else.

#include <cmath>
#include <vector>

#include "text/polygon_triangulator.h"

struct PlaneVector {
    double x, y;
};

// std::hypot guards against overflow at a cost that grid distances do not need.
inline double Length(double x, double y) {
    return std::sqrt(x * x + y * y);
}

// A corner's widths: of the edge ending there and of the edge starting there. They differ only at
// a split corner.
struct SideWidths {
    double in, out;
};

// Where a corner's inset point lies: in * w.in + out * w.out from it. At a corner turning right
// (reflex) sharply enough, split, each edge may keep a width of its own, as where a thin stroke
// meets a thick one's side; elsewhere both halves are half the miter and the widths are one.
struct CornerSides {
    PlaneVector in, out;
    bool split;
};

// One ring of grid points with, per corner, its miter and sides.
struct InsetRing {
    std::vector<GridPoint> outline;
    std::vector<PlaneVector> miter;
    std::vector<CornerSides> sides;
};

// A corner of some other part facing an edge nearer than twice the width: how far along the edge
// from its start it lies, and how far either side of there the room stays short of the width.
// With no reach, a place where the room along the edge grows or falls past the width.
struct FacingCorner {
    size_t edge;
    double at, reach;
};

// Per ring, per corner, in grid steps. The contact widths are what the corner's inset point leaves
// room for on its own: at most the width asked for, and where less, shared with the nearest other
// part of the outline. The corner width is that lowered further where an edge passes a corner of
// another part between its own, and smoothed along the rings so the two bevels stop short of each
// other.
struct BevelWidths {
    std::vector<std::vector<SideWidths>> contacts, corners;
};

// The contact widths given in `known` (not NaN) are kept, so corners that stay need not be found
// again; at a split corner whose one width alone is known (out NaN), only its sides' are found. The
// corners facing edges are put in facing, per ring in order of the edges, when it is given.
BevelWidths FindBevelWidths(const std::vector<InsetRing>& rings, double width,
                            std::vector<std::vector<SideWidths>> known = {},
                            std::vector<std::vector<FacingCorner>>* facing = nullptr);

// Lowers widths where they would change along the outline faster than the distance run, so a
// bevel narrows and widens again smoothly; at a split corner each edge's own width changes alone.
void SmoothAlong(const std::vector<GridPoint>& outline, const std::vector<CornerSides>& sides,
                 std::vector<SideWidths>& widths);
