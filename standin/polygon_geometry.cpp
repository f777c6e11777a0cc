#include "standin/polygon_geometry.h"

#include <cmath>

namespace standin {

SUVector3D newell_vector(const SUPoint3D* points, size_t count) {
  SUVector3D n{0, 0, 0};
  if (count < 3) return n;
  // Relative to the first point, which keeps precision for faces far from the origin.
  const SUPoint3D& o = points[0];
  for (size_t i = 0; i < count; ++i) {
    const SUPoint3D& a = points[i];
    const SUPoint3D& b = points[(i + 1) % count];
    const double ay = a.y - o.y, az = a.z - o.z, ax = a.x - o.x;
    const double by = b.y - o.y, bz = b.z - o.z, bx = b.x - o.x;
    n.x += (ay - by) * (az + bz);
    n.y += (az - bz) * (ax + bx);
    n.z += (ax - bx) * (ay + by);
  }
  return n;
}

SUVector3D unit_or_zero(const SUVector3D& v) {
  const double length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
  if (!(length > 0.0) || !std::isfinite(length)) return SUVector3D{0, 0, 0};
  return SUVector3D{v.x / length, v.y / length, v.z / length};
}

double polygon_area(const SUPoint3D* points, size_t outer_count, const uint32_t* hole_sizes,
                    size_t hole_count, const SUVector3D& unit_normal) {
  auto projected = [&](const SUPoint3D* loop, size_t count) {
    const SUVector3D n = newell_vector(loop, count);
    return std::fabs(n.x * unit_normal.x + n.y * unit_normal.y + n.z * unit_normal.z) * 0.5;
  };
  double area = projected(points, outer_count);
  size_t offset = outer_count;
  for (size_t h = 0; h < hole_count; ++h) {
    area -= projected(points + offset, hole_sizes[h]);
    offset += hole_sizes[h];
  }
  return area > 0.0 && std::isfinite(area) ? area : 0.0;
}

}  // namespace standin
