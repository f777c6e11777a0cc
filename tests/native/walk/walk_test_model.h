// Small hand-built models for the walk tests: quads and triangles straight into an SkpModel.
#pragma once

#include <algorithm>

#include "model/skp_model.h"

namespace lumeno {
namespace test {

struct P {
  float x, y, z;
};

inline void add_triangle(SkpModel& m, P a, P b, P c, int layer = -1) {
  Triangle t;
  const P p[3] = {a, b, c};
  for (int i = 0; i < 3; ++i) {
    t.vertices[i].x = p[i].x, t.vertices[i].y = p[i].y, t.vertices[i].z = p[i].z;
  }
  t.face_layer = layer;
  m.triangles.push_back(t);
}

inline void add_quad(SkpModel& m, P a, P b, P c, P d, int layer = -1) {
  add_triangle(m, a, b, c, layer);
  add_triangle(m, a, c, d, layer);
}

// A horizontal floor [x0, x1] × [y0, y1] at height z.
inline void add_floor(SkpModel& m, float x0, float y0, float x1, float y1, float z,
                      int layer = -1) {
  add_quad(m, {x0, y0, z}, {x1, y0, z}, {x1, y1, z}, {x0, y1, z}, layer);
}

// A vertical wall from (x0, y0) to (x1, y1) between heights z0 and z1.
inline void add_wall(SkpModel& m, float x0, float y0, float x1, float y1, float z0, float z1) {
  add_quad(m, {x0, y0, z0}, {x1, y1, z0}, {x1, y1, z1}, {x0, y0, z1});
}

// Marks the model loaded and sets its bounding box.
inline void finish(SkpModel& m) {
  for (int k = 0; k < 3; ++k) m.bbox_min[k] = 1e10f, m.bbox_max[k] = -1e10f;
  for (const Triangle& t : m.triangles)
    for (const TriangleVertex& v : t.vertices) {
      const float p[3] = {v.x, v.y, v.z};
      for (int k = 0; k < 3; ++k)
        m.bbox_min[k] = std::min(m.bbox_min[k], p[k]),
        m.bbox_max[k] = std::max(m.bbox_max[k], p[k]);
    }
  m.loaded = !m.triangles.empty();
}

}  // namespace test
}  // namespace lumeno
