// The portable viewer's panes and cameras: resizes, the frame and the navigator's camera, timers.
#include "ui/viewer.h"

#include <gtest/gtest.h>

#include "tests/native/input/input_fixture.h"
#include "ui/frame.h"

namespace lumeno {
namespace {

using ViewerTest = test::InputTest;

TEST_F(ViewerTest, ResizeAndTheListStripKeepCamerasAndAMinimisedWindowChangesNothing) {
  viewer.set_layout(4);
  viewer.panes.viewports()[3].camera.yaw = 12.0f;
  viewer.toggle_list_panel();
  viewer.toggle_list_panel();
  for (auto size : {std::pair<int, int>{1001, 601}, {0, 300}, {300, 0}}) {
    viewer.on_size(size.first, size.second);  // the minimised sizes change nothing
    EXPECT_EQ(viewer.panes.client_width(), 1001);
    EXPECT_TRUE(pane_at(3).width == 501 && pane_at(3).camera.yaw == 12.0f);
  }
}

TEST_F(ViewerTest, FrameCarriesTheStateAndTheNavigatorFollowsTheActivePane) {
  viewer.panes.set_list_panel_visible(true);
  viewer.set_layout(2);
  viewer.panes.viewports()[1].camera.pitch = 0.0f;
  viewer.panes.viewports()[1].camera.yaw = 90.0f;  // looking along -X: +Y is to the right
  viewer.panes.select(1);
  viewer.display.show_edges = false;
  viewer.display.night_theme = true;
  viewer.document.touch();
  viewer.show_toast(L"t", 3000);
  const FrameInput frame = build_frame(viewer, nullptr);
  EXPECT_TRUE(frame.active_camera == &pane_at(1).camera && frame.client_width == 1200);
  EXPECT_EQ(frame.model_revision, viewer.document.revision);
  EXPECT_TRUE(!frame.options.show_edges && frame.options.night_theme && frame.toast_text == L"t");

  // Drawing rebuilds the navigator from that camera over the full width, strip included.
  viewer.navigator.update(*frame.active_camera, frame.client_width);
  EXPECT_FLOAT_EQ(viewer.navigator.nav_center_x, 1125.0f);
  const NavItem& y_end = viewer.navigator.nav_items[1];
  EXPECT_NEAR(y_end.screen_x - viewer.navigator.nav_center_x, 41.25f, 1e-3f);
  const int x = static_cast<int>(y_end.screen_x), y = static_cast<int>(y_end.screen_y);
  EXPECT_EQ(viewer.hit_test_navigator(x, y), 1);
  // A hidden navigator is neither drawn nor hit, and stays hidden across frames.
  viewer.display.show_navigator = false;
  viewer.navigator.update(*frame.active_camera, frame.client_width);
  EXPECT_EQ(viewer.hit_test_navigator(x, y), -1);
  EXPECT_FALSE(build_frame(viewer, nullptr).options.show_navigator);
}

TEST_F(ViewerTest, TimersRouteToToastAndStatus) {
  viewer.show_toast(L"剖切功能（测试中）", 3000);
  viewer.status.show_load_result(L"A");
  host.run_until(host.now + 3000, [this](unsigned id) { viewer.on_timer(id); });
  EXPECT_TRUE(viewer.status.toast_text.empty() && host.title() == L"Lumeno");

  // Other identifiers are not the viewer's own: without a tool, nothing happens.
  viewer.show_toast(L"x", 100);
  host.now += 1000;
  for (unsigned id : {kWalkTimer, 0u, 99u}) viewer.on_timer(id);
  EXPECT_EQ(viewer.status.toast_text, L"x");
}

}  // namespace
}  // namespace lumeno
