#include "render/gl/display_lists.h"

#include <algorithm>

#include "render/gl/gl_api.h"

bool is_transparent_triangle(const Triangle& triangle) {
  return triangle.vertices[0].a < 254.5f / 255.0f;
}

namespace {

bool in_pass(const Triangle& triangle, FacePass pass) {
  switch (pass) {
    case FacePass::All:
      return true;
    case FacePass::Opaque:
      return !is_transparent_triangle(triangle);
    case FacePass::Transparent:
      return is_transparent_triangle(triangle);
  }
  return false;
}

unsigned int texture_name_for(int32_t index, const std::vector<unsigned int>& names) {
  if (index < 0 || static_cast<size_t>(index) >= names.size()) return 0;
  return names[static_cast<size_t>(index)];
}

class GlSink : public PrimitiveSink {
 public:
  void begin_triangles() override { glBegin(GL_TRIANGLES); }
  void begin_lines() override { glBegin(GL_LINES); }
  void end() override { glEnd(); }
  void set_texture(unsigned int name) override {
    if (name == 0) {
      glDisable(GL_TEXTURE_2D);
    } else {
      glEnable(GL_TEXTURE_2D);
      glBindTexture(GL_TEXTURE_2D, name);
    }
  }
  void triangle_vertex(const TriangleVertex& v, bool textured) override {
    glNormal3f(v.nx, v.ny, v.nz);
    glColor4f(v.r, v.g, v.b, v.a);
    if (textured) glTexCoord2f(v.u, v.v);
    glVertex3f(v.x, v.y, v.z);
  }
  void line_point(const float point[3]) override { glVertex3fv(point); }
};

}  // namespace

void emit_triangles(const SkpModel& model, const std::vector<unsigned int>& texture_names,
                    FacePass pass, PrimitiveSink& sink) {
  const std::vector<Triangle>& triangles = model.triangles;
  int32_t previous_index = -1;  // a first untextured triangle changes nothing
  bool texturing = false;
  for (size_t chunk = 0; chunk < triangles.size(); chunk += kTriangleChunk) {
    const size_t chunk_end = std::min(triangles.size(), chunk + kTriangleChunk);
    sink.begin_triangles();
    for (size_t i = chunk; i < chunk_end; ++i) {
      const Triangle& triangle = triangles[i];
      if (!model.is_geometry_visible(triangle.face_layer, triangle.inherited_layer)) continue;
      if (!in_pass(triangle, pass)) continue;
      const int32_t index = triangle.vertices[0].texture_index;
      if (index != previous_index) {
        sink.end();
        const unsigned int name = texture_name_for(index, texture_names);
        if (name != 0) {
          sink.set_texture(name);
          texturing = true;
        } else if (texturing) {
          sink.set_texture(0);
          texturing = false;
        }
        sink.begin_triangles();
        previous_index = index;
      }
      for (const TriangleVertex& vertex : triangle.vertices)
        sink.triangle_vertex(vertex, texturing);
    }
    sink.end();
  }
  if (texturing) sink.set_texture(0);
}

void emit_edges(const SkpModel& model, PrimitiveSink& sink) {
  // Standalone edges first, then the face outlines, each list in its own chunks.
  for (const std::vector<EdgeData>* edges : {&model.edges, &model.outline_edges}) {
    for (size_t chunk = 0; chunk < edges->size(); chunk += kEdgeChunk) {
      const size_t chunk_end = std::min(edges->size(), chunk + kEdgeChunk);
      sink.begin_lines();
      for (size_t i = chunk; i < chunk_end; ++i) {
        const EdgeData& edge = (*edges)[i];
        if (!model.is_geometry_visible(edge.edge_layer, edge.inherited_layer)) continue;
        sink.line_point(edge.start);
        sink.line_point(edge.end);
      }
      sink.end();
    }
  }
}

unsigned int record_triangle_list(const SkpModel& model,
                                  const std::vector<unsigned int>& texture_names, FacePass pass) {
  const GLuint list = glGenLists(1);
  if (list == 0) return 0;
  GlSink sink;
  glNewList(list, GL_COMPILE);
  emit_triangles(model, texture_names, pass, sink);
  glEndList();
  return list;
}

unsigned int record_edge_list(const SkpModel& model) {
  const GLuint list = glGenLists(1);
  if (list == 0) return 0;
  GlSink sink;
  glNewList(list, GL_COMPILE);
  emit_edges(model, sink);
  glEndList();
  return list;
}
