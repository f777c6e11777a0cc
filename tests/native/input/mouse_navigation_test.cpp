// Mouse navigation: panes, the navigator, pan, orbit, wheel; the active tool sees everything first.
#include <cmath>
#include <limits>
#include <utility>

#include "tests/native/input/input_fixture.h"

namespace lumeno {
namespace {

class MouseTest : public test::InputTest {
 protected:
  // The centre of navigator item `index` after a rebuild for the active camera.
  std::pair<int, int> disc(int index) {
    viewer.navigator.update(active_camera(), viewer.panes.client_width());
    const NavItem& item = viewer.navigator.nav_items[static_cast<size_t>(index)];
    return {static_cast<int>(std::lround(item.screen_x)),
            static_cast<int>(std::lround(item.screen_y))};
  }
};

TEST_F(MouseTest, PressChoosesThePaneReleaseClearsOnlyItsFlag) {
  viewer.set_layout(2);
  viewer.toggle_list_panel();  // panes end at 980, the strip runs to 1200
  input.on_mouse_down(kButtonRight, 900, 400);
  EXPECT_EQ(host.menu_updates, 1);              // the perspective mark follows the pane
  input.on_mouse_down(kButtonLeft, 1100, 400);  // on the strip, outside every pane
  EXPECT_EQ(viewer.panes.active_index(), 0);
  input.on_mouse_down(4, 900, 10);  // another code only chooses the pane
  input.on_mouse_up(4, 0, 0);       // and releases nothing
  input.on_mouse_up(kButtonLeft, 0, 0);
  EXPECT_EQ(viewer.panes.active_index(), 1);
  EXPECT_TRUE(!input.left_button_down && input.right_button_down && !input.middle_button_down);
}

TEST_F(MouseTest, DragsPanAndOrbitTheActivePaneAndExtremeCoordinatesKeepItFinite) {
  give_model();
  viewer.set_layout(2);  // fitted: distance 195
  const float pan = 0.002f * 195.0f;
  struct Case {
    std::vector<unsigned> buttons;
    bool locked;
    float sensitivity, pitch;
    int dx, dy;
    float want_x, want_y, want_yaw, want_pitch;
  };
  const Case cases[] = {
      // Left pans along world X and Y whatever the view direction.
      {{kButtonLeft}, false, 1.0f, 30.0f, 10, -25, 10 * pan, 25 * pan, -45.0f, 30.0f},
      // Right and middle orbit, scaled by the sensitivity, pitch kept within +-89.
      {{kButtonRight}, false, 1.0f, 30.0f, 20, 10, 0.0f, 0.0f, -55.0f, 35.0f},
      {{kButtonMiddle}, false, 2.0f, 0.0f, -8, -4, 0.0f, 0.0f, -37.0f, -4.0f},
      {{kButtonRight}, false, 1.0f, 80.0f, 0, 100, 0.0f, 0.0f, -45.0f, 89.0f},
      // A locked pane is panned by the orbit buttons.
      {{kButtonRight}, true, 1.0f, 30.0f, 10, -5, 10 * pan, 5 * pan, -45.0f, 30.0f},
      // Left and right together: pan and orbit on the same move.
      {{kButtonLeft, kButtonRight}, false, 1.0f, 30.0f, 10, 0, 10 * pan, 0.0f, -50.0f, 30.0f},
  };
  for (const Case& c : cases) {
    Camera& cam = viewer.panes.viewports()[1].camera;
    cam.target_offset[0] = cam.target_offset[1] = 0.0f;
    cam.yaw = -45.0f;
    cam.pitch = c.pitch;
    cam.view_locked = c.locked;
    viewer.navigation.rotate_sensitivity = c.sensitivity;
    const std::string other = pane(0);
    input.on_mouse_move(5, 5);  // far away: the first move counts from the press
    for (unsigned b : c.buttons) input.on_mouse_down(b, 700, 300);
    input.on_mouse_move(700 + c.dx, 300 + c.dy);
    for (unsigned b : c.buttons) input.on_mouse_up(b, 0, 0);
    EXPECT_NEAR(cam.target_offset[0], c.want_x, 1e-4f) << c.dx;
    EXPECT_NEAR(cam.target_offset[1], c.want_y, 1e-4f) << c.dy;
    EXPECT_TRUE(cam.yaw == c.want_yaw && cam.pitch == c.want_pitch) << cam.yaw << " " << cam.pitch;
    EXPECT_EQ(pane(0), other);
  }
  // Without a button a move changes no camera.
  const std::string before = snapshot(false);
  input.on_mouse_move(100, 100);
  EXPECT_EQ(snapshot(false), before);
  // Extreme coordinates keep the camera finite.
  const int lo = std::numeric_limits<int>::min(), hi = std::numeric_limits<int>::max();
  input.on_mouse_down(kButtonLeft, lo, lo);
  input.on_mouse_down(kButtonRight, lo, lo);
  input.on_mouse_move(hi, hi);
  input.on_mouse_move(lo, hi);
  input.on_mouse_wheel(lo, hi, lo);
  const Camera& c = active_camera();
  for (float v : {c.distance, c.pitch, c.yaw, c.target_offset[0], c.target_offset[1]})
    EXPECT_TRUE(std::isfinite(v));
}

TEST_F(MouseTest, WithoutAModelOnlyTheNavigatorHighlights) {
  const std::pair<int, int> z = disc(2);
  const std::string camera = pane(0);
  input.on_mouse_down(kButtonRight, 100, 100);  // nothing to turn around
  // A repaint only when the highlight changes.
  const int moves[][4] = {
      {z.first, z.second, 2, 1}, {z.first + 1, z.second, 2, 1}, {10, 400, -1, 2}};
  const int base = host.invalidations;
  for (const auto& m : moves) {
    input.on_mouse_move(m[0], m[1]);
    EXPECT_EQ(viewer.navigator.hovered_nav_item, m[2]);
    EXPECT_EQ(viewer.navigator.nav_hover, m[2] != -1);
    EXPECT_EQ(host.invalidations - base, m[3]);
  }
  EXPECT_EQ(pane(0), camera);
}

TEST_F(MouseTest, NavigatorClickTurnsTheActivePaneOnlyAndLockedPanesRefuse) {
  give_model();
  viewer.set_layout(2);  // the navigator sits over pane 1 while pane 0 is active
  Camera& cam = viewer.panes.viewports()[0].camera;
  for (int index = 0; index < kNavItemCount; ++index) {
    cam.pitch = 30.0f;
    cam.yaw = -45.0f;
    const std::pair<int, int> at = disc(index);
    const int hit = viewer.hit_test_navigator(at.first, at.second);  // maybe a nearer disc
    ASSERT_GE(hit, 0);
    const std::string pane1 = pane(1);
    input.on_mouse_down(kButtonLeft, at.first, at.second);
    float pitch = 0.0f, yaw = 0.0f;
    standard_view_angles(viewer.navigator.nav_items[static_cast<size_t>(hit)].dir, pitch, yaw);
    EXPECT_TRUE(cam.pitch == pitch && cam.yaw == yaw) << index;
    EXPECT_TRUE(!input.left_button_down && viewer.panes.active_index() == 0);
    EXPECT_EQ(pane(1), pane1);
  }
  cam.view_locked = true;
  cam.pitch = 30.0f;
  const std::pair<int, int> z = disc(2);
  input.on_mouse_down(kButtonLeft, z.first, z.second);
  EXPECT_TRUE(viewer.status.toast_text == L"请先按 L 解锁视角" &&
              viewer.status.toast_duration == 3000);
  cam.view_locked = false;
  viewer.set_standard_view(static_cast<NavCubeDir>(6));  // not a direction: nothing
  EXPECT_EQ(cam.pitch, 30.0f);
}

TEST_F(MouseTest, WheelZoomsTenPercentPerNotchAndShiftWheelTurnsTheFieldOfView) {
  give_model();
  Camera& cam = active_camera();
  const int lo = std::numeric_limits<int>::min();
  const struct {
    bool shift, through, perspective;
    float distance, fov;
    int delta;
    float want_distance, want_fov;
  } cases[] = {
      {false, false, true, 100.0f, 35.0f, 120, 90.0f, 35.0f},
      {false, false, true, 100.0f, 35.0f, -120, 110.0f, 35.0f},
      {false, false, true, 0.011f, 35.0f, 120, 0.011f, 35.0f},  // at the floor
      {false, false, true, 50.0f, 35.0f, 0, 50.0f, 35.0f},      // no turn, no zoom
      {true, false, true, 10.0f, 35.0f, 120, 10.0f, 33.8f},
      {true, false, true, 10.0f, 60.0f, lo, 10.0f, 120.0f},           // within 5 to 120 degrees
      {true, false, false, 10.0f, 35.0f, 120, 10.0f, 35.0f},          // orthographic: no angle
      {false, true, true, 0.011f, 35.0f, 120, 0.011f * 0.9f, 35.0f},  // zoom-through passes it
  };
  for (const auto& c : cases) {
    host.shift = c.shift;
    viewer.navigation.zoom_through = c.through;
    cam.perspective = c.perspective;
    cam.distance = c.distance;
    cam.fov = c.fov;
    input.on_mouse_wheel(c.delta, 9999, -9999);  // the (screen) position is not used
    EXPECT_FLOAT_EQ(cam.distance, c.want_distance) << c.distance << " " << c.delta;
    EXPECT_NEAR(cam.fov, c.want_fov, 1e-4f) << c.fov << " " << c.delta;
  }
  // Zoom-through (still on) comes arbitrarily close but never to 0, nor zooming out to infinity.
  for (int i = 0; i < 2000; ++i) input.on_mouse_wheel(120, 0, 0);
  EXPECT_GT(cam.distance, 0.0f);
  for (int i = 0; i < 3000; ++i) input.on_mouse_wheel(-120, 0, 0);
  EXPECT_TRUE(std::isfinite(cam.distance));
}

TEST_F(MouseTest, TheActiveToolSeesEveryMouseEventAndKeyFirst) {
  give_model();
  viewer.set_layout(2);
  const std::pair<int, int> z = disc(2);
  ProbeTool tool;
  viewer.tools.push(&tool);
  const std::string before = snapshot();
  input.on_mouse_down(kButtonRight, 900, 300);
  input.on_mouse_move(z.first, z.second);
  input.on_mouse_down(kButtonLeft, z.first, z.second);  // not even the navigator
  input.on_mouse_wheel(120, 0, 0);
  input.on_mouse_up(kButtonRight, 900, 301);
  viewer.on_timer(kWalkTimer);
  for (unsigned key : {unsigned('K'), kKeyLeft}) input.on_key_message(key);
  EXPECT_EQ(snapshot(), before);
  const std::string at = std::to_string(z.first) + "," + std::to_string(z.second);
  EXPECT_EQ(tool.events,
            (std::vector<std::string>{"down 900,300", "move " + at, "down " + at, "wheel 120,0",
                                      "up 900,301", "timer 3,0", "key 75,0", "key 37,0"}));

  tool.takes = false;  // passed on: navigation acts, and a release always ends the drag
  input.on_key_message('K');
  EXPECT_FALSE(viewer.display.show_edges);
  input.on_mouse_down(kButtonRight, 900, 300);
  EXPECT_EQ(viewer.panes.active_index(), 1);
  ASSERT_TRUE(input.right_button_down);
  tool.takes = true;
  input.on_mouse_up(kButtonRight, 900, 300);
  EXPECT_FALSE(input.right_button_down);
  viewer.tools.remove(&tool);
  input.on_mouse_wheel(120, 0, 0);
  EXPECT_FLOAT_EQ(pane_at(1).camera.distance, 195.0f * 0.9f);
}

}  // namespace
}  // namespace lumeno
