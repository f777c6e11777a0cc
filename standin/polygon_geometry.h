// Plane geometry of faces: normals from Newell's method and areas of loops with holes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "sdk/su_types.h"

namespace standin {

// Newell's vector of a closed loop: its direction is the loop's normal (counter-clockwise
// winding seen from its tip) and its length is twice the loop's area. Zero for degenerate loops.
SUVector3D newell_vector(const SUPoint3D* points, size_t count);

// Unit vector along `v`, or zero when `v` is zero or not finite.
SUVector3D unit_or_zero(const SUVector3D& v);

// Area of the outer loop minus its holes, measured in the plane of `unit_normal`.
double polygon_area(const SUPoint3D* points, size_t outer_count, const uint32_t* hole_sizes,
                    size_t hole_count, const SUVector3D& unit_normal);

}  // namespace standin
