// Triangulation of planar polygons with holes (ear clipping with hole bridging and a z-order
// index for large loops). Degenerate input never hangs: it yields fewer triangles or none.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "sdk/su_types.h"

namespace standin {

struct Point2 {
  double x, y;
};

// Triangulates a polygon in the plane: `points` holds the outer loop followed by each hole,
// `loop_sizes` the vertex count of each loop (outer first). Appends index triples into `points`,
// each wound counter-clockwise (positive signed area). Zero-area triangles are left out.
void triangulate_2d(const std::vector<Point2>& points, const std::vector<uint32_t>& loop_sizes,
                    std::vector<uint32_t>* triangles);

// Triangulates a planar polygon in 3D by projecting it onto the coordinate plane most facing
// `normal`; the triangles come out counter-clockwise about `normal`.
void triangulate_3d(const SUPoint3D* points, const std::vector<uint32_t>& loop_sizes,
                    const SUVector3D& normal, std::vector<uint32_t>* triangles);

}  // namespace standin
