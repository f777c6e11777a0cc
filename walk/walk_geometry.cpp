#include "walk/walk_geometry.h"

#include <algorithm>
#include <cmath>

namespace lumeno {

namespace {

struct V3 {
  float x, y, z;
};

V3 position(const TriangleVertex& v) { return V3{v.x, v.y, v.z}; }

// The face normal's length and the share of it pointing along Z.
void normal_shape(const Triangle& t, float& length, float& z_share) {
  const V3 p0 = position(t.vertices[0]);
  const V3 p1 = position(t.vertices[1]);
  const V3 p2 = position(t.vertices[2]);
  const V3 a{p1.x - p0.x, p1.y - p0.y, p1.z - p0.z};
  const V3 b{p2.x - p0.x, p2.y - p0.y, p2.z - p0.z};
  const V3 n{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
  length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
  z_share = length > 0.0f ? std::fabs(n.z) / length : 0.0f;
}

// Distance in the XY plane from (x, y) to the segment a-b.
float segment_distance(float x, float y, const TriangleVertex& a, const TriangleVertex& b) {
  const float ex = b.x - a.x;
  const float ey = b.y - a.y;
  const float len2 = ex * ex + ey * ey;
  float t = 0.0f;
  if (len2 > 1e-6f) {
    t = ((x - a.x) * ex + (y - a.y) * ey) / len2;
    t = std::min(std::max(t, 0.0f), 1.0f);
  }
  const float dx = x - (a.x + t * ex);
  const float dy = y - (a.y + t * ey);
  return std::sqrt(dx * dx + dy * dy);
}

}  // namespace

float walk_unit_scale() { return kWalkUnitScale; }

Footprint footprint(const Triangle& t) {
  const TriangleVertex* v = t.vertices;
  return Footprint{std::min({v[0].x, v[1].x, v[2].x}), std::max({v[0].x, v[1].x, v[2].x}),
                   std::min({v[0].y, v[1].y, v[2].y}), std::max({v[0].y, v[1].y, v[2].y})};
}

bool ground_height(const Triangle& t, float x, float y, float limit_z, float& z) {
  const Footprint f = footprint(t);
  if (!(x >= f.min_x && x <= f.max_x && y >= f.min_y && y <= f.max_y)) return false;
  float length = 0.0f, z_share = 0.0f;
  normal_shape(t, length, z_share);
  if (length < 1e-5f || z_share < kGroundFlatness) return false;
  const TriangleVertex& p0 = t.vertices[0];
  const TriangleVertex& p1 = t.vertices[1];
  const TriangleVertex& p2 = t.vertices[2];
  const float den = (p0.y - p2.y) * (p2.x - p1.x) + (p1.y - p2.y) * (p0.x - p2.x);
  if (std::fabs(den) < 1e-6f) return false;
  const float w0 = ((p1.y - p2.y) * (x - p2.x) + (p2.x - p1.x) * (y - p2.y)) / den;
  const float w1 = ((p2.y - p0.y) * (x - p2.x) + (p0.x - p2.x) * (y - p2.y)) / den;
  const float w2 = 1.0f - w0 - w1;
  if (w0 < -0.001f || w1 < -0.001f || w2 < -0.001f) return false;
  const float h = w0 * p0.z + w1 * p1.z + w2 * p2.z;
  if (!(h <= limit_z)) return false;
  z = h;
  return true;
}

bool blocks_eye(const Triangle& t, float x, float y, float z, float band) {
  const TriangleVertex* v = t.vertices;
  const float top = std::max({v[0].z, v[1].z, v[2].z});
  const float bottom = std::min({v[0].z, v[1].z, v[2].z});
  if (z - band > top || bottom > z + band) return false;
  float length = 0.0f, z_share = 0.0f;
  normal_shape(t, length, z_share);
  if (length < 1e-5f || z_share > kWallSteepness) return false;
  const Footprint f = footprint(t);
  const float r = kWallRadius;
  if (x < f.min_x - r || x > f.max_x + r || y < f.min_y - r || y > f.max_y + r) return false;
  const float d = std::min({segment_distance(x, y, v[0], v[1]), segment_distance(x, y, v[1], v[2]),
                            segment_distance(x, y, v[2], v[0])});
  return r >= d;
}

float wall_band(float person_height) {
  const float band = kWalkUnitScale * person_height * 0.45f;
  return band > kWallBandFloor ? band : kWallBandFloor;
}

bool find_ground_scan(const SkpModel& model, float x, float y, float feet_z, float step_up,
                      float& ground_z) {
  if (!model.loaded) return false;
  const float limit = feet_z + step_up;
  float best = kLowestFloat;
  bool found = false;
  for (const Triangle& t : model.triangles) {
    if (!model.is_geometry_visible(t.face_layer, t.inherited_layer)) continue;
    float z = 0.0f;
    if (ground_height(t, x, y, limit, z) && z > best) {
      best = z;
      found = true;
    }
  }
  if (found) ground_z = best;
  return found;
}

bool is_blocked_scan(const SkpModel& model, float x, float y, float z, float band) {
  if (!model.loaded) return false;
  for (const Triangle& t : model.triangles) {
    if (!model.is_geometry_visible(t.face_layer, t.inherited_layer)) continue;
    if (blocks_eye(t, x, y, z, band)) return true;
  }
  return false;
}

}  // namespace lumeno
