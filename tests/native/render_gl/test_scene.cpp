#include "test_scene.h"

#include <algorithm>
#include <cmath>

namespace {

P3 normal_of(P3 a, P3 b, P3 c) {
  const P3 u{b.x - a.x, b.y - a.y, b.z - a.z};
  const P3 v{c.x - a.x, c.y - a.y, c.z - a.z};
  P3 n{u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
  const float length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
  if (length > 0.0f) n = P3{n.x / length, n.y / length, n.z / length};
  return n;
}

TriangleVertex corner(P3 p, P3 n, Rgba c, float u, float v, int32_t texture_index) {
  TriangleVertex vertex;
  vertex.x = p.x;
  vertex.y = p.y;
  vertex.z = p.z;
  vertex.nx = n.x;
  vertex.ny = n.y;
  vertex.nz = n.z;
  vertex.r = c.r;
  vertex.g = c.g;
  vertex.b = c.b;
  vertex.a = c.a;
  vertex.u = texture_index >= 0 ? u : 0.0f;
  vertex.v = texture_index >= 0 ? v : 0.0f;
  vertex.texture_index = texture_index;
  return vertex;
}

}  // namespace

void add_quad(SkpModel& model, P3 a, P3 b, P3 c, P3 d, Rgba colour, int32_t texture_index,
              int32_t face_layer, int32_t inherited_layer) {
  const P3 n = normal_of(a, b, c);
  Triangle first;
  first.vertices[0] = corner(a, n, colour, 0, 0, texture_index);
  first.vertices[1] = corner(b, n, colour, 1, 0, texture_index);
  first.vertices[2] = corner(c, n, colour, 1, 1, texture_index);
  first.face_layer = face_layer;
  first.inherited_layer = inherited_layer;
  Triangle second = first;
  second.vertices[1] = first.vertices[2];
  second.vertices[2] = corner(d, n, colour, 0, 1, texture_index);
  model.triangles.push_back(first);
  model.triangles.push_back(second);
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

void add_edge(SkpModel& model, P3 start, P3 end, int32_t edge_layer) {
  EdgeData edge;
  edge.start[0] = start.x;
  edge.start[1] = start.y;
  edge.start[2] = start.z;
  edge.end[0] = end.x;
  edge.end[1] = end.y;
  edge.end[2] = end.z;
  edge.edge_layer = edge_layer;
  model.edges.push_back(edge);
}

int32_t add_texture(SkpModel& model, size_t width, size_t height, size_t bits_per_pixel,
                    std::vector<uint8_t> pixels) {
  TextureData record;
  record.index = static_cast<int32_t>(model.textures.size());
  record.width = width;
  record.height = height;
  record.bits_per_pixel = bits_per_pixel;
  record.pixels = std::move(pixels);
  model.textures.push_back(std::move(record));
  return model.textures.back().index;
}

void finish_model(SkpModel& model) {
  for (int axis = 0; axis < 3; ++axis) {
    model.bbox_min[axis] = 1e10f;
    model.bbox_max[axis] = -1e10f;
  }
  model.has_transparency = false;
  for (const Triangle& triangle : model.triangles) {
    if (triangle.vertices[0].a < 254.5f / 255.0f) model.has_transparency = true;
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
  Viewport viewport;
  viewport.x = x;
  viewport.y = y;
  viewport.width = width;
  viewport.height = height;
  viewport.camera.pitch = pitch;
  viewport.camera.yaw = yaw;
  viewport.camera.distance = distance;
  return viewport;
}
