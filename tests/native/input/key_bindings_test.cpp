// Keys: the default bindings' Shift and Ctrl rule, custom bindings, zoom, arrows and Tab.
#include <string>

#include "tests/native/input/input_fixture.h"
#include "ui/commands.h"

namespace lumeno {
namespace {

using KeyTest = test::InputTest;

TEST_F(KeyTest, BuiltInDefaultsEachFiringOnlyWithShiftAndCtrlUp) {
  give_model();
  for (const KeyBinding& b : input.key_bindings) {
    EXPECT_FALSE(b.shift || b.ctrl);
    for (int mods = 1; mods <= 3; ++mods) {
      const std::string before = snapshot();
      fire(0, b.key, (mods & 1) != 0, (mods & 2) != 0);
      EXPECT_EQ(snapshot(), before) << b.action << " modifiers " << mods;
    }
    const std::string before = snapshot();
    fire(0, b.key);
    EXPECT_NE(snapshot(), before) << b.action;
  }
}

TEST_F(KeyTest, CustomBindingsTakeTheFirstExactMatch) {
  input.key_bindings = {{'Q', true, false, "edges"},
                        {'Q', false, false, "materials"},
                        {'Q', false, false, "lighting"},  // shadowed by the one before
                        {'W', false, true, "no_such_action"}};
  const std::string before = snapshot();
  input.process_keybinding('Q', true, true);
  input.process_keybinding('W', false, true);
  input.process_keybinding('K', false, false);  // the defaults are gone
  EXPECT_EQ(snapshot(), before);
  input.process_keybinding('Q', false, false);
  EXPECT_TRUE(!viewer.display.show_materials && viewer.display.show_lighting);
  input.process_keybinding('Q', true, false);
  EXPECT_FALSE(viewer.display.show_edges);
}

TEST_F(KeyTest, ZoomAndArrowKeysMoveTheActiveCameraWithAnyModifiers) {
  viewer.set_layout(4);
  viewer.panes.select(2);
  const struct {
    unsigned key;
    bool shift;
    float start, distance, x, y;  // distance after; offsets per unit of distance
  } cases[] = {
      {kKeyOemPlus, true, 100.0f, 90.0f, 0, 0},     {kKeySubtract, false, 100.0f, 110.0f, 0, 0},
      {kKeyAdd, false, 0.005f, 0.0045f, 0, 0},  // no floor for the keys
      {kKeyLeft, false, 200.0f, 200.0f, -0.02f, 0}, {kKeyUp, false, 200.0f, 200.0f, 0, 0.02f},
      {kKeyRight, true, 200.0f, 200.0f, 0.05f, 0},  {kKeyDown, true, 200.0f, 200.0f, 0, -0.05f},
  };
  const std::string others = pane(0) + pane(1) + pane(3);
  Camera& cam = viewer.panes.viewports()[2].camera;
  cam.view_locked = true;  // the lock does not stop them, nor does Ctrl
  for (const auto& c : cases) {
    cam.distance = c.start;
    cam.target_offset[0] = cam.target_offset[1] = 0.0f;
    fire(0, c.key, c.shift, !c.shift);
    EXPECT_FLOAT_EQ(cam.distance, c.distance) << c.key;
    EXPECT_NEAR(cam.target_offset[0], c.x * c.start, 1e-4f) << c.key << " " << c.shift;
    EXPECT_NEAR(cam.target_offset[1], c.y * c.start, 1e-4f) << c.key << " " << c.shift;
  }
  EXPECT_EQ(pane(0) + pane(1) + pane(3), others);
}

TEST_F(KeyTest, TabStepsThroughScenesAndDoesNothingWithoutThem) {
  give_model();
  const std::string before = snapshot();
  fire(0, kKeyTab);
  fire(0, kKeyTab, true);
  EXPECT_EQ(snapshot(), before);

  viewer.document.model.scenes.resize(3);
  for (int want : {0, 1, 2, 0}) {
    fire(0, kKeyTab, false, want == 2);  // Ctrl does not stop Tab
    EXPECT_EQ(viewer.document.current_scene, want);
  }
  viewer.document.current_scene = -1;
  for (int want : {2, 1, 0, 2}) {
    fire(0, kKeyTab, true);
    EXPECT_EQ(viewer.document.current_scene, want);
  }
}

}  // namespace
}  // namespace lumeno
