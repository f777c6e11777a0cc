#include "standin/triangulate.h"

#include <cmath>

namespace standin {

void triangulate_3d(const SUPoint3D* points, const std::vector<uint32_t>& loop_sizes,
                    const SUVector3D& normal, std::vector<uint32_t>* triangles) {
  size_t total = 0;
  for (uint32_t size : loop_sizes) total += size;
  const double ax = std::fabs(normal.x), ay = std::fabs(normal.y), az = std::fabs(normal.z);
  if (!(ax > 0 || ay > 0 || az > 0)) return;
  // Drop the dominant axis; swapping the two kept axes for a negative normal keeps the loops'
  // winding as seen from the normal's tip.
  std::vector<Point2> flat(total);
  for (size_t k = 0; k < total; ++k) {
    const SUPoint3D& p = points[k];
    if (az >= ax && az >= ay) {
      flat[k] = normal.z > 0 ? Point2{p.x, p.y} : Point2{p.y, p.x};
    } else if (ax >= ay) {
      flat[k] = normal.x > 0 ? Point2{p.y, p.z} : Point2{p.z, p.y};
    } else {
      flat[k] = normal.y > 0 ? Point2{p.z, p.x} : Point2{p.x, p.z};
    }
  }
  triangulate_2d(flat, loop_sizes, triangles);
}

}  // namespace standin
