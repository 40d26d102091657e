#pragma once
// Corners of a flattened outline that lie almost on the line between their neighbours make
// triangles too thin to survive a file's rounding (a 1 mm print written to six decimals moves
// every corner by up to a hundred thousandth of an em): they are dropped before triangulation.

#include <cstddef>
#include <functional>
#include <vector>

#include "text/polygon_triangulator.h"

// Corners within this many grid steps (some 3e-5 em) of a straight run are dropped.
inline constexpr double kStraightRunTolerance = 32.0;

// Whether p lies within distance of segment ab.
bool NearSegment(const GridPoint& a, const GridPoint& b, const GridPoint& p, double distance);

// Whether the corners strictly between positions from and to (to may be the ring's size, standing
// for its first corner) may go: nothing else lies between them and the straight line.
using RunClear = std::function<bool(size_t from, size_t to)>;

// The positions in the closed ring of the corners to keep: every dropped corner lies within the
// tolerance of the segment between the kept corners either side of it. The first is kept.
std::vector<size_t> CornersOffStraightRuns(const std::vector<GridPoint>& ring,
                                           const RunClear& clear = nullptr);
