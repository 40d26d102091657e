#pragma once
// Exact tests on segments and rings of grid points, which the bevel needs to tell where its
// bands run into one another without a clipping pass.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "text/grid_cells.h"
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

// Every pair of a segment of first and one of second that meet, the one of first before the
// other's, looking only at those reaching the box. Both lists are in order of their left ends and
// are swept together, so only segments sharing some x are compared.
using SegmentPairs = std::vector<std::pair<const GridSegment*, const GridSegment*>>;
void MeetingSegments(const std::vector<GridSegment>& first, const std::vector<GridSegment>& second,
                     const GridBox& box, SegmentPairs& out);

// Segments that stay, sorted into cells once so that each search reads only those near it.
class SegmentCells {
  public:
    explicit SegmentCells(std::vector<GridSegment> segments);

    // The pairs MeetingSegments(first, these, box) lists, in another order.
    void Meeting(const std::vector<GridSegment>& first, const GridBox& box,
                 SegmentPairs& out) const;

  private:
    // Each segment's box kept beside its index in the cells, as most met there are passed by.
    struct Entry {
        GridBox box;
        uint32_t segment;
    };

    std::vector<GridSegment> segments_;
    CellLayout layout_;
    CellContents<Entry> cells_;
};

// Whether two edges of the closed ring meet other than neighbours at their shared corner; no two
// neighbouring points may be equal.
bool RingMeetsItself(const std::vector<GridPoint>& ring);

// Whether one of the given edges of the closed ring (edge e from point e) meets another edge of it
// other than its neighbours: where only those moved since the ring last did not meet itself,
// whether it does now, without sorting the ring.
bool EdgesMeetRing(const std::vector<GridPoint>& ring, const std::vector<size_t>& edges);

// How often the ring of count points from begin winds counter-clockwise round p, which lies on
// none of its edges.
int WindingNumber(const std::vector<GridPoint>& points, size_t begin, size_t count,
                  const GridPoint& p);

// A grid point near fraction t along segment ab, at most `tolerance` grid steps from there along
// it and neither end, its fraction along the segment put in at. Where `beside` allows, one just
// left of it, less than a grid step off, and seen from a no further left than `previous` (a, or
// the point found before it on ab), so that the triangles from a to each pair of such points in
// turn all face the same way; else one on the segment, which only points on it may follow.
std::optional<GridPoint> GridPointAlong(const GridPoint& a, const GridPoint& b, double t,
                                        double tolerance, bool beside, const GridPoint& previous,
                                        double& at);
