// Scene and layer commands: the scene's toast and camera, layer switches, indexes without either.
#include "tests/native/input/input_fixture.h"
#include "ui/commands.h"

namespace lumeno {
namespace {

using SceneLayerTest = test::InputTest;

TEST_F(SceneLayerTest, SceneCommandsShowTheSceneAndIgnoreIndexesWithoutOne) {
  give_model();
  viewer.document.model.scenes.resize(3);
  viewer.document.model.scenes[1].name = "客厅";
  SceneInfo& with_camera = viewer.document.model.scenes[2];
  with_camera.has_camera = true;
  with_camera.eye = {100.0, 0.0, 0.0};
  with_camera.up = {0.0, 0.0, 1.0};
  with_camera.fov = 50.0;
  with_camera.perspective = false;
  viewer.set_layout(2);
  viewer.panes.select(1);
  active_camera().view_locked = true;  // a scene's camera applies even so
  const std::string view = pane(1), other = pane(0);
  input.on_command(ID_SCENE_FIRST + 1);  // no camera: the name only, the view unchanged
  EXPECT_TRUE(viewer.document.current_scene == 1 && pane(1) == view);
  EXPECT_TRUE(viewer.status.toast_text == L"场景: 客厅" && viewer.status.toast_duration == 3000);

  input.on_command(ID_SCENE_FIRST + 2);
  EXPECT_TRUE(viewer.document.current_scene == 2 && pane(0) == other);
  EXPECT_NEAR(active_camera().distance, 100.0f, 1e-3f);
  EXPECT_TRUE(active_camera().fov == 50.0f && !active_camera().perspective &&
              active_camera().view_locked);

  viewer.status.toast_text.clear();
  const std::string state = snapshot(false);
  for (unsigned id : {ID_SCENE_FIRST + 3, ID_SCENE_LAST}) input.on_command(id);
  input.goto_scene(-1);
  EXPECT_EQ(snapshot(false), state);
  EXPECT_TRUE(viewer.status.toast_text.empty());  // not even a toast
}

TEST_F(SceneLayerTest, LayerToggleInvalidatesTheDisplayListsAndRefreshesTheMarks) {
  give_model();
  viewer.document.model.layers.resize(250);
  const unsigned steps[][3] = {
      {ID_LAYER_FIRST + 1, 1, 0}, {ID_LAYER_FIRST + 1, 1, 1}, {ID_LAYER_LAST, 199, 0}};
  for (const auto& s : steps) {
    const uint64_t revision = viewer.document.revision;
    const int menus = host.menu_updates, repaints = host.invalidations;
    input.on_command(s[0]);
    EXPECT_EQ(viewer.document.model.layers[s[1]].visible, s[2] != 0) << s[0];
    EXPECT_GT(viewer.document.revision, revision);  // the GL lists are built again
    EXPECT_TRUE(host.menu_updates == menus + 1 && host.invalidations == repaints + 1);
  }
  EXPECT_TRUE(viewer.document.model.layers[0].visible && viewer.document.model.layers[200].visible);

  // Indexes without a layer do nothing.
  viewer.document.model.layers.resize(3);
  const std::string before = snapshot(false);
  input.on_command(ID_LAYER_FIRST + 3);
  input.toggle_layer(-1);
  EXPECT_EQ(snapshot(false), before);
}

}  // namespace
}  // namespace lumeno
