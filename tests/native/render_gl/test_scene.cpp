#include "test_scene.h"

#include <algorithm>
#include <cmath>

void add_quad(SkpModel& model, P3 a, P3 b, P3 c, P3 d, Rgba k, int32_t texture_index,
              int32_t face_layer) {
  const P3 u{b.x - a.x, b.y - a.y, b.z - a.z}, v{c.x - a.x, c.y - a.y, c.z - a.z};
  P3 n{u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
  const float length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
  n = P3{n.x / length, n.y / length, n.z / length};
  auto corner = [&](P3 p, float s, float t) {
    TriangleVertex v;
    v.x = p.x, v.y = p.y, v.z = p.z, v.nx = n.x, v.ny = n.y, v.nz = n.z;
    v.r = k.r, v.g = k.g, v.b = k.b, v.a = k.a, v.texture_index = texture_index;
    if (texture_index >= 0) v.u = s, v.v = t;
    return v;
  };
  const TriangleVertex a0 = corner(a, 0, 0), c0 = corner(c, 1, 1);
  model.triangles.push_back(Triangle{{a0, corner(b, 1, 0), c0}, face_layer});
  model.triangles.push_back(Triangle{{a0, c0, corner(d, 0, 1)}, face_layer});
}

void add_floor_square(SkpModel& model, float cx, float cy, float z, float size, Rgba colour,
                      int32_t texture_index) {
  const float h = size / 2.0f;
  add_quad(model, {cx - h, cy - h, z}, {cx + h, cy - h, z}, {cx + h, cy + h, z},
           {cx - h, cy + h, z}, colour, texture_index);
}

void add_wall(SkpModel& model, float y0, float cx, float cz, float size, Rgba colour) {
  const float h = size / 2.0f;
  add_quad(model, {cx - h, y0, cz - h}, {cx + h, y0, cz - h}, {cx + h, y0, cz + h},
           {cx - h, y0, cz + h}, colour);
}

int32_t add_texture(SkpModel& model, size_t width, size_t height, size_t bits_per_pixel,
                    std::vector<uint8_t> pixels) {
  const int32_t index = static_cast<int32_t>(model.textures.size());
  model.textures.push_back(TextureData{index, width, height, bits_per_pixel, std::move(pixels)});
  return index;
}

void finish_model(SkpModel& model) {
  std::fill(model.bbox_min, model.bbox_min + 3, 1e10f);
  std::fill(model.bbox_max, model.bbox_max + 3, -1e10f);
  model.has_transparency = false;
  for (const Triangle& triangle : model.triangles) {
    model.has_transparency |= triangle.vertices[0].a < 254.5f / 255.0f;
    for (const TriangleVertex& v : triangle.vertices) {
      const float p[3] = {v.x, v.y, v.z};
      for (int axis = 0; axis < 3; ++axis) {
        model.bbox_min[axis] = std::min(model.bbox_min[axis], p[axis]);
        model.bbox_max[axis] = std::max(model.bbox_max[axis], p[axis]);
      }
    }
  }
  model.vertex_count = model.triangles.size() * 3;
  model.loaded = !model.triangles.empty() || !model.edges.empty();
}

Viewport pane(int x, int y, int width, int height, float pitch, float yaw, float distance) {
  Viewport viewport{x, y, width, height, {}, {}};
  viewport.camera.pitch = pitch;
  viewport.camera.yaw = yaw;
  viewport.camera.distance = distance;
  return viewport;
}
