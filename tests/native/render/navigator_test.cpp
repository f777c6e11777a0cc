// Axis navigator geometry: disc positions and depths, drawing and hit order, hit reach.
#include "render/navigator.h"

#include <gtest/gtest.h>

#include "render/camera_math.h"

namespace lumeno {
namespace {

enum Item { PosX = 0, PosY = 1, PosZ = 2, NegX = 3, NegY = 4, NegZ = 5 };

Camera camera_at(float pitch, float yaw) {
  Camera c;
  c.pitch = pitch, c.yaw = yaw;
  return c;
}

TEST(Navigator, DefaultCameraPositionsDepthsAndOrders) {
  AxisNavigator nav;
  nav.update(Camera{}, 1200);
  EXPECT_TRUE(nav.nav_center_x == 1125 && nav.nav_center_y == 75);
  // +X about 29 px right of and 15 px above the centre; -X among the nearest.
  EXPECT_NEAR(nav.nav_items[PosX].screen_x - nav.nav_center_x, 29.17f, 0.05f);
  EXPECT_NEAR(nav.nav_items[PosX].screen_y - nav.nav_center_y, -14.58f, 0.05f);
  EXPECT_NEAR(nav.nav_items[NegX].depth, 0.612f, 0.001f);
  // Drawn far to near; hit near to far.
  const NavOrder draw = nav.draw_order(), hit = nav.hit_order();
  for (int i = 1; i < kNavItemCount; ++i) {
    EXPECT_LE(nav.nav_items[draw[i - 1]].depth, nav.nav_items[draw[i]].depth);
    EXPECT_GE(nav.nav_items[hit[i - 1]].depth, nav.nav_items[hit[i]].depth);
  }
}

TEST(Navigator, ClickingAnEndTurnsTheViewToFaceItAndTheReachIsTheDiscPlusFour) {
  // Each item's view puts it nearest the viewer - except the X ends, which look along X.
  AxisNavigator nav;
  nav.update(Camera{}, 1000);  // the items' views do not depend on the camera
  for (int i = 0; i < kNavItemCount; ++i) {
    float pitch = 0, yaw = 0;
    ASSERT_TRUE(standard_view_angles(nav.nav_items[i].dir, pitch, yaw));
    nav.update(camera_at(pitch, yaw), 1000);
    EXPECT_NEAR(nav.nav_items[i].depth, i == PosX || i == NegX ? -1.0f : 1.0f, 0.001f) << i;
  }
  nav = AxisNavigator{};
  EXPECT_EQ(nav.hit_test(0, 0), -1) << "nothing to hit before the first update";
  nav.update(camera_at(0, 0), 1000);  // front: +X right, -X left
  const int cx = static_cast<int>(nav.nav_center_x), cy = static_cast<int>(nav.nav_center_y);
  const int cases[][2] = {
      {cx + 41 + 14, PosX}, {cx + 41 + 16, -1}, {cx - 41 - 11, NegX}, {cx - 41 - 13, -1}};
  for (const auto& c : cases) EXPECT_EQ(nav.hit_test(c[0], cy), c[1]) << c[0] - cx;
  nav.hovered_nav_item = NegX;  // the hover enlargement does not widen the reach
  nav.update(camera_at(0, 0), 1000);
  EXPECT_EQ(nav.hit_test(cx - 41 - 13, cy), -1);
}

}  // namespace
}  // namespace lumeno
