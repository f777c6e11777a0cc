// Pane tables of the four layouts, tiling at odd sizes, the hit test and the active pane.
#include "render/layout.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace lumeno {
namespace {

TEST(LayoutPanes, RectanglesAtOddSizesAndTheListStrip) {
  const struct {
    int layout, width, height;
    std::vector<std::vector<int>> rects;  // x, y, width, height
  } cases[] = {
      {1, 1200, 800, {{0, 0, 1200, 800}}},
      {2, 1201, 800, {{0, 0, 600, 800}, {600, 0, 601, 800}}},
      {3, 1000, 801, {{0, 0, 666, 801}, {666, 0, 334, 400}, {666, 400, 334, 401}}},
      {4,
       1201,
       799,
       {{0, 0, 600, 399}, {600, 0, 601, 399}, {0, 399, 600, 400}, {600, 399, 601, 400}}},
      {2, -50, -5, {{0, 0, 0, 0}, {0, 0, 0, 0}}},  // negative sizes count as 0
      {9, 300, 200, {{0, 0, 300, 200}}},           // unknown layouts give one pane
  };
  for (const auto& c : cases) {
    std::vector<std::vector<int>> got;
    for (const Viewport& v : layout_panes(c.layout, c.width, c.height))
      got.push_back({v.x, v.y, v.width, v.height});
    EXPECT_EQ(got, c.rects) << "layout " << c.layout << " " << c.width << "x" << c.height;
  }
  EXPECT_TRUE(layout_area_width(1200, false, 220) == 1200 &&
              layout_area_width(1200, true, 220) == 980);
  EXPECT_TRUE(layout_area_width(100, true, 220) == 0 && layout_area_width(500, true, -30) == 500);
}

// A resize keeps the cameras (the viewer tests); a different layout starts fresh.
TEST(LayoutRelayout, KeepsCamerasOfTheSameLayoutOnly) {
  std::vector<Viewport> panes = layout_panes(3, 900, 600);
  panes[0].camera.distance = 77.0f, panes[1].camera.view_locked = true;
  relayout_panes(panes, 4, 1201, 333);
  ASSERT_EQ(panes.size(), 4u);
  for (const Viewport& v : panes) EXPECT_TRUE(v.camera.distance == 5 && !v.camera.view_locked);
  // The start-up pane ("透视") is not a layout-1 pane: it is replaced by a fresh one.
  panes.resize(1), panes[0].label = "透视", panes[0].camera.distance = 9.0f;
  relayout_panes(panes, 1, 100, 100);
  EXPECT_TRUE(panes[0].label == "Perspective" && panes[0].camera.distance == 5);
}

TEST(LayoutHitTest, FirstContainingPaneElseZero) {
  std::vector<Viewport> panes = layout_panes(4, 1201, 801);  // split at x 600, y 400
  const int cases[][3] = {{599, 399, 0},  {600, 0, 1},    {0, 400, 2},
                          {1200, 800, 3}, {1201, 100, 0}, {INT_MIN, 0, 0}};
  for (const auto& c : cases)
    EXPECT_EQ(viewport_at(panes, c[0], c[1]), c[2]) << c[0] << "," << c[1];
  EXPECT_EQ(viewport_at({}, 5, 5), 0);
  EXPECT_EQ(viewport_at(layout_panes(4, 1, 1), 0, 0), 3) << "zero-size panes contain nothing";
  panes[1].x = INT_MAX - 10, panes[1].width = 100;  // x + width would overflow in int
  EXPECT_EQ(viewport_at(panes, INT_MAX - 5, 5), 1);
}

}  // namespace
}  // namespace lumeno
