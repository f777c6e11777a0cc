// Axis navigator geometry: disc positions and depths for known cameras, drawing and hit order.
#include "render/navigator.h"

#include <gtest/gtest.h>

#include <cmath>

#include "render/camera_math.h"

namespace lumeno {
namespace {

enum Item { PosX = 0, PosY = 1, PosZ = 2, NegX = 3, NegY = 4, NegZ = 5 };

Camera camera_at(float pitch, float yaw) {
  Camera c;
  c.pitch = pitch;
  c.yaw = yaw;
  return c;
}

TEST(Navigator, DefaultCameraPositionsAndDepths) {
  AxisNavigator nav;
  nav.update(Camera{}, 1200);
  EXPECT_FLOAT_EQ(nav.nav_center_x, 1125.0f);
  EXPECT_FLOAT_EQ(nav.nav_center_y, 75.0f);
  EXPECT_FLOAT_EQ(nav.nav_radius, 55.0f);

  // +X about 29 px right of and 15 px above the centre.
  const NavItem& x = nav.nav_items[PosX];
  EXPECT_NEAR(x.screen_x - nav.nav_center_x, 29.17f, 0.05f);
  EXPECT_NEAR(x.screen_y - nav.nav_center_y, -14.58f, 0.05f);
  // -X and -Y are the nearest ends, at equal depth.
  EXPECT_NEAR(nav.nav_items[NegX].depth, 0.612f, 0.001f);
  EXPECT_NEAR(nav.nav_items[NegY].depth, 0.612f, 0.001f);
  for (int i : {PosX, PosY, PosZ, NegZ}) EXPECT_LT(nav.nav_items[i].depth, 0.6f) << i;
  // +Z straight up on screen.
  EXPECT_NEAR(nav.nav_items[PosZ].screen_x, nav.nav_center_x, 1e-3f);
  EXPECT_LT(nav.nav_items[PosZ].screen_y, nav.nav_center_y - 30.0f);

  // Drawn far to near: +X and +Y underneath, -X and -Y last (on top).
  const NavOrder draw = nav.draw_order();
  EXPECT_TRUE((draw[0] == PosX && draw[1] == PosY) || (draw[0] == PosY && draw[1] == PosX));
  EXPECT_TRUE((draw[4] == NegX && draw[5] == NegY) || (draw[4] == NegY && draw[5] == NegX));
  for (int i = 1; i < kNavItemCount; ++i) {
    EXPECT_LE(nav.nav_items[draw[i - 1]].depth, nav.nav_items[draw[i]].depth);
  }
  const NavOrder hit = nav.hit_order();
  for (int i = 1; i < kNavItemCount; ++i) {
    EXPECT_GE(nav.nav_items[hit[i - 1]].depth, nav.nav_items[hit[i]].depth);
  }
}

TEST(Navigator, HoverFlagFollowsTheHoveredIndex) {
  AxisNavigator nav;
  nav.hovered_nav_item = NegY;
  nav.update(Camera{}, 800);
  for (int i = 0; i < kNavItemCount; ++i) EXPECT_EQ(nav.nav_items[i].hovered, i == NegY) << i;
  nav.hovered_nav_item = -1;
  nav.update(Camera{}, 800);
  EXPECT_FALSE(nav.nav_items[NegY].hovered);
}

TEST(Navigator, ClickingAnEndTurnsTheViewToFaceIt) {
  // For each item, its view must put that item nearest the viewer - except the X ends, which
  // turn the view to look along them (eye on the opposite side).
  for (int i = 0; i < kNavItemCount; ++i) {
    AxisNavigator nav;
    nav.update(Camera{}, 1000);
    float pitch = 0, yaw = 0;
    ASSERT_TRUE(standard_view_angles(nav.nav_items[i].dir, pitch, yaw));
    nav.update(camera_at(pitch, yaw), 1000);
    const bool x_end = i == PosX || i == NegX;
    EXPECT_NEAR(nav.nav_items[i].depth, x_end ? -1.0f : 1.0f, 0.001f) << i;
  }
}

TEST(Navigator, PressOnTheCentreHitsTheNearestEnd) {
  struct Case {
    const char* name;
    float pitch, yaw;
    int nearest;
  };
  const Case cases[] = {{"front", 0, 0, NegY}, {"back", 0, 180, PosY}, {"right", 0, 90, PosX},
                        {"left", 0, -90, NegX}, {"top", 89, 0, PosZ},  {"bottom", -89, 0, NegZ}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    AxisNavigator nav;
    nav.update(camera_at(c.pitch, c.yaw), 1000);
    const NavItem& nearest = nav.nav_items[c.nearest];
    EXPECT_NEAR(nearest.screen_x, nav.nav_center_x, 1.0f);
    EXPECT_NEAR(nearest.screen_y, nav.nav_center_y, 1.0f);
    // Its opposite end sits on the centre too, beneath it.
    EXPECT_EQ(nav.hit_test(static_cast<int>(nav.nav_center_x),
                           static_cast<int>(nav.nav_center_y)),
              c.nearest);
    EXPECT_EQ(nav.draw_order()[5], c.nearest);
  }
}

TEST(Navigator, HitTestReachAndDiscs) {
  AxisNavigator nav;
  nav.update(camera_at(0, 0), 1000);  // front: +X right, +Z up, -X left, -Z down
  const int cx = static_cast<int>(nav.nav_center_x);  // 925
  const int cy = static_cast<int>(nav.nav_center_y);  // 75
  struct Case {
    const char* name;
    int x, y, item;
  };
  const Case cases[] = {
      {"+X disc centre", cx + 41, cy, PosX},
      {"+X within size + 4", cx + 41 + 14, cy, PosX},
      {"+X just beyond size + 4", cx + 41 + 16, cy, -1},
      {"-X within 8 + 4", cx - 41 - 11, cy, NegX},
      {"-X beyond 8 + 4", cx - 41 - 13, cy, -1},
      {"+Z above", cx, cy - 41, PosZ},
      {"-Z below", cx, cy + 41, NegZ},
      {"70 px out, no disc", cx + 49, cy + 50, -1},
      {"80 px out", cx + 80, cy, -1},
      {"far away", 0, 0, -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(nav.hit_test(c.x, c.y), c.item) << c.name;
  }
  // The hover enlargement does not widen the hit radius.
  nav.hovered_nav_item = NegX;
  nav.update(camera_at(0, 0), 1000);
  EXPECT_EQ(nav.hit_test(cx - 41 - 13, cy), -1);
}

TEST(Navigator, NothingToHitBeforeTheFirstRebuild) {
  AxisNavigator nav;
  for (int x : {0, 1, 2, 3}) EXPECT_EQ(nav.hit_test(x, 0), -1);
}

}  // namespace
}  // namespace lumeno
