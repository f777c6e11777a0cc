// Triangulation of planar polygons with holes (ear clipping with hole bridging and a z-order
// index for large loops), shared by the stand-in SDK's mesh helper and the measurement fill.
// Degenerate input never hangs: it yields fewer triangles or none.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lumeno {

struct Point2 {
  double x, y;
};

// Triangulates a polygon in the plane: `points` holds the outer loop followed by each hole,
// `loop_sizes` the vertex count of each loop (outer first). Appends index triples into `points`,
// each wound counter-clockwise (positive signed area). Zero-area triangles are left out; a
// point that is not finite, an outer loop of fewer than three points or loop sizes that add up
// to more than the points given yield nothing.
void triangulate_2d(const std::vector<Point2>& points, const std::vector<uint32_t>& loop_sizes,
                    std::vector<uint32_t>* triangles);

}  // namespace lumeno
