// The mesh helper's triangulation: planar faces with holes, projected onto the coordinate plane
// their normal faces most and cut by the shared ear clipper of core/.
#pragma once

#include <cstdint>
#include <vector>

#include "core/triangulate.h"
#include "sdk/su_types.h"

namespace standin {

using lumeno::Point2;
using lumeno::triangulate_2d;

// Triangulates a planar polygon in 3D by projecting it onto the coordinate plane most facing
// `normal`; the triangles come out counter-clockwise about `normal`.
void triangulate_3d(const SUPoint3D* points, const std::vector<uint32_t>& loop_sizes,
                    const SUVector3D& normal, std::vector<uint32_t>* triangles);

}  // namespace standin
