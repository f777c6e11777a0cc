// Scenes, layers, layer resolution of faces, edges, groups and instances, and visibility.
#include <gtest/gtest.h>

#include "tests/native/model/standin_fixture.h"

namespace lumeno {
namespace test {
namespace {

class ScenesLayersTest : public StandinModelTest {
 protected:
  // One square plus `extra` (layers, scenes, ...).
  bool load_with(const json& extra) {
    json model = with_faces(square(0, 0, 0, 1));
    model.update(extra);
    return load(model);
  }
};

json layer(const std::string& name, bool visible = true) {
  return {{"name", name}, {"visible", visible}};
}

TEST_F(ScenesLayersTest, LayersInOrderAndTheVisibilityRule) {
  ASSERT_TRUE(
      load_with({{"layers", json::array({layer("on"), layer("隐藏", false), layer("C")})}}));
  ASSERT_EQ(model_.layers.size(), 3u);
  EXPECT_EQ(model_.layers[1].name, "隐藏");
  EXPECT_FALSE(model_.layers[1].model_visible || model_.layers[1].visible);
  EXPECT_EQ(model_.find_layer_index(model_.layer_refs[2]), 2);
  const struct {
    int face_layer, inherited_layer;
    bool visible;
  } cases[] = {
      {-1, -1, true}, {0, -1, true}, {-1, 0, true}, {0, 0, true}, {1, -1, false},
      {-1, 1, false}, {0, 1, false}, {1, 0, false}, {3, 7, true}, {-5, 0, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(model_.is_geometry_visible(c.face_layer, c.inherited_layer), c.visible)
        << c.face_layer << ", " << c.inherited_layer;
  }
  // The viewer's switch cannot show a layer the model hides; out-of-range indices are ignored.
  model_.set_layer_visibility(1, true);
  EXPECT_FALSE(model_.is_layer_visible(1));
  model_.set_layer_visibility(0, false);
  EXPECT_FALSE(model_.is_layer_visible(0));
  model_.set_layer_visibility(3, false);
  EXPECT_TRUE(model_.is_layer_visible(2));
}

TEST_F(ScenesLayersTest, FacesGroupsAndInstancesResolveTheirLayers) {
  json on_b = square(0, 0, 0, 1);
  on_b["layer"] = "B";
  json on_unknown = square(2, 0, 0, 1);
  on_unknown["layer"] = "not in the list";
  // A group on the hidden layer H: its plain face inherits H and is hidden.
  json hidden_group = {{"layer", "H"}, {"entities", with_faces(square(4, 0, 0, 1))["entities"]}};
  // An unresolved group inside a group on B passes B on.
  json unresolved = {{"layer", "nowhere"},
                     {"entities", with_faces(square(6, 0, 0, 1))["entities"]}};
  json outer = {{"layer", "B"}, {"entities", {{"groups", json::array({unresolved})}}}};
  json model = with_faces({on_b, on_unknown});
  model["layers"] = json::array({layer("A"), layer("B"), layer("H", false)});
  model["definitions"] = json::array({{{"name", "D"}, {"entities", with_faces(on_b)["entities"]}}});
  model["entities"]["groups"] = json::array({hidden_group, outer});
  // An instance on H whose definition has a face on B.
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
    EXPECT_EQ(t->face_layer, c.face_layer) << c.x;
    EXPECT_EQ(t->inherited_layer, c.inherited_layer) << c.x;
    EXPECT_EQ(model_.is_geometry_visible(t->face_layer, t->inherited_layer), c.visible) << c.x;
  }
}

TEST_F(ScenesLayersTest, NullLayerHandlesNeverMatch) {
  model_.layer_refs.push_back(SULayerRef{nullptr});
  model_.layers.push_back(LayerInfo());
  EXPECT_EQ(model_.find_layer_index(SULayerRef{nullptr}), -1);
  EXPECT_EQ(model_.get_drawing_element_layer_index(SUDrawingElementRef{nullptr}), -1);
}

TEST_F(ScenesLayersTest, ScenesAndLayersAreCutAtTheirLimitsAndKeepCameraDefaults) {
  json scenes = json::array({{{"name", "俯视"},
                              {"camera",
                               {{"eye", point(1, 2, 3)},
                                {"target", point(4, 5, 6)},
                                {"up", point(0, 0, 1)},
                                {"perspective", false}}}},
                             {{"name", "no camera"}},
                             {{"name", "wide"},
                              {"camera",
                               {{"eye", point(0, -10, 5)},
                                {"target", point(0, 0, 0)},
                                {"up", point(0, 0, 1)},
                                {"fov", 60}}}}});
  for (int i = 3; i < 150; ++i) scenes.push_back({{"name", "S" + std::to_string(i)}});
  json layers = json::array();
  for (int i = 0; i < 501; ++i) layers.push_back(layer("L" + std::to_string(i)));
  ASSERT_TRUE(load_with({{"scenes", scenes}, {"layers", layers}}));
  ASSERT_EQ(model_.layers.size(), 500u);
  EXPECT_EQ(model_.layers[499].name, "L499");
  ASSERT_EQ(model_.scenes.size(), 100u);
  EXPECT_EQ(model_.scenes[99].name, "S99");

  const SceneInfo& top = model_.scenes[0];
  EXPECT_EQ(top.name, "俯视");
  EXPECT_TRUE(top.has_camera);
  EXPECT_TRUE(top.eye.y == 2 && top.target.z == 6 && top.up.z == 1);
  EXPECT_FALSE(top.perspective);
  const SceneInfo& none = model_.scenes[1];
  EXPECT_FALSE(none.has_camera);
  EXPECT_TRUE(none.perspective && none.fov == 35 && none.eye.x == 0);
  const SceneInfo& wide = model_.scenes[2];
  EXPECT_TRUE(wide.perspective && wide.fov == 60 && wide.eye.y == -10);
}

TEST_F(ScenesLayersTest, NamesAreCutTo255BytesOnACharacterBoundary) {
  std::string chinese = "a";
  for (int i = 0; i < 100; ++i) chinese += "层";  // 3 bytes each: 301 bytes
  ASSERT_TRUE(load_with({{"layers", json::array({layer(std::string(300, 'x')), layer(chinese)})},
                         {"scenes", json::array({{{"name", chinese}}})}}));
  EXPECT_EQ(model_.layers[0].name, std::string(255, 'x'));
  EXPECT_EQ(model_.layers[1].name, chinese.substr(0, 253)) << "'a' and 84 whole characters";
  EXPECT_EQ(model_.scenes[0].name, chinese.substr(0, 253));
}

}  // namespace
}  // namespace test
}  // namespace lumeno
