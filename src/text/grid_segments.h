#pragma once
// Exact tests on segments and rings of grid points, which the bevel needs to tell where its
// bands run into one another without a clipping pass.

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "text/integer_geometry.h"
#include "text/polygon_triangulator.h"

struct GridSegment {
    GridPoint a, b;
    size_t corner = 0;  // in its ring, the corner a
};

// Corners of an axis-aligned box, both included.
struct GridBox {
    int64_t minX, minY, maxX, maxY;
};

// Appends the edges of the closed ring of count points from begin, leaving the list in order of
// the edges' left ends.
void AddRingEdges(const std::vector<GridPoint>& points, size_t begin, size_t count,
                  std::vector<GridSegment>& out);

// Lists of segments, each in order of their left ends.
using SegmentLists = std::vector<const std::vector<GridSegment>*>;

// Whether a segment of first meets one of second, looking only at those reaching the box. All
// are swept together in order of their left ends, so only segments sharing some x are compared.
bool AnySegmentsMeet(const SegmentLists& first, const SegmentLists& second, const GridBox& box);

// Every such meeting pair, the segment of first before the one of second.
using SegmentPairs = std::vector<std::pair<const GridSegment*, const GridSegment*>>;
void MeetingSegments(const SegmentLists& first, const SegmentLists& second, const GridBox& box,
                     SegmentPairs& out);

// How often the ring of count points from begin winds counter-clockwise round p, which lies on
// none of its edges.
int WindingNumber(const std::vector<GridPoint>& points, size_t begin, size_t count,
                  const GridPoint& p);
