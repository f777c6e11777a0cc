// Menu and menu-bar commands through on_command, and the command table they share with the keys.
#include "ui/commands.h"

#include <string>

#include "tests/native/input/input_fixture.h"

namespace lumeno {
namespace {

using CommandTest = test::InputTest;

TEST(CommandRegistry, FindsRunsReplacesAndRefusesDisabledOrUnknownEntries) {
  CommandRegistry r;
  std::string log;
  bool enabled = false;
  r.add(make_command(1, "a", L"A", 0, [&] { log += "a"; }));
  Command b = make_command(2, "b", L"B", 0, [&] { log += "b"; });
  b.enabled = [&] { return enabled; };
  r.add(b);
  r.add(make_command(0, "key_only", L"K", 0, [&] { log += "k"; }));
  r.add_range({10, 19, [&](int n) { log += std::to_string(n); }});
  EXPECT_TRUE(r.find(0) == nullptr && r.find_action("") == nullptr);  // key-only: no menu item
  EXPECT_TRUE(r.run(1) && r.run(10) && r.run(19) && r.run_action("key_only"));
  EXPECT_FALSE(r.run(2) || r.run(3) || r.run(20) || r.run_action("b") || r.run_action("x"));
  enabled = true;
  EXPECT_TRUE(r.run(2));
  EXPECT_EQ(log, "a09kb");
  // A replacement takes over its identifier's entry and drops another entry with its action.
  r.add(make_command(1, "b", L"A2", 0, [&] { log += "!"; }));
  EXPECT_EQ(r.commands().size(), 2u);
  EXPECT_TRUE(r.find_action("b") == r.find(1) && r.find(2) == nullptr);
  // A command may replace itself while it runs.
  r.add(make_command(5, "", L"self", 0, [&r, &log] {
    r.add(make_command(5, "", L"new", 0, [&log] { log += "n"; }));
  }));
  EXPECT_TRUE(r.run(5) && r.run(5));
  EXPECT_EQ(log.back(), 'n');
}

TEST_F(CommandTest, TogglesInvertAndEveryDispatchRefreshesTheMarksOnce) {
  viewer.set_layout(4);
  viewer.panes.select(2);
  bool &perspective = viewer.panes.viewports()[2].camera.perspective,
       &locked = viewer.panes.viewports()[2].camera.view_locked;
  // A display, the navigation and the pane flags: other keys and items take the same path.
  const struct {
    unsigned id, key;
    bool* flag;
  } cases[] = {{ID_SHOW_EDGES, 0, &viewer.display.show_edges},
               {ID_ZOOM_THROUGH, 0, &viewer.navigation.zoom_through},
               {ID_PERSPECTIVE, 0, &perspective},
               {ID_BAR_PERSPECTIVE, 0, &perspective},
               {0, 0x77, &perspective},
               {0, 'L', &locked},
               {ID_LOCK_VIEW, 0, &locked}};
  for (const auto& c : cases) {
    const bool start = *c.flag;
    const int menus = host.menu_updates, repaints = host.invalidations;
    fire(c.id, c.key);
    EXPECT_EQ(*c.flag, !start) << c.id << " " << c.key;
    EXPECT_TRUE(host.menu_updates == menus + 1 && host.invalidations > repaints) << c.id << c.key;
    EXPECT_TRUE(c.flag != &locked ||
                viewer.status.toast_text == (locked ? L"视角已锁定" : L"视角已解锁"));
  }
  // Projection and lock belong to the active pane only.
  for (size_t i : {0u, 1u, 3u})
    EXPECT_TRUE(pane_at(i).camera.perspective && !pane_at(i).camera.view_locked) << i;
}

TEST_F(CommandTest, FitAndZoomNeedAModelFitCoversEveryPaneUnregisteredItemsDoNothing) {
  viewer.set_layout(3);
  const std::string before = snapshot(false);
  // 0 is the F key; features register 1407 and 1446 (grayed until then).
  for (unsigned id : {ID_FIT_VIEW, ID_BAR_FIT, 0u, 1000u, 1407u, 1446u, 4294967295u}) fire(id, 'F');
  fire(0, 'Z');
  input.on_mouse_wheel(120, 0, 0);  // nothing to zoom to either
  EXPECT_EQ(snapshot(false), before);

  give_model();
  for (Viewport& v : viewer.panes.viewports()) v.camera.distance = v.camera.target_offset[0] = 1.0f;
  fire(ID_BAR_FIT, 0);
  for (const Viewport& v : viewer.panes.viewports())
    EXPECT_TRUE(v.camera.distance == 195.0f && v.camera.target_offset[0] == 0.0f);
}

TEST_F(CommandTest, LayoutsRebuildPanesWithFreshFittedCameras) {
  give_model();
  const unsigned cases[][3] = {{ID_LAYOUT_3, 0, 3}, {0, '2', 2}, {ID_LAYOUT_4, 0, 4}, {0, '1', 1}};
  for (const auto& c : cases) {
    for (Viewport& v : viewer.panes.viewports()) {
      v.camera.view_locked = true;
      v.camera.perspective = false;
    }
    viewer.panes.select(static_cast<int>(viewer.panes.viewports().size()) - 1);
    fire(c[0], c[1]);
    EXPECT_LT(viewer.panes.active_index(), static_cast<int>(c[2]));  // still a pane
    ASSERT_EQ(viewer.panes.viewports().size(), c[2]);
    for (const Viewport& v : viewer.panes.viewports())
      EXPECT_TRUE(!v.camera.view_locked && v.camera.perspective && v.camera.distance == 195.0f)
          << c[2];
  }
  viewer.set_layout(0);  // not a layout: ignored
  viewer.set_layout(5);
  EXPECT_EQ(viewer.panes.viewports().size(), 1u);
}

TEST_F(CommandTest, OpenHelpInfoAndTheme) {
  for (unsigned id : {ID_OPEN_MODEL, ID_HELP_WEBSITE, ID_TOGGLE_THEME}) input.on_command(id);
  EXPECT_TRUE(host.open_dialogs == 1 && viewer.display.night_theme);
  EXPECT_EQ(host.urls, std::vector<std::wstring>{kProductWebSite});

  input.on_command(ID_MODEL_INFO);
  give_model();
  input.on_command(ID_MODEL_INFO);
  ASSERT_EQ(host.boxes.size(), 2u);
  EXPECT_EQ(host.boxes[0].text, L"请先打开一个模型文件。");
  EXPECT_EQ(host.boxes[1].text.rfind(L"模型统计信息", 0), 0u);
}

}  // namespace
}  // namespace lumeno
