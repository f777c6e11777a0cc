// The load pipeline: empty state, reloads, files the SDK cannot open, the vendor-shaped SDK and
// SDKs lacking single entry points.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <sstream>

#include "sdk/sketchup_api.h"
#include "tests/native/model/standin_fixture.h"
#include "tests/native/support/sdk_binding.h"

namespace lumeno {
namespace test {
namespace {

// A small model touching every feature the loader reads.
json rich_model() {
  json textured = square(0, 0, 0, 1);
  textured["front"] = "tex";
  textured["stq"] = json::array({point(0, 0, 1), point(2, 0, 2), point(1, 1, 1), point(0, 1, 0)});
  json glass = square(2, 0, 0, 1);
  glass["front"] = "glass";
  glass["layer"] = "A";
  json back_only = square(4, 0, 0, 1);
  back_only["back"] = "red";
  json def_face = square(0, 0, 1, 1);
  def_face["layer"] = "A";
  json def_edge = edge(point(0, 0, 0), point(0, 0, 3));
  def_edge["layer"] = "A";
  json top_edge = edge(point(-1, -1, 0), point(-1, 5, 0));
  top_edge["layer"] = "H";
  json scaled = translation(10, 0, 0);
  scaled[15] = 0.5;
  json group = {{"transform", translation(0, 10, 0)},
                {"material", "red"},
                {"layer", "A"},
                {"entities",
                 {{"faces", json::array({square(0, 0, 0, 2)})},
                  {"edges", json::array({edge(point(0, 0, 0), point(1, 1, 1))})}}}};
  json camera = {{"eye", point(0, -20, 5)}, {"target", point(0, 0, 0)}, {"up", point(0, 0, 1)}};
  json front = camera, plan = camera;
  front["fov"] = 50;
  plan["perspective"] = false;
  return {
      {"layers", json::array({{{"name", "A"}}, {{"name", "H"}, {"visible", false}}})},
      {"materials",
       json::array({{{"name", "red"}, {"color", {200, 10, 10, 255}}},
                    {{"name", "glass"}, {"color", {150, 200, 255, 255}}, {"opacity", 0.4}},
                    {{"name", "tex"},
                     {"color", {90, 80, 70, 100}},
                     {"texture", {{"width", 2}, {"height", 2}, {"fill", {1, 2, 3}}}}}})},
      {"definitions",
       json::array({{{"name", "D"},
                     {"entities",
                      {{"faces", json::array({def_face})}, {"edges", json::array({def_edge})}}}}})},
      {"entities",
       {{"faces", json::array({textured, glass, back_only})},
        {"edges", json::array({top_edge})},
        {"groups", json::array({group})},
        {"instances",
         json::array({{{"definition", "D"}, {"transform", quarter_turn_z()}, {"layer", "H"}},
                      {{"definition", "D"}, {"transform", scaled}}})}}},
      {"scenes", json::array({{{"name", "front"}, {"camera", front}},
                              {{"name", "plan"}, {"camera", plan}},
                              {{"name", "bare"}}})}};
}

// Triangles and edges are plain floats and ints: equal arrays are equal bytes.
template <typename T>
bool same_bytes(const std::vector<T>& a, const std::vector<T>& b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(T)) == 0;
}

// Everything of a load but its triangles and edges, as text.
std::string describe(const SkpModel& m) {
  std::ostringstream out;
  for (const SceneInfo& s : m.scenes) {
    out << s.name << s.has_camera << s.perspective << s.fov << s.eye.x << s.eye.y << s.eye.z
        << s.target.x << s.target.y << s.target.z << s.up.x << s.up.y << s.up.z << ';';
  }
  for (const LayerInfo& l : m.layers) out << l.name << l.model_visible << l.visible << ';';
  for (const TextureData& t : m.textures) {
    out << t.index << t.width << t.height << t.bits_per_pixel
        << std::string(t.pixels.begin(), t.pixels.end()) << ';';
  }
  out << m.has_transparency;
  for (int i = 0; i < 3; ++i) out << ',' << m.bbox_min[i] << ',' << m.bbox_max[i];
  return out.str();
}

// The state of a model that holds nothing.
void expect_empty(const SkpModel& m, const std::string& label) {
  EXPECT_FALSE(m.loaded) << label;
  EXPECT_TRUE(m.triangles.empty() && m.edges.empty() && m.textures.empty() && m.scenes.empty() &&
              m.layers.empty() && m.layer_refs.empty() && m.texture_cache.empty())
      << label;
  EXPECT_TRUE(m.file_path.empty()) << label;
  EXPECT_EQ(m.vertex_count, 0u) << label;
  EXPECT_FALSE(m.has_transparency) << label;
  EXPECT_EQ(m.bbox_min[0], 1e10f) << label;
  EXPECT_EQ(m.bbox_max[2], -1e10f) << label;
}

class LoadTest : public StandinModelTest {
 protected:
  void SetUp() override {
    StandinModelTest::SetUp();
    path_ = write_model(rich_model());
    ASSERT_TRUE(full_.load_from_file(path_));
  }
  SkpModel full_;  // the rich model through the full stand-in
  std::string path_;
};

TEST_F(LoadTest, RichModelLoadsCompletely) {
  EXPECT_EQ(full_.triangles.size(), 2u * 6);
  EXPECT_EQ(full_.edges.size(), 4u);
  EXPECT_EQ(full_.textures.size(), 1u);
  EXPECT_EQ(full_.scenes.size(), 3u);
  EXPECT_EQ(full_.layers.size(), 2u);
  EXPECT_TRUE(full_.has_transparency);
  EXPECT_EQ(full_.file_path, path_);
  EXPECT_EQ(check_model_invariants(full_), "");
}

TEST_F(LoadTest, VendorShapedSdkGivesTheSameArrays) {
  ASSERT_TRUE(bind_vendor_shaped_sdk(LUMENO_STANDIN_FULL_DIR));
  ASSERT_EQ(SketchUpAPI::instance().SUEdgeGetStart, nullptr);
  ASSERT_EQ(SketchUpAPI::instance().SUFaceGetLayer, nullptr);
  ASSERT_TRUE(model_.load_from_file(path_));
  EXPECT_TRUE(same_bytes(full_.triangles, model_.triangles));
  EXPECT_TRUE(same_bytes(full_.edges, model_.edges));
  EXPECT_EQ(describe(full_), describe(model_));
}

TEST_F(LoadTest, EachMissingEntryPointDisablesOnlyItsWork) {
  using M = const SkpModel&;
  const struct {
    std::vector<std::string> hidden;
    std::function<void(M f, M n)> check;
  } cases[] = {
      {{"SUEntitiesGetNumEdges"},
       [](M f, M n) {
         EXPECT_TRUE(n.edges.empty());
         EXPECT_TRUE(same_bytes(f.triangles, n.triangles));
       }},
      {{"SUEntitiesGetGroups"},
       [](M f, M n) {
         EXPECT_EQ(n.triangles.size(), f.triangles.size() - 2);
         EXPECT_EQ(n.edges.size(), f.edges.size() - 1);
       }},
      {{"SUComponentInstanceGetDefinition"},
       [](M f, M n) {
         EXPECT_EQ(n.triangles.size(), f.triangles.size() - 4);
         EXPECT_EQ(n.scenes.size(), f.scenes.size());
       }},
      {{"SUMaterialGetTexture"},
       [](M f, M n) {
         EXPECT_TRUE(n.textures.empty());
         EXPECT_EQ(n.triangles[0].vertices[0].texture_index, -1);
         EXPECT_EQ(n.triangles[0].vertices[0].r, f.triangles[0].vertices[0].r);
       }},
      {{"SUMeshHelperGetFrontSTQCoords"},
       [](M f, M n) {
         EXPECT_EQ(describe(f), describe(n));
         EXPECT_EQ(f.triangles[0].vertices[0].texture_index, 0);
         for (const Triangle& t : n.triangles) EXPECT_EQ(t.vertices[0].texture_index, -1);
       }},
      {{"SUModelGetNumScenes"},
       [](M f, M n) {
         EXPECT_TRUE(n.scenes.empty());
         EXPECT_TRUE(same_bytes(f.triangles, n.triangles));
       }},
      {{"SUSceneGetCamera"},
       [](M, M n) {
         ASSERT_EQ(n.scenes.size(), 3u);
         EXPECT_EQ(n.scenes[0].name, "front");
         EXPECT_FALSE(n.scenes[0].has_camera);
         EXPECT_DOUBLE_EQ(n.scenes[0].fov, 35.0);
       }},
      {{"SUCameraGetFOV", "SUCameraGetPerspectiveFrustumFOV"},
       [](M f, M n) {
         EXPECT_DOUBLE_EQ(f.scenes[0].fov, 50.0);
         EXPECT_DOUBLE_EQ(n.scenes[0].fov, 35.0);
         EXPECT_DOUBLE_EQ(n.scenes[0].eye.y, -20.0);
       }},
      {{"SULayerGetVisibility"},
       [](M, M n) {
         ASSERT_EQ(n.layers.size(), 2u);
         EXPECT_TRUE(n.layers[1].model_visible);
         EXPECT_EQ(n.layers[1].name, "H");
       }},
      {{"SUStringCreate"},
       [](M f, M n) {
         EXPECT_EQ(n.layers[0].name + n.scenes[0].name, "");
         EXPECT_TRUE(same_bytes(f.triangles, n.triangles));
       }},
      {{"SUModelGetLayers"},
       [](M, M n) {
         EXPECT_TRUE(n.layers.empty());
         for (const Triangle& t : n.triangles) EXPECT_EQ(t.face_layer + t.inherited_layer, -2);
       }},
      // Falls back to the face as a drawing element.
      {{"SUFaceGetLayer"}, [](M f, M n) { EXPECT_TRUE(same_bytes(f.triangles, n.triangles)); }},
      {{"SUFaceGetLayer", "SUDrawingElementGetLayer"},
       [](M f, M n) {
         EXPECT_EQ(f.triangles[2].face_layer, 0);
         for (const Triangle& t : n.triangles) EXPECT_EQ(t.face_layer, -1);
         for (const EdgeData& e : n.edges) EXPECT_EQ(e.edge_layer, -1);
       }},
      // The vendor's opacity takes over.
      {{"SUMaterialGetAlpha"}, [](M f, M n) { EXPECT_EQ(describe(f), describe(n)); }},
      {{"SUMaterialGetAlpha", "SUMaterialGetOpacity"},
       [](M, M n) {
         EXPECT_FALSE(n.has_transparency);
         EXPECT_FLOAT_EQ(n.triangles[2].vertices[0].a, 1.0f) << "the colour's own alpha";
       }},
      {{"SUEdgeGetStart", "SUEdgeGetStartVertex"},
       [](M f, M n) {
         EXPECT_TRUE(n.edges.empty());
         EXPECT_TRUE(same_bytes(f.triangles, n.triangles));
       }},
      {{"SUGroupGetTransform"},
       [](M f, M n) {
         EXPECT_FLOAT_EQ(f.bbox_max[1], 12.0f);
         EXPECT_LT(n.bbox_max[1], 12.0f) << "the group stays at the origin";
       }},
      {{"SUDrawingElementGetMaterial"},
       [](M f, M n) {
         const size_t group_face = f.triangles.size() - 2;  // the group is walked last
         EXPECT_FLOAT_EQ(f.triangles[group_face].vertices[0].g, 10 / 255.0f);
         EXPECT_FLOAT_EQ(n.triangles[group_face].vertices[0].g, 200 / 255.0f);
       }},
      {{"SUMeshHelperGetNormals"},
       [](M, M n) {
         for (const Triangle& t : n.triangles) EXPECT_FLOAT_EQ(t.vertices[0].nz, 1.0f);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.hidden[0]);
    ASSERT_TRUE(bind_sdk_hiding(LUMENO_STANDIN_FULL_DIR, c.hidden));
    model_.load_from_file(path_);
    EXPECT_EQ(check_model_invariants(model_), "");
    c.check(full_, model_);
  }
}

TEST_F(LoadTest, SecondLoadLeavesNothingOfTheFirst) {
  json second = with_faces(square(50, 50, 50, 1));
  second["layers"] = json::array({{{"name", "only"}}});
  ASSERT_TRUE(full_.load_from_file(write_file("second.skp", second.dump())));
  EXPECT_EQ(full_.file_path, dir_ + "/second.skp");
  EXPECT_EQ(full_.vertex_count, 6u);
  EXPECT_TRUE(full_.edges.empty() && full_.textures.empty() && full_.texture_cache.empty() &&
              full_.scenes.empty());
  ASSERT_EQ(full_.layers.size(), 1u);
  EXPECT_EQ(full_.layers[0].name, "only");
  EXPECT_FALSE(full_.has_transparency);
  EXPECT_FLOAT_EQ(full_.bbox_min[0], 50.0f);
}

TEST_F(LoadTest, FilesTheSdkCannotOpenAndUnloadLeaveAnEmptyModel) {
  const std::string broken[] = {
      write_file("missing-brace.skp", "{\"entities\": {\"faces\": ["),
      write_file("not-json.skp", "PK\x03\x04 binary junk"),
      write_file("empty.skp", ""),
      write_file("wrong-types.skp", "{\"entities\": {\"faces\": [{\"outer\": \"nope\"}]}}"),
      dir_ + "/does-not-exist.skp",
  };
  for (const std::string& path : broken) {
    ASSERT_TRUE(full_.load_from_file(path_));
    EXPECT_FALSE(full_.load_from_file(path)) << path;
    expect_empty(full_, path);
  }
  ASSERT_TRUE(full_.load_from_file(path_));
  full_.unload();
  expect_empty(full_, "unload");
  EXPECT_EQ(full_.triangles.capacity(), 0u) << "storage is freed";
}

TEST_F(LoadTest, LoadedMeansTrianglesOrEdges) {
  ASSERT_TRUE(
      load({{"entities", {{"edges", json::array({edge(point(0, 0, 0), point(10, 0, 0))})}}}}));
  EXPECT_TRUE(model_.triangles.empty());
  EXPECT_EQ(model_.bbox_min[0], 1e10f) << "edges leave the box";
  // Without geometry, layers and scenes are still read.
  json bare = {{"layers", json::array({{{"name", "A"}}})},
               {"scenes", json::array({{{"name", "s"}}})}};
  EXPECT_FALSE(load(bare));
  EXPECT_EQ(model_.file_path, dir_ + "/model.skp");
  EXPECT_EQ(model_.layers.size() + model_.scenes.size(), 2u);
  // So they are when the top-level entities cannot be read.
  json failing = rich_model();
  failing["faults"] = {{"fail", {"SUModelGetEntities"}}};
  EXPECT_FALSE(load(failing));
  EXPECT_EQ(model_.layers.size() + model_.scenes.size(), 5u);
}

}  // namespace
}  // namespace test
}  // namespace lumeno
