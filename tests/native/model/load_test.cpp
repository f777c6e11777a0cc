// The load pipeline: empty state, reloads, files the SDK cannot open, the vendor-shaped SDK and
// SDKs lacking single entry points.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <tuple>

#include "sdk/sketchup_api.h"
#include "tests/native/model/standin_fixture.h"
#include "tests/native/support/byte_fed_sdk.h"
#include "tests/native/support/sdk_binding.h"

namespace lumeno {
namespace test {
namespace {

// A small model touching every feature the loader reads.
json rich_model() {
  json stq = json::array({point(0, 0, 1), point(2, 0, 2), point(1, 1, 1), point(0, 1, 0)});
  json textured = square(0, 0, 0, 1);
  textured["front"] = "tex";
  textured["stq"] = stq;
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
                {"entities", {{"faces", json::array({square(0, 0, 0, 2)})},
                              {"edges", json::array({edge(point(0, 0, 0), point(1, 1, 1))})}}}};
  return {
      {"layers", json::array({{{"name", "A"}}, {{"name", "H"}, {"visible", false}}})},
      {"materials",
       json::array({{{"name", "red"}, {"color", {200, 10, 10, 255}}},
                    {{"name", "glass"}, {"color", {150, 200, 255, 255}}, {"opacity", 0.4}},
                    {{"name", "tex"}, {"color", {90, 80, 70, 100}},
                     {"texture", {{"width", 2}, {"height", 2}, {"fill", {1, 2, 3}}}}}})},
      {"definitions",
       json::array({{{"name", "D"},
                     {"entities", {{"faces", json::array({def_face})}, {"edges", json::array({def_edge})}}}}})},
      {"entities",
       {{"faces", json::array({textured, glass, back_only})},
        {"edges", json::array({top_edge})},
        {"groups", json::array({group})},
        {"instances", json::array({{{"definition", "D"}, {"transform", quarter_turn_z()}, {"layer", "H"}},
                                   {{"definition", "D"}, {"transform", scaled}}})}}},
      {"scenes",
       json::array({{{"name", "front"},
                     {"camera", {{"eye", point(0, -20, 5)}, {"target", point(0, 0, 0)}, {"up", point(0, 0, 1)}, {"fov", 50}}}},
                    {{"name", "plan"},
                     {"camera", {{"eye", point(0, 0, 50)}, {"target", point(0, 0, 0)}, {"up", point(0, 1, 0)}, {"perspective", false}}}},
                    {{"name", "bare"}}})}};
}

// What a load produced, copied out for comparisons.
struct Snapshot {
  std::vector<Triangle> triangles;
  std::vector<EdgeData> edges;
  std::vector<TextureData> textures;
  std::vector<SceneInfo> scenes;
  std::vector<LayerInfo> layers;
  float bbox[6];
  bool has_transparency;

  explicit Snapshot(const SkpModel& m)
      : triangles(m.triangles), edges(m.edges), textures(m.textures), scenes(m.scenes),
        layers(m.layers), bbox{m.bbox_min[0], m.bbox_min[1], m.bbox_min[2],
                               m.bbox_max[0], m.bbox_max[1], m.bbox_max[2]},
        has_transparency(m.has_transparency) {}
};

// Triangles and edges are plain floats and ints: equal arrays are equal bytes.
template <typename T>
bool same_records(const std::vector<T>& a, const std::vector<T>& b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(T)) == 0;
}
bool same_geometry(const std::vector<Triangle>& a, const std::vector<Triangle>& b) {
  return same_records(a, b);
}
bool same_edges(const std::vector<EdgeData>& a, const std::vector<EdgeData>& b) {
  return same_records(a, b);
}

bool same_scenes(const std::vector<SceneInfo>& a, const std::vector<SceneInfo>& b) {
  auto key = [](const SceneInfo& s) {
    return std::make_tuple(s.name, s.has_camera, s.perspective, s.fov, s.eye.x, s.eye.y, s.eye.z,
                           s.target.x, s.target.y, s.target.z, s.up.x, s.up.y, s.up.z);
  };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [&](const SceneInfo& x, const SceneInfo& y) { return key(x) == key(y); });
}

bool same_layers(const std::vector<LayerInfo>& a, const std::vector<LayerInfo>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const LayerInfo& x, const LayerInfo& y) {
    return x.name == y.name && x.model_visible == y.model_visible && x.visible == y.visible;
  });
}

bool same_textures(const std::vector<TextureData>& a, const std::vector<TextureData>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const TextureData& x, const TextureData& y) {
    return x.index == y.index && x.width == y.width && x.height == y.height &&
           x.bits_per_pixel == y.bits_per_pixel && x.pixels == y.pixels;
  });
}

class LoadTest : public StandinModelTest {};

TEST_F(LoadTest, RichModelLoadsCompletely) {
  ASSERT_TRUE(load(rich_model()));
  EXPECT_EQ(model_.triangles.size(), 2u * 6);
  EXPECT_EQ(model_.vertex_count, 36u);
  EXPECT_EQ(model_.edges.size(), 4u);
  EXPECT_EQ(model_.textures.size(), 1u);
  EXPECT_EQ(model_.scenes.size(), 3u);
  EXPECT_EQ(model_.layers.size(), 2u);
  EXPECT_TRUE(model_.has_transparency);
  EXPECT_TRUE(model_.loaded);
  EXPECT_EQ(check_model_invariants(model_), "");
}

TEST_F(LoadTest, VendorShapedSdkGivesTheSameArrays) {
  ASSERT_TRUE(load(rich_model()));
  const Snapshot full(model_);
  ASSERT_TRUE(bind_vendor_shaped_sdk(LUMENO_STANDIN_FULL_DIR));
  ASSERT_EQ(SketchUpAPI::instance().SUEdgeGetStart, nullptr);
  ASSERT_EQ(SketchUpAPI::instance().SUFaceGetLayer, nullptr);
  ASSERT_TRUE(load(rich_model()));
  const Snapshot vendor(model_);
  EXPECT_TRUE(same_geometry(full.triangles, vendor.triangles));
  EXPECT_TRUE(same_edges(full.edges, vendor.edges));
  EXPECT_TRUE(same_textures(full.textures, vendor.textures));
  EXPECT_TRUE(same_scenes(full.scenes, vendor.scenes));
  EXPECT_TRUE(same_layers(full.layers, vendor.layers));
  EXPECT_EQ(full.has_transparency, vendor.has_transparency);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(full.bbox[i], vendor.bbox[i]);
}

TEST_F(LoadTest, EachMissingEntryPointDisablesOnlyItsWork) {
  ASSERT_TRUE(load(rich_model()));
  const Snapshot full(model_);
  using Check = std::function<void(const Snapshot& full, const Snapshot& now)>;
  struct Case {
    std::vector<std::string> hidden;
    Check check;
  } cases[] = {
      {{"SUEntitiesGetNumEdges"},
       [](const Snapshot& f, const Snapshot& n) {
         EXPECT_TRUE(n.edges.empty());
         EXPECT_TRUE(same_geometry(f.triangles, n.triangles));
       }},
      {{"SUEntitiesGetGroups"},
       [](const Snapshot& f, const Snapshot& n) {
         EXPECT_EQ(n.triangles.size(), f.triangles.size() - 2);
         EXPECT_EQ(n.edges.size(), f.edges.size() - 1);
       }},
      {{"SUComponentInstanceGetDefinition"},
       [](const Snapshot& f, const Snapshot& n) {
         EXPECT_EQ(n.triangles.size(), f.triangles.size() - 4);
         EXPECT_TRUE(same_scenes(f.scenes, n.scenes));
       }},
      {{"SUMaterialGetTexture"},
       [](const Snapshot& f, const Snapshot& n) {
         EXPECT_TRUE(n.textures.empty());
         EXPECT_EQ(n.triangles[0].vertices[0].texture_index, -1);
         EXPECT_EQ(n.triangles[0].vertices[0].r, f.triangles[0].vertices[0].r);
       }},
      {{"SUMeshHelperGetFrontSTQCoords"},
       [](const Snapshot& f, const Snapshot& n) {
         EXPECT_TRUE(same_textures(f.textures, n.textures));
         EXPECT_EQ(f.triangles[0].vertices[0].texture_index, 0);
         for (const Triangle& t : n.triangles) EXPECT_EQ(t.vertices[0].texture_index, -1);
       }},
      {{"SUModelGetNumScenes"},
       [](const Snapshot& f, const Snapshot& n) {
         EXPECT_TRUE(n.scenes.empty());
         EXPECT_TRUE(same_geometry(f.triangles, n.triangles));
       }},
      {{"SUSceneGetCamera"},
       [](const Snapshot&, const Snapshot& n) {
         ASSERT_EQ(n.scenes.size(), 3u);
         EXPECT_EQ(n.scenes[0].name, "front");
         EXPECT_FALSE(n.scenes[0].has_camera);
         EXPECT_DOUBLE_EQ(n.scenes[0].fov, 35.0);
       }},
      {{"SUCameraGetFOV", "SUCameraGetPerspectiveFrustumFOV"},
       [](const Snapshot& f, const Snapshot& n) {
         EXPECT_DOUBLE_EQ(f.scenes[0].fov, 50.0);
         EXPECT_DOUBLE_EQ(n.scenes[0].fov, 35.0);
         EXPECT_DOUBLE_EQ(n.scenes[0].eye.y, -20.0);
       }},
      {{"SULayerGetVisibility"},
       [](const Snapshot&, const Snapshot& n) {
         ASSERT_EQ(n.layers.size(), 2u);
         EXPECT_TRUE(n.layers[1].model_visible);
         EXPECT_EQ(n.layers[1].name, "H");
       }},
      {{"SUStringCreate"},
       [](const Snapshot& f, const Snapshot& n) {
         EXPECT_EQ(n.layers[0].name, "");
         EXPECT_EQ(n.scenes[0].name, "");
         EXPECT_TRUE(same_geometry(f.triangles, n.triangles));
       }},
      {{"SUModelGetLayers"},
       [](const Snapshot&, const Snapshot& n) {
         EXPECT_TRUE(n.layers.empty());
         for (const Triangle& t : n.triangles) {
           EXPECT_EQ(t.face_layer, -1);
           EXPECT_EQ(t.inherited_layer, -1);
         }
       }},
      {{"SUFaceGetLayer"},  // falls back to the face as a drawing element
       [](const Snapshot& f, const Snapshot& n) { EXPECT_TRUE(same_geometry(f.triangles, n.triangles)); }},
      {{"SUFaceGetLayer", "SUDrawingElementGetLayer"},
       [](const Snapshot& f, const Snapshot& n) {
         EXPECT_EQ(f.triangles[2].face_layer, 0);
         for (const Triangle& t : n.triangles) EXPECT_EQ(t.face_layer, -1);
         for (const EdgeData& e : n.edges) EXPECT_EQ(e.edge_layer, -1);
       }},
      {{"SUMaterialGetAlpha"},  // the vendor's opacity takes over
       [](const Snapshot& f, const Snapshot& n) {
         EXPECT_TRUE(same_geometry(f.triangles, n.triangles));
         EXPECT_TRUE(n.has_transparency);
       }},
      {{"SUMaterialGetAlpha", "SUMaterialGetOpacity"},
       [](const Snapshot&, const Snapshot& n) {
         EXPECT_FALSE(n.has_transparency);
         EXPECT_FLOAT_EQ(n.triangles[2].vertices[0].a, 1.0f) << "the colour's own alpha";
       }},
      {{"SUEdgeGetStart", "SUEdgeGetStartVertex"},
       [](const Snapshot& f, const Snapshot& n) {
         EXPECT_TRUE(n.edges.empty());
         EXPECT_TRUE(same_geometry(f.triangles, n.triangles));
       }},
      {{"SUGroupGetTransform"},
       [](const Snapshot& f, const Snapshot& n) {
         EXPECT_FLOAT_EQ(f.bbox[4], 12.0f);
         EXPECT_LT(n.bbox[4], 12.0f) << "the group stays at the origin";
       }},
      {{"SUDrawingElementGetMaterial"},
       [](const Snapshot& f, const Snapshot& n) {
         const size_t group_face = f.triangles.size() - 2;  // the group is walked last
         EXPECT_FLOAT_EQ(f.triangles[group_face].vertices[0].g, 10 / 255.0f);
         EXPECT_FLOAT_EQ(n.triangles[group_face].vertices[0].g, 200 / 255.0f);
       }},
      {{"SUMeshHelperGetNormals"},
       [](const Snapshot&, const Snapshot& n) {
         for (const Triangle& t : n.triangles) EXPECT_FLOAT_EQ(t.vertices[0].nz, 1.0f);
       }},
  };
  for (const Case& c : cases) {
    std::string label;
    for (const std::string& name : c.hidden) label += name + " ";
    SCOPED_TRACE(label);
    ASSERT_TRUE(bind_sdk_hiding(LUMENO_STANDIN_FULL_DIR, c.hidden));
    load(rich_model());
    const Snapshot now(model_);
    EXPECT_EQ(check_model_invariants(model_), "");
    c.check(full, now);
  }
}

TEST_F(LoadTest, SecondLoadLeavesNothingOfTheFirst) {
  ASSERT_TRUE(load(rich_model()));
  const std::string first_path = model_.file_path;
  json second = {{"layers", json::array({{{"name", "only"}}})},
                 {"entities", {{"faces", json::array({square(50, 50, 50, 1)})}}}};
  ASSERT_TRUE(model_.load_from_file(write_model(second, "second.skp")));
  EXPECT_NE(model_.file_path, first_path);
  EXPECT_EQ(model_.file_path, dir_ + "/second.skp");
  EXPECT_EQ(model_.triangles.size(), 2u);
  EXPECT_EQ(model_.vertex_count, 6u);
  EXPECT_TRUE(model_.edges.empty());
  EXPECT_TRUE(model_.textures.empty());
  EXPECT_TRUE(model_.texture_cache.empty());
  EXPECT_TRUE(model_.scenes.empty());
  ASSERT_EQ(model_.layers.size(), 1u);
  EXPECT_EQ(model_.layers[0].name, "only");
  EXPECT_FALSE(model_.has_transparency);
  EXPECT_FLOAT_EQ(model_.bbox_min[0], 50.0f);
}

TEST_F(LoadTest, FilesTheSdkCannotOpenLeaveAnEmptyModel) {
  const std::string broken[] = {
      write_file("missing-brace.skp", "{\"entities\": {\"faces\": ["),
      write_file("not-json.skp", "PK\x03\x04 binary junk"),
      write_file("empty.skp", ""),
      write_file("wrong-types.skp", "{\"entities\": {\"faces\": [{\"outer\": \"nope\"}]}}"),
      dir_ + "/does-not-exist.skp",
  };
  for (const std::string& path : broken) {
    ASSERT_TRUE(load(rich_model()));
    EXPECT_FALSE(model_.load_from_file(path)) << path;
    EXPECT_TRUE(model_.file_path.empty()) << path;
    EXPECT_TRUE(model_.triangles.empty()) << path;
    EXPECT_TRUE(model_.layers.empty()) << path;
    EXPECT_TRUE(model_.scenes.empty()) << path;
    EXPECT_TRUE(model_.textures.empty()) << path;
    EXPECT_EQ(model_.vertex_count, 0u) << path;
    EXPECT_EQ(model_.bbox_min[0], 1e10f) << path;
    EXPECT_FALSE(model_.loaded) << path;
  }
}

TEST_F(LoadTest, FileWithOnlyEdgesLoads) {
  json model = {{"entities", {{"edges", json::array({edge(point(0, 0, 0), point(10, 0, 0))})}}}};
  ASSERT_TRUE(load(model));
  EXPECT_TRUE(model_.loaded);
  EXPECT_TRUE(model_.triangles.empty());
  EXPECT_EQ(model_.edges.size(), 1u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(model_.bbox_min[i], 1e10f);
    EXPECT_EQ(model_.bbox_max[i], -1e10f);
  }
}

TEST_F(LoadTest, FileWithoutGeometryKeepsItsLayersAndScenes) {
  json model = {{"layers", json::array({{{"name", "A"}}})}, {"scenes", json::array({{{"name", "s"}}})}};
  const std::string path = write_model(model);
  EXPECT_FALSE(model_.load_from_file(path));
  EXPECT_FALSE(model_.loaded);
  EXPECT_EQ(model_.file_path, path);
  EXPECT_EQ(model_.layers.size(), 1u);
  EXPECT_EQ(model_.scenes.size(), 1u);
}

TEST_F(LoadTest, FailingTopLevelEntitiesStillReadsLayersAndScenes) {
  json model = rich_model();
  model["faults"] = {{"fail", {"SUModelGetEntities"}}};
  EXPECT_FALSE(load(model));
  EXPECT_TRUE(model_.triangles.empty());
  EXPECT_EQ(model_.layers.size(), 2u);
  EXPECT_EQ(model_.scenes.size(), 3u);
}

TEST_F(LoadTest, UnboundSdkLoadsNothing) {
  const std::string path = write_model(rich_model());
  SketchUpAPI::instance().unload();
  EXPECT_FALSE(model_.load_from_file(path));
  EXPECT_TRUE(model_.file_path.empty());
  EXPECT_TRUE(model_.layers.empty());
}

TEST_F(LoadTest, UnloadReturnsToTheEmptyState) {
  ASSERT_TRUE(load(rich_model()));
  model_.unload();
  EXPECT_TRUE(model_.triangles.empty());
  EXPECT_EQ(model_.triangles.capacity(), 0u) << "storage is freed";
  EXPECT_TRUE(model_.edges.empty());
  EXPECT_TRUE(model_.textures.empty());
  EXPECT_TRUE(model_.layer_refs.empty());
  EXPECT_TRUE(model_.texture_cache.empty());
  EXPECT_TRUE(model_.file_path.empty());
  EXPECT_FALSE(model_.has_transparency);
  EXPECT_FALSE(model_.loaded);
  EXPECT_EQ(model_.bbox_max[2], -1e10f);
}

}  // namespace
}  // namespace test
}  // namespace lumeno
