#include "measure/measure_geometry.h"

#include <cmath>

#include "core/triangulate.h"

namespace lumeno {

double segment_length(const MeasurePoint& a, const MeasurePoint& b) {
  const float dx = b.x - a.x, dy = b.y - a.y, dz = b.z - a.z;
  const float squared = dx * dx + dy * dy + dz * dz;
  return std::sqrt(static_cast<double>(squared));
}

void outline_vector_area(const std::vector<MeasurePoint>& points, double out[3]) {
  out[0] = out[1] = out[2] = 0.0;
  const size_t n = points.size();
  if (n < 3) return;
  // Relative to the first point, so large model coordinates do not swamp small outlines.
  const double ox = points[0].x, oy = points[0].y, oz = points[0].z;
  for (size_t i = 0; i < n; ++i) {
    const MeasurePoint& p = points[i];
    const MeasurePoint& q = points[(i + 1) % n];
    const double px = p.x - ox, py = p.y - oy, pz = p.z - oz;
    const double qx = q.x - ox, qy = q.y - oy, qz = q.z - oz;
    out[0] += py * qz - pz * qy;
    out[1] += pz * qx - px * qz;
    out[2] += px * qy - py * qx;
  }
  for (int k = 0; k < 3; ++k) out[k] *= 0.5;
}

double outline_area(const std::vector<MeasurePoint>& points) {
  double v[3];
  outline_vector_area(points, v);
  const double area = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
  return std::isfinite(area) ? area : 0.0;
}

std::vector<uint32_t> outline_fill_triangles(const std::vector<MeasurePoint>& points) {
  std::vector<uint32_t> triangles;
  double n[3];
  outline_vector_area(points, n);
  const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
  if (!(length > 0) || !std::isfinite(length)) return triangles;
  for (double& c : n) c /= length;
  // An in-plane basis (u, v) with u x v = n, so the outline keeps its winding about n.
  double u[3];
  if (std::fabs(n[0]) < 0.9) {
    u[0] = 0.0, u[1] = n[2], u[2] = -n[1];  // (1,0,0) x n
  } else {
    u[0] = -n[2], u[1] = 0.0, u[2] = n[0];  // (0,1,0) x n
  }
  const double ul = std::sqrt(u[0] * u[0] + u[1] * u[1] + u[2] * u[2]);
  for (double& c : u) c /= ul;
  const double v[3] = {n[1] * u[2] - n[2] * u[1], n[2] * u[0] - n[0] * u[2],
                       n[0] * u[1] - n[1] * u[0]};
  std::vector<Point2> flat;
  flat.reserve(points.size());
  for (const MeasurePoint& p : points) {
    const double x = p.x - points[0].x, y = p.y - points[0].y, z = p.z - points[0].z;
    flat.push_back({x * u[0] + y * u[1] + z * u[2], x * v[0] + y * v[1] + z * v[2]});
  }
  triangulate_2d(flat, {static_cast<uint32_t>(flat.size())}, &triangles);
  return triangles;
}

}  // namespace lumeno
