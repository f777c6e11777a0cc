// What goes into the display lists: chunked primitives, texture binds only where the texture
// changes, hidden layers, and the split of opaque and transparent faces.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/gl/display_lists.h"
#include "test_scene.h"

namespace {

// Records the sink calls as a compact trace: "T(" begin triangles, "L(" begin lines, ")" end,
// "bN" bind texture N (b0 = texturing off), "v" / "vt" vertex without / with texture
// coordinates, "p" line point.
class TraceSink : public PrimitiveSink {
 public:
  void begin_triangles() override { trace += "T("; }
  void begin_lines() override { trace += "L("; }
  void end() override { trace += ")"; }
  void set_texture(unsigned int name) override { trace += "b" + std::to_string(name); }
  void triangle_vertex(const TriangleVertex& vertex, bool textured) override {
    trace += textured ? "vt" : "v";
    colours.push_back(vertex.r);
  }
  void line_point(const float point[3]) override {
    trace += "p";
    xs.push_back(point[0]);
  }

  std::string trace;
  std::vector<float> colours;  // red channel of every vertex emitted
  std::vector<float> xs;       // x of every line point emitted
};

Triangle triangle(int32_t texture, float red = 1.0f, float alpha = 1.0f, int32_t layer = -1) {
  Triangle t;
  for (TriangleVertex& v : t.vertices) {
    v.texture_index = texture;
    v.r = red;
    v.a = alpha;
  }
  t.face_layer = layer;
  return t;
}

std::string repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

const std::string kTexturedTriangle = "vtvtvt";

struct BindCase {
  const char* name;
  std::vector<int32_t> texture_of_each_triangle;
  std::vector<unsigned int> texture_names;
  std::string trace;
};

class TextureBinds : public ::testing::TestWithParam<BindCase> {};

TEST_P(TextureBinds, BindOnlyWhereTheTextureChanges) {
  const BindCase& c = GetParam();
  SkpModel model;
  for (int32_t index : c.texture_of_each_triangle) model.triangles.push_back(triangle(index));
  TraceSink sink;
  emit_triangles(model, c.texture_names, FacePass::All, sink);
  EXPECT_EQ(sink.trace, c.trace);
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, TextureBinds,
    ::testing::Values(
        BindCase{"untextured_first_changes_nothing", {-1, -1}, {7}, "T(vvvvvv)"},
        BindCase{
            "textured_run_binds_once_and_ends_untextured", {0, 0}, {7}, "T()b7T(vtvtvtvtvtvt)b0"},
        BindCase{"switch_between_two_textures",
                 {0, 1, 1, 0},
                 {7, 9},
                 "T()b7T(vtvtvt)b9T(vtvtvtvtvtvt)b7T(vtvtvt)b0"},
        BindCase{"back_to_untextured_turns_texturing_off", {0, -1}, {7}, "T()b7T(vtvtvt)b0T(vvv)"},
        // A record that could not be uploaded (name 0), an index past the names and -1 all
        // draw untextured; changing between them breaks the primitive but binds nothing.
        BindCase{"unusable_and_out_of_range_draw_untextured",
                 {1, 5, -1},
                 {7, 0},
                 "T()T(vvv)T(vvv)T(vvv)"},
        BindCase{"unusable_after_textured_turns_texturing_off",
                 {0, 1},
                 {7, 0},
                 "T()b7T(vtvtvt)b0T(vvv)"},
        BindCase{"no_triangles_no_primitive", {}, {7}, ""}),
    [](const ::testing::TestParamInfo<BindCase>& info) { return std::string(info.param.name); });

TEST(DisplayListEmit, TrianglesAreCutIntoChunksCountingHiddenOnes) {
  SkpModel model;
  model.layers.push_back(LayerInfo{"hidden", true, false});
  // The whole first chunk is hidden; the visible triangle after it opens a second primitive.
  model.triangles.assign(kTriangleChunk, triangle(-1, 0.5f, 1.0f, 0));
  model.triangles.push_back(triangle(-1, 0.25f));
  TraceSink sink;
  emit_triangles(model, {}, FacePass::All, sink);
  EXPECT_EQ(sink.trace, "T()T(vvv)");
  ASSERT_EQ(sink.colours.size(), 3u);
  EXPECT_FLOAT_EQ(sink.colours[0], 0.25f);
}

TEST(DisplayListEmit, ChunkBoundaryKeepsTheBoundTexture) {
  SkpModel model;
  model.triangles.assign(kTriangleChunk + 1, triangle(0));
  TraceSink sink;
  emit_triangles(model, {3}, FacePass::All, sink);
  EXPECT_EQ(sink.trace, "T()b3T(" + repeat(kTexturedTriangle, int(kTriangleChunk)) + ")T(" +
                            kTexturedTriangle + ")b0");
}

TEST(DisplayListEmit, HiddenLayerAndHiddenGroupLayerEmitNothing) {
  SkpModel model;
  model.layers.push_back(LayerInfo{"shown", true, true});
  model.layers.push_back(LayerInfo{"switched off", true, false});
  model.layers.push_back(LayerInfo{"hidden in the model", false, true});
  const struct {
    int32_t own, inherited;
    bool drawn;
  } cases[] = {{0, -1, true},  {1, -1, false}, {2, -1, false}, {0, 1, false},
               {-1, 2, false}, {7, -1, true},  {-1, -1, true}};
  for (const auto& c : cases) {
    Triangle t = triangle(-1, static_cast<float>(model.triangles.size()));
    t.face_layer = c.own;
    t.inherited_layer = c.inherited;
    model.triangles.push_back(t);
    EdgeData e;
    e.start[0] = static_cast<float>(model.edges.size());
    e.edge_layer = c.own;
    e.inherited_layer = c.inherited;
    model.edges.push_back(e);
  }
  TraceSink faces, edges;
  emit_triangles(model, {}, FacePass::All, faces);
  emit_edges(model, edges);
  std::vector<float> expected;
  for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i)
    if (cases[i].drawn) expected.push_back(static_cast<float>(i));
  std::vector<float> drawn_faces;
  for (size_t i = 0; i < faces.colours.size(); i += 3) drawn_faces.push_back(faces.colours[i]);
  std::vector<float> drawn_edges;
  for (size_t i = 0; i < edges.xs.size(); i += 2) drawn_edges.push_back(edges.xs[i]);
  EXPECT_EQ(drawn_faces, expected);
  EXPECT_EQ(drawn_edges, expected);
}

TEST(DisplayListEmit, EdgesInChunksOfLines) {
  SkpModel model;
  model.edges.resize(kEdgeChunk + 2);
  TraceSink sink;
  emit_edges(model, sink);
  EXPECT_EQ(sink.trace, "L(" + repeat("pp", int(kEdgeChunk)) + ")L(pppp)");
}

TEST(DisplayListEmit, OpaqueAndTransparentPassesSplitTheFaces) {
  SkpModel model;
  const float alphas[] = {1.0f, 0.5f, 254.0f / 255.0f, 0.0f, 1.0f};
  for (size_t i = 0; i < 5; ++i)
    model.triangles.push_back(triangle(-1, static_cast<float>(i), alphas[i]));
  auto reds = [&model](FacePass pass) {
    TraceSink sink;
    emit_triangles(model, {}, pass, sink);
    std::vector<float> out;
    for (size_t i = 0; i < sink.colours.size(); i += 3) out.push_back(sink.colours[i]);
    return out;
  };
  EXPECT_EQ(reds(FacePass::Opaque), (std::vector<float>{0, 4}));
  EXPECT_EQ(reds(FacePass::Transparent), (std::vector<float>{1, 2, 3}));
  EXPECT_EQ(reds(FacePass::All), (std::vector<float>{0, 1, 2, 3, 4}));
}

}  // namespace
