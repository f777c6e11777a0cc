// What goes into the display lists: chunked primitives, texture binds only where the texture
// changes, hidden layers, and the split of opaque and transparent faces.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/gl/display_lists.h"
#include "test_scene.h"

namespace {

// The sink calls as a trace: "T(" / "L(" begin triangles / lines, ")" end, "bN" bind texture N
// (b0 = texturing off), "v" / "vt" vertex without / with texture coordinates, "p" line point;
// `ids` holds the x of each triangle's first corner and of each line's first point.
class TraceSink : public PrimitiveSink {
 public:
  void begin_triangles() override { trace += "T("; }
  void begin_lines() override { trace += "L("; }
  void end() override { trace += ")"; }
  void set_texture(unsigned int name) override { trace += "b" + std::to_string(name); }
  void triangle_vertex(const TriangleVertex& vertex, bool textured) override {
    if (count++ % 3 == 0) ids.push_back(vertex.x);
    trace += textured ? "vt" : "v";
  }
  void line_point(const float point[3]) override {
    if (count++ % 2 == 0) ids.push_back(point[0]);
    trace += "p";
  }
  std::string trace;
  std::vector<float> ids;
  size_t count = 0;
};

Triangle triangle(int32_t texture, float id = 0.0f, uint8_t alpha = 255) {
  TriangleVertex v;
  v.x = id, v.a = alpha / 255.0f, v.texture_index = texture;
  return Triangle{{v, v, v}};
}

std::string repeat(const std::string& s, size_t n) {
  std::string out;
  while (n-- > 0) out += s;
  return out;
}

TEST(DisplayListEmit, BindOnlyWhereTheTextureChangesAndEndUntextured) {
  const struct {
    std::vector<int32_t> textures;    // of each triangle
    std::vector<unsigned int> names;  // GL name of each texture record
    std::string trace;
  } cases[] = {
      {{0, 1, 1, 0}, {7, 9}, "T()b7T(vtvtvt)b9T(vtvtvtvtvtvt)b7T(vtvtvt)b0"},
      {{0, -1}, {7}, "T()b7T(vtvtvt)b0T(vvv)"},
      // A record that could not be uploaded (name 0), an index past the names and -1 all draw
      // untextured; changing between them breaks the primitive but binds nothing.
      {{1, 5, -1}, {7, 0}, "T()T(vvv)T(vvv)T(vvv)"},
      {{}, {7}, ""},
  };
  for (const auto& c : cases) {
    SkpModel model;
    for (int32_t index : c.textures) model.triangles.push_back(triangle(index));
    TraceSink sink;
    emit_triangles(model, c.names, FacePass::All, sink);
    EXPECT_EQ(sink.trace, c.trace);
  }
  SkpModel model;  // chunks of triangles and of lines; a chunk boundary keeps the bound texture
  model.triangles.assign(kTriangleChunk + 1, triangle(0));
  model.edges.resize(kEdgeChunk + 2);
  TraceSink faces, edges;
  emit_triangles(model, {3}, FacePass::All, faces);
  emit_edges(model, edges);
  EXPECT_EQ(faces.trace, "T()b3T(" + repeat("vtvtvt", kTriangleChunk) + ")T(vtvtvt)b0");
  EXPECT_EQ(edges.trace, "L(" + repeat("pp", kEdgeChunk) + ")L(pppp)");
}

// Nothing on a hidden or switched-off layer (its own or its group's) is emitted; the opaque pass
// takes alpha 255 only, the transparent pass the rest.
TEST(DisplayListEmit, HiddenLayersEmitNothingAndThePassesSplitByAlpha) {
  SkpModel model;
  model.layers = {{"shown", true, true}, {"switched off", true, false}, {"hidden", false, true}};
  const struct {
    int32_t own, inherited;
    uint8_t alpha;
  } cases[] = {{0, -1, 255}, {1, -1, 255}, {2, -1, 128}, {0, 1, 128}, {7, -1, 254}, {-1, -1, 0}};
  for (const auto& c : cases) {
    const float id = static_cast<float>(model.triangles.size());
    Triangle t = triangle(-1, id, c.alpha);
    t.face_layer = c.own, t.inherited_layer = c.inherited;
    model.triangles.push_back(t);
    model.edges.push_back(EdgeData{{id, 0, 0}, {id, 0, 0}, c.own, c.inherited});
  }
  TraceSink opaque, transparent, edges;
  emit_triangles(model, {}, FacePass::Opaque, opaque);
  emit_triangles(model, {}, FacePass::Transparent, transparent);
  emit_edges(model, edges);
  EXPECT_EQ(opaque.ids, std::vector<float>({0}));
  EXPECT_EQ(transparent.ids, std::vector<float>({4, 5}));
  EXPECT_EQ(edges.ids, std::vector<float>({0, 4, 5}));
}

}  // namespace
