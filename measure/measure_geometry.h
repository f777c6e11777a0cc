// The arithmetic of measurements: segment lengths, the area of a clicked outline and the
// triangles that fill it.
#pragma once

#include <cstdint>
#include <vector>

#include "measure/measure_types.h"

namespace lumeno {

// Distance between two clicked points: the squared coordinate differences summed in single
// precision, the square root taken in double precision.
double segment_length(const MeasurePoint& a, const MeasurePoint& b);

// Vector area of the closed outline through `points` (Newell's method, double precision): its
// direction is the outline's normal, its length the enclosed area. Exact for any flat simple
// outline, convex or not, in either click order; for a non-flat outline its length is the area of
// the outline projected onto its best-fit plane.
void outline_vector_area(const std::vector<MeasurePoint>& points, double out[3]);
double outline_area(const std::vector<MeasurePoint>& points);

// Index triples into `points` that fill the outline as itself (concave notches stay empty):
// the outline is projected onto the plane of its vector area and cut into ears. Empty for fewer
// than three points, a zero-area outline or points that are not finite.
std::vector<uint32_t> outline_fill_triangles(const std::vector<MeasurePoint>& points);

}  // namespace lumeno
