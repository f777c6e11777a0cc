// Loading: reloads, unopenable files, the view box, vendor-shaped and partial SDKs.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "sdk/sketchup_api.h"
#include "tests/native/model/standin_fixture.h"

namespace lumeno {
namespace test {
namespace {

json rich_model() {
  const json stq = json::array({point(0, 0, 1), point(2, 0, 2), point(1, 1, 1), point(0, 1, 0)});
  json group = with(group_at(0), {{"transform", translation(0, 10, 0)}, {"material", "red"}});
  group["entities"]["edges"] = json::array({edge(point(0, 0, 0), point(1, 1, 1))});
  json scaled = translation(10, 0, 0);
  scaled[15] = 0.5;
  json camera = {{"eye", point(0, -20, 5)}, {"target", point(0, 0, 0)}, {"up", point(0, 0, 1)}};
  json entities = {
      {"faces", json::array({with(square(0, 0, 1, 1), {{"layer", "A"}})})},
      {"edges", json::array({with(edge(point(0, 0, 0), point(0, 0, 3)), {{"layer", "A"}})})}};
  json texture = {{"width", 2}, {"height", 2}, {"fill", {1, 2, 3}}};
  return {{"layers", json::array({{{"name", "A"}}, {{"name", "H"}, {"visible", false}}})},
          {"materials",
           json::array({{{"name", "red"}, {"color", {200, 10, 10, 255}}},
                        {{"name", "glass"}, {"color", {150, 200, 255, 255}}, {"opacity", 0.4}},
                        {{"name", "tex"}, {"color", {90, 80, 70, 100}}, {"texture", texture}}})},
          {"definitions", json::array({{{"name", "D"}, {"entities", entities}}})},
          {"entities",
           {{"faces", json::array({with(square(0, 0, 0, 1), {{"front", "tex"}, {"stq", stq}}),
                                   with(square(2, 0, 0, 1), {{"front", "glass"}, {"layer", "A"}}),
                                   with(square(4, 0, 0, 1), {{"back", "red"}})})},
            {"edges", json::array({edge(point(-1, -1, 0), point(-1, 5, 0))})},
            {"groups", json::array({group})},
            {"instances",
             json::array({{{"definition", "D"}, {"transform", quarter_turn_z()}, {"layer", "H"}},
                          {{"definition", "D"}, {"transform", scaled}}})}}},
          {"scenes", json::array({{{"name", "front"}, {"camera", with(camera, {{"fov", 50}})}},
                                  {{"name", "bare"}}})}};
}

template <typename T>
bool same_bytes(const std::vector<T>& a, const std::vector<T>& b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(T)) == 0;
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

TEST_F(LoadTest, FullAndVendorShapedSdksGiveTheSameModel) {
  EXPECT_TRUE(full_.triangles.size() == 2 * 6 && full_.edges.size() == 4 &&
              full_.textures.size() == 1 && full_.has_transparency && full_.file_path == path_);
  EXPECT_EQ(check_model_invariants(full_), "");
  ASSERT_TRUE(bind_vendor_shaped_sdk(LUMENO_STANDIN_FULL_DIR));
  ASSERT_EQ(SketchUpAPI::instance().SUFaceGetLayer, nullptr);
  ASSERT_TRUE(model_.load_from_file(path_));
  EXPECT_TRUE(same_bytes(full_.triangles, model_.triangles));
  EXPECT_TRUE(same_bytes(full_.edges, model_.edges));
  for (size_t i = 0; i < full_.scenes.size(); ++i) {  // cameras through the vendor's functions
    const SceneInfo &a = full_.scenes[i], &b = model_.scenes.at(i);
    EXPECT_TRUE(a.has_camera == b.has_camera && a.fov == b.fov && a.eye.y == b.eye.y &&
                a.target.z == b.target.z && a.up.z == b.up.z)
        << i;
  }
}

TEST_F(LoadTest, EachMissingEntryPointDisablesOnlyItsWork) {
  using M = const SkpModel&;
  const struct {
    std::vector<std::string> hidden;
    std::function<bool(M f, M n)> holds;
  } cases[] = {
      {{"SUEntitiesGetGroups", "SUComponentInstanceGetDefinition"},
       [](M f, M n) {
         return n.triangles.size() == f.triangles.size() - 6 &&
                n.edges.size() == f.edges.size() - 3;
       }},
      {{"SUMaterialGetTexture"},
       [](M f, M n) {
         return n.textures.empty() && n.triangles[0].vertices[0].texture_index == -1 &&
                n.triangles[0].vertices[0].r == f.triangles[0].vertices[0].r;
       }},
      {{"SUFaceGetLayer", "SUDrawingElementGetLayer"},
       [](M f, M n) {
         for (const EdgeData& e : n.edges) {
           if (e.edge_layer != -1) return false;
         }
         return f.triangles[2].face_layer == 0 && n.triangles[2].face_layer == -1;
       }},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(bind_sdk_hiding(LUMENO_STANDIN_FULL_DIR, c.hidden));
    model_.load_from_file(path_);
    EXPECT_EQ(check_model_invariants(model_), "") << c.hidden[0];
    EXPECT_TRUE(c.holds(full_, model_)) << c.hidden[0];
  }
}

TEST_F(LoadTest, EachLoadOrUnloadLeavesNothingOfThePrevious) {
  json second = with_faces(square(50, 50, 50, 1));
  second["layers"] = json::array({{{"name", "only"}}});
  ASSERT_TRUE(full_.load_from_file(write_file("second.skp", second.dump())));
  EXPECT_TRUE(full_.file_path == dir_ + "/second.skp" && full_.vertex_count == 6 &&
              full_.edges.empty() && full_.textures.empty() && full_.texture_cache.empty() &&
              full_.scenes.empty() && !full_.has_transparency && full_.bbox_min[0] == 50 &&
              full_.layers.size() == 1);
  // Files the SDK cannot open, and unload (""), leave an empty model with the origin as view box.
  for (const std::string& path :
       {write_file("cut.skp", "{\"entities\": {\"faces\": ["),
        write_file("zip.skp", "PK\x03\x04 junk"), dir_ + "/none.skp", std::string()}) {
    ASSERT_TRUE(full_.load_from_file(path_));
    EXPECT_TRUE(path.empty() ? (full_.unload(), true) : !full_.load_from_file(path)) << path;
    const SkpModel& m = full_;
    const ViewBox box = m.view_box();
    EXPECT_TRUE(!m.loaded && m.triangles.capacity() == 0 && m.edges.empty() && m.textures.empty() &&
                m.scenes.empty() && m.layers.empty() && m.layer_refs.empty() &&
                m.texture_cache.empty() && m.file_path.empty() && m.vertex_count == 0 &&
                !m.has_transparency && m.bbox_min[0] == 1e10f && m.bbox_max[2] == -1e10f &&
                box.min.x == 0 && box.max.z == 0)
        << path;
  }
}

TEST_F(LoadTest, LoadsWithoutFaces) {
  const json edges =
      json::array({edge(point(-1, 2, 0), point(3, 4, 5)), edge(point(0, -6, 1), point(1, 1, 1))});
  ASSERT_TRUE(load({{"entities", {{"edges", edges}}}}));
  EXPECT_TRUE(model_.triangles.empty() && model_.bbox_min[0] == 1e10f) << "edges leave the box";
  model_.edges.clear();  // the box measured at load stays until the next load
  ViewBox box = model_.view_box();
  EXPECT_TRUE(box.min.x == -1 && box.min.y == -6 && box.max.y == 4 && box.max.z == 5);
  ASSERT_TRUE(
      load({{"entities", {{"faces", json::array({square(1, 2, 3, 2)})}, {"edges", edges}}}}));
  box = model_.view_box();
  EXPECT_TRUE(box.min.x == 1 && box.min.y == 2 && box.max.x == 3 && box.max.z == 3) << "faces only";
  // Without geometry or top-level entities the load fails; layers and scenes are still read.
  EXPECT_FALSE(load(
      {{"layers", json::array({{{"name", "A"}}})}, {"scenes", json::array({{{"name", "s"}}})}}));
  EXPECT_EQ(model_.layers.size() + model_.scenes.size(), 2u);
  EXPECT_FALSE(load(with(rich_model(), {{"faults", {{"fail", {"SUModelGetEntities"}}}}})));
  EXPECT_EQ(model_.layers.size() + model_.scenes.size(), 4u);
}

}  // namespace
}  // namespace test
}  // namespace lumeno
