// Menu and menu-bar commands through on_command, and the command table they share with the keys.
#include "ui/commands.h"

#include <set>
#include <string>

#include "tests/native/input/input_fixture.h"

namespace lumeno {
namespace {

using CommandTest = test::InputTest;

TEST(CommandTable, IdentifiersAndActionsAreUniqueAndOutsideTheRanges) {
  std::set<unsigned> ids;
  std::set<std::string> actions;
  for (const CommandDef& c : command_table()) {
    EXPECT_TRUE(c.id != 0 || c.action != nullptr);
    EXPECT_TRUE(c.id == 0 || ids.insert(c.id).second) << c.id;
    EXPECT_TRUE(c.action == nullptr || actions.insert(c.action).second) << c.action;
    EXPECT_EQ(find_command_range(c.id), nullptr) << c.id;
  }
  EXPECT_EQ(find_command(0), nullptr);  // key-only entries are no menu command
  const struct {
    unsigned id, first;
  } ranges[] = {{1099, 0}, {1100, 1100}, {1199, 1100}, {1200, 1200}, {1399, 1200}, {1400, 0}};
  for (const auto& r : ranges) {
    const CommandRange* range = find_command_range(r.id);
    EXPECT_EQ(range == nullptr ? 0u : range->first, r.first) << r.id;
  }
}

TEST_F(CommandTest, IgnoredIdentifiersChangeNothing) {
  give_model();
  viewer.model.layers.resize(2);
  give_scenes(2);
  const std::string before = snapshot();
  for (unsigned id : {0u, 1000u, 1004u, 1099u, 1425u, 1426u, 1427u, 1428u, 1438u, 1439u, 1440u,
                      1441u, 1442u, 1443u, 1446u, 65535u, 4294967295u}) {
    input.on_command(id);
    EXPECT_EQ(snapshot(), before) << id;
  }
}

TEST_F(CommandTest, LaterFeaturesDoNothingUntilWiredThenRunTheirOperation) {
  using Hook = std::function<void()> FeatureHooks::*;
  const struct {
    unsigned id;  // 0: the key
    unsigned key;
    Hook hook;
  } cases[] = {
      {ID_OPEN_IN_SKETCHUP, 0, &FeatureHooks::open_in_sketchup},
      {ID_SAVE_LOWER_VERSION, 0, &FeatureHooks::show_save_lower_version_dialog},
      {ID_VIEW_ANGLE, 0, &FeatureHooks::show_view_angle_dialog},
      {ID_MEASURE_DISTANCE, 0, &FeatureHooks::start_measure_distance},
      {ID_BAR_MEASURE, 0, &FeatureHooks::start_measure_distance},
      {0, 'T', &FeatureHooks::start_measure_distance},
      {ID_MEASURE_CONTINUOUS, 0, &FeatureHooks::start_measure_continuous},
      {ID_MEASURE_AREA, 0, &FeatureHooks::start_measure_area},
      {0, 'A', &FeatureHooks::start_measure_area},
      {ID_CLEAR_MEASUREMENTS, 0, &FeatureHooks::clear_measurements},
      {ID_SHOW_MEASUREMENTS, 0, &FeatureHooks::toggle_show_measurements},
      {ID_WALK, 0, &FeatureHooks::toggle_walk_mode},
      {ID_PREFERENCES, 0, &FeatureHooks::show_preferences_dialog},
      {ID_WALK_SETTINGS, 0, &FeatureHooks::show_walk_settings_dialog},
      {ID_SHORTCUTS, 0, &FeatureHooks::show_shortcut_dialog},
      {ID_ABOUT, 0, &FeatureHooks::show_about_dialog},
  };
  give_model();
  const std::string before = snapshot();
  for (const auto& c : cases) {
    fire(c.id, c.key);
    EXPECT_EQ(snapshot(), before) << c.id << " " << c.key;
  }
  for (const auto& c : cases) {
    int calls = 0;
    input.hooks = FeatureHooks();
    input.hooks.*c.hook = [&calls] { ++calls; };
    const int menus = host.menu_updates, repaints = host.invalidations;
    fire(c.id, c.key);
    EXPECT_EQ(calls, 1) << c.id << " " << c.key;
    // Showing or hiding the measurements is a display toggle: marks and repaint follow.
    const int refresh = c.id == ID_SHOW_MEASUREMENTS ? 1 : 0;
    EXPECT_EQ(host.menu_updates - menus, refresh) << c.id;
    EXPECT_EQ(host.invalidations - repaints, refresh) << c.id;
  }
}

TEST_F(CommandTest, TogglesInvertRefreshMarksAndRepaintAsEachOneSays) {
  viewer.set_layout(4);
  viewer.active_viewport_index = 2;
  bool& perspective = viewer.viewports[2].camera.perspective;
  const struct {
    unsigned id;
    unsigned key;
    bool* flag;
    int menu, repaint;
  } cases[] = {
      {ID_SHOW_EDGES, 0, &viewer.show_edges, 1, 1},
      {0, 'K', &viewer.show_edges, 1, 1},
      {ID_SHOW_MATERIALS, 0, &viewer.show_materials, 1, 1},
      {0, 'M', &viewer.show_materials, 1, 1},
      {ID_LIGHTING, 0, &viewer.show_lighting, 1, 1},
      {0, 'G', &viewer.show_lighting, 1, 1},
      {ID_SHADOWS, 0, &viewer.show_shadows, 1, 1},
      {0, 'S', &viewer.show_shadows, 1, 1},
      {ID_REVERSE_SHADOW, 0, &viewer.reverse_shadow, 0, 1},  // repaint only
      {0, 'H', &viewer.reverse_shadow, 0, 1},
      {ID_ZOOM_THROUGH, 0, &viewer.zoom_through, 1, 0},  // marks only
      {ID_PERFORMANCE, 0, &viewer.performance_mode, 1, 1},
      {0, 'P', &viewer.performance_mode, 1, 1},
      {ID_PERSPECTIVE, 0, &perspective, 1, 1},
      {ID_BAR_PERSPECTIVE, 0, &perspective, 1, 1},
      {0, 0x77, &perspective, 1, 1},  // F8
  };
  for (const auto& c : cases) {
    const bool start = *c.flag;
    const int menus = host.menu_updates, repaints = host.invalidations;
    fire(c.id, c.key);
    EXPECT_EQ(*c.flag, !start) << c.id << " " << c.key;
    EXPECT_EQ(host.menu_updates - menus, c.menu) << c.id << " " << c.key;
    EXPECT_EQ(host.invalidations - repaints, c.repaint) << c.id << " " << c.key;
  }
  // The projection toggles only the active pane.
  for (size_t i : {0u, 1u, 3u}) EXPECT_TRUE(viewer.viewports[i].camera.perspective);
}

TEST_F(CommandTest, FitNeedsAModelAndFitsEveryPane) {
  viewer.set_layout(3);
  const std::string before = snapshot();
  for (unsigned id : {ID_FIT_VIEW, ID_BAR_FIT, 0u}) fire(id, 'F');
  EXPECT_EQ(snapshot(), before);

  give_model();
  for (unsigned id : {ID_FIT_VIEW, ID_BAR_FIT, 0u}) {
    for (Viewport& v : viewer.viewports) v.camera.distance = v.camera.target_offset[0] = 1.0f;
    fire(id, 'F');
    for (const Viewport& v : viewer.viewports) {
      EXPECT_FLOAT_EQ(v.camera.distance, 195.0f) << id;
      EXPECT_EQ(v.camera.target_offset[0], 0.0f) << id;
    }
  }
}

TEST_F(CommandTest, LayoutsRebuildPanesWithFreshFittedCamerasAndTheListStripKeepsThem) {
  give_model();
  const struct {
    unsigned id, key;
    int layout;
  } cases[] = {{ID_LAYOUT_3, 0, 3}, {0, '3', 3}, {ID_LAYOUT_1, 0, 1}, {0, '2', 2},
               {ID_LAYOUT_4, 0, 4}, {0, '4', 4}, {ID_LAYOUT_2, 0, 2}, {0, '1', 1}};
  for (const auto& c : cases) {
    for (Viewport& v : viewer.viewports) {
      v.camera.view_locked = true;
      v.camera.perspective = false;
      v.camera.distance = 7.0f;
    }
    const int repaints = host.invalidations, menus = host.menu_updates;
    fire(c.id, c.key);
    EXPECT_EQ(viewer.layout, c.layout);
    ASSERT_EQ(viewer.viewports.size(), static_cast<size_t>(c.layout));
    for (const Viewport& v : viewer.viewports) {
      EXPECT_FALSE(v.camera.view_locked);
      EXPECT_TRUE(v.camera.perspective);
      EXPECT_FLOAT_EQ(v.camera.distance, 195.0f);
    }
    EXPECT_GT(host.invalidations, repaints);
    EXPECT_GT(host.menu_updates, menus);  // the projection mark follows the fresh camera
  }

  viewer.viewports[0].camera.yaw = 12.0f;
  for (unsigned id : {ID_TOGGLE_LIST, 0u}) {
    const bool start = viewer.list_panel_visible;
    fire(id, 0x72);  // F3
    EXPECT_EQ(viewer.list_panel_visible, !start);
    EXPECT_EQ(viewer.viewports[0].camera.yaw, 12.0f);
  }
}

TEST_F(CommandTest, LockTogglesTheActivePaneWithItsToasts) {
  viewer.set_layout(2);
  viewer.active_viewport_index = 1;
  const int menus = host.menu_updates;
  const struct {
    unsigned id;
    bool locked;
    const wchar_t* toast;
  } steps[] = {
      {0, true, L"视角已锁定"}, {0, false, L"视角已解锁"}, {ID_LOCK_VIEW, true, L"视角已锁定"}};
  for (const auto& s : steps) {
    fire(s.id, 'L');
    EXPECT_EQ(viewer.viewports[1].camera.view_locked, s.locked);
    EXPECT_EQ(viewer.status.toast_text, s.toast);
    EXPECT_EQ(viewer.status.toast_duration, 3000);
  }
  EXPECT_FALSE(viewer.viewports[0].camera.view_locked);
  EXPECT_EQ(host.menu_updates, menus);  // the lock has no check mark
}

TEST_F(CommandTest, UnitsOpenHelpInfoAndTheme) {
  for (int unit : {1, 2, 3, 0}) {
    const int menus = host.menu_updates, repaints = host.invalidations;
    input.on_command(ID_UNIT_MM + static_cast<unsigned>(unit));
    EXPECT_EQ(viewer.measure_unit, unit);
    EXPECT_EQ(host.menu_updates, menus + 1);
    EXPECT_EQ(host.invalidations, repaints);
  }

  fire(ID_OPEN_MODEL, 0);
  fire(0, 'O');
  EXPECT_EQ(host.open_dialogs, 2);
  input.on_command(ID_HELP_WEBSITE);
  EXPECT_EQ(host.urls, std::vector<std::wstring>{kProductWebSite});

  input.on_command(ID_MODEL_INFO);
  give_model();
  input.on_command(ID_MODEL_INFO);
  ASSERT_EQ(host.boxes.size(), 2u);
  EXPECT_EQ(host.boxes[0].text, L"请先打开一个模型文件。");
  EXPECT_EQ(host.boxes[0].caption, L"模型信息");
  EXPECT_EQ(host.boxes[0].flags, kBoxIconInformation);
  EXPECT_EQ(host.boxes[1].text.rfind(L"模型统计信息", 0), 0u);

  input.on_command(ID_TOGGLE_THEME);
  EXPECT_TRUE(viewer.night_theme);
  EXPECT_EQ(host.theme_items, std::vector<bool>{true});
}

}  // namespace
}  // namespace lumeno
