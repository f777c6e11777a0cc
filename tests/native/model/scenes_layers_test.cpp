// Scenes, layers, layer resolution of faces, edges, groups and instances, and visibility.
#include <gtest/gtest.h>

#include "tests/native/model/standin_fixture.h"

namespace lumeno {
namespace test {
namespace {

class ScenesLayersTest : public StandinModelTest {
 protected:
  bool load_with(const json& extra) { return load(with(with_faces(square(0, 0, 0, 1)), extra)); }
};

json layer(const std::string& name, bool visible = true) {
  return {{"name", name}, {"visible", visible}};
}

TEST_F(ScenesLayersTest, LayersInOrderAndTheVisibilityRule) {
  ASSERT_TRUE(
      load_with({{"layers", json::array({layer("on"), layer("隐藏", false), layer("C")})}}));
  ASSERT_EQ(model_.layers.size(), 3u);
  EXPECT_TRUE(model_.layers[1].name == "隐藏" && !model_.layers[1].visible);
  EXPECT_EQ(model_.find_layer_index(model_.layer_refs[2]), 2);
  model_.layer_refs[0] = SULayerRef{nullptr};  // null handles never match
  EXPECT_EQ(model_.find_layer_index(SULayerRef{nullptr}), -1);
  EXPECT_EQ(model_.get_drawing_element_layer_index(SUDrawingElementRef{nullptr}), -1);
  const struct {
    int face_layer, inherited_layer;
    bool visible;
  } cases[] = {{0, 0, true}, {1, 0, false}, {0, 1, false}, {-5, 7, true}};
  for (const auto& c : cases) {
    EXPECT_EQ(model_.is_geometry_visible(c.face_layer, c.inherited_layer), c.visible)
        << c.face_layer << ", " << c.inherited_layer;
  }
  // The viewer's switch cannot show a layer the model hides; out-of-range indices are ignored.
  model_.set_layer_visibility(1, true);
  model_.set_layer_visibility(0, false);
  model_.set_layer_visibility(3, false);
  EXPECT_TRUE(!model_.is_layer_visible(1) && !model_.is_layer_visible(0) &&
              model_.is_layer_visible(2));
}

TEST_F(ScenesLayersTest, FacesGroupsAndInstancesResolveTheirLayers) {
  json on_b = with(square(0, 0, 0, 1), {{"layer", "B"}});
  json unresolved = with(group_at(6), {{"layer", "nowhere"}});
  json outer = {{"layer", "B"}, {"entities", {{"groups", json::array({unresolved})}}}};
  json model = with_faces({on_b, with(square(2, 0, 0, 1), {{"layer", "not in the list"}})});
  model["layers"] = json::array({layer("A"), layer("B"), layer("H", false)});
  model["definitions"] = json::array({{{"name", "D"}, {"entities", with_faces(on_b)["entities"]}}});
  model["entities"]["groups"] = json::array({with(group_at(4), {{"layer", "H"}}), outer});
  model["entities"]["instances"] =
      json::array({{{"definition", "D"}, {"layer", "H"}, {"transform", translation(8, 0, 0)}}});
  ASSERT_TRUE(load(model));
  const struct {
    float x;
    int face_layer, inherited_layer;
    bool visible;
  } cases[] = {
      {0, 1, -1, true},   // own layer B
      {2, -1, -1, true},  // layer not among the model's
      {4, -1, 2, false},  // inside the hidden group
      {6, -1, 1, true},   // unresolved group passes B on
      {8, 1, 2, false},   // visible own layer inside a hidden instance
  };
  for (const auto& c : cases) {
    const Triangle* t = triangle_at(c.x);
    ASSERT_NE(t, nullptr) << c.x;
    EXPECT_TRUE(t->face_layer == c.face_layer && t->inherited_layer == c.inherited_layer) << c.x;
    EXPECT_EQ(model_.is_geometry_visible(t->face_layer, t->inherited_layer), c.visible) << c.x;
  }
}

TEST_F(ScenesLayersTest, ScenesLayersAndNamesAreCutAtTheirLimits) {
  json top = {{"eye", point(1, 2, 3)}, {"target", point(4, 5, 6)}, {"up", point(0, 0, 1)}};
  std::string chinese = "a";
  for (int i = 0; i < 100; ++i) chinese += "层";  // 3 bytes each: 301 bytes
  json scenes = json::array({{{"name", chinese}, {"camera", with(top, {{"perspective", false}})}}});
  for (int i = 1; i < 101; ++i) scenes.push_back({{"name", "S" + std::to_string(i)}});
  json layers = json::array({layer(std::string(300, 'x'))});
  for (int i = 1; i < 501; ++i) layers.push_back(layer("L" + std::to_string(i)));
  ASSERT_TRUE(load_with({{"scenes", scenes}, {"layers", layers}}));
  ASSERT_EQ(model_.layers.size(), 500u);
  ASSERT_EQ(model_.scenes.size(), 100u);
  EXPECT_EQ(model_.layers[499].name + model_.scenes[99].name, "L499S99");
  EXPECT_EQ(model_.layers[0].name, std::string(255, 'x'));
  EXPECT_EQ(model_.scenes[0].name, chinese.substr(0, 253)) << "'a' and 84 whole characters";
  const SceneInfo& s = model_.scenes[0];
  EXPECT_TRUE(s.has_camera && !s.perspective && s.eye.y == 2 && s.target.z == 6 && s.up.z == 1);
  const SceneInfo& none = model_.scenes[1];
  EXPECT_TRUE(!none.has_camera && none.perspective && none.fov == 35 && none.eye.x == 0);
}

}  // namespace
}  // namespace test
}  // namespace lumeno
