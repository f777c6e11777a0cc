// Pane tables of the four layouts, tiling at odd sizes, the hit test and the active pane.
#include "render/layout.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace lumeno {
namespace {

struct Rect {
  int x, y, width, height;
};

struct PaneCase {
  int layout, width, height;
  std::vector<Rect> rects;
};

TEST(LayoutPanes, RectanglesAtOddSizes) {
  const PaneCase cases[] = {
      {1, 1200, 800, {{0, 0, 1200, 800}}},
      {2, 1201, 800, {{0, 0, 600, 800}, {600, 0, 601, 800}}},
      {3, 1000, 801, {{0, 0, 666, 801}, {666, 0, 334, 400}, {666, 400, 334, 401}}},
      {4, 1201, 799,
       {{0, 0, 600, 399}, {600, 0, 601, 399}, {0, 399, 600, 400}, {600, 399, 601, 400}}},
      {3, 2, 1, {{0, 0, 1, 1}, {1, 0, 1, 0}, {1, 0, 1, 1}}},
      {4, 1, 1, {{0, 0, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}, {0, 0, 1, 1}}},
      {2, 0, 0, {{0, 0, 0, 0}, {0, 0, 0, 0}}},
      {2, -50, -5, {{0, 0, 0, 0}, {0, 0, 0, 0}}},  // negative sizes count as 0
      {0, 300, 200, {{0, 0, 300, 200}}},            // unknown layouts give one pane
      {9, 300, 200, {{0, 0, 300, 200}}},
  };
  for (const PaneCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "layout " << c.layout << " " << c.width << "x"
                                    << c.height);
    const std::vector<Viewport> panes = layout_panes(c.layout, c.width, c.height);
    ASSERT_EQ(panes.size(), c.rects.size());
    for (size_t i = 0; i < panes.size(); ++i) {
      EXPECT_EQ(panes[i].x, c.rects[i].x) << i;
      EXPECT_EQ(panes[i].y, c.rects[i].y) << i;
      EXPECT_EQ(panes[i].width, c.rects[i].width) << i;
      EXPECT_EQ(panes[i].height, c.rects[i].height) << i;
    }
  }
}

TEST(LayoutPanes, EveryPixelBelongsToExactlyOnePane) {
  for (int layout = 1; layout <= 4; ++layout) {
    for (int w = 0; w <= 9; ++w) {
      for (int h = 0; h <= 9; ++h) {
        const std::vector<Viewport> panes = layout_panes(layout, w, h);
        for (int px = 0; px < w; ++px) {
          for (int py = 0; py < h; ++py) {
            int owners = 0;
            for (const Viewport& v : panes) {
              if (v.x <= px && px < v.x + v.width && v.y <= py && py < v.y + v.height) ++owners;
            }
            ASSERT_EQ(owners, 1) << "layout " << layout << " " << w << "x" << h << " at " << px
                                 << "," << py;
          }
        }
        for (const Viewport& v : panes) {
          ASSERT_GE(v.width, 0);
          ASSERT_GE(v.height, 0);
          ASSERT_LE(v.x + v.width, w);
          ASSERT_LE(v.y + v.height, h);
        }
      }
    }
  }
}

TEST(LayoutPanes, AreaWidthLeavesTheListStrip) {
  struct Case {
    int client, panel;
    bool visible;
    int width;
  };
  const Case cases[] = {{1200, 220, false, 1200}, {1200, 220, true, 980},
                        {220, 220, true, 0},      {100, 220, true, 0},
                        {500, -30, true, 500}};
  for (const Case& c : cases) {
    EXPECT_EQ(layout_area_width(c.client, c.visible, c.panel), c.width)
        << c.client << " " << c.panel << " " << c.visible;
  }
}

TEST(LayoutRelayout, KeepsCamerasOfTheSameLayoutOnly) {
  std::vector<Viewport> panes = layout_panes(3, 900, 600);
  panes[0].camera.distance = 77.0f;
  panes[1].camera.view_locked = true;
  panes[2].camera.perspective = false;

  relayout_panes(panes, 3, 1201, 333);  // resize
  ASSERT_EQ(panes.size(), 3u);
  EXPECT_EQ(panes[0].width, 800);
  EXPECT_EQ(panes[2].y, 166);
  EXPECT_EQ(panes[0].camera.distance, 77.0f);
  EXPECT_TRUE(panes[1].camera.view_locked);
  EXPECT_FALSE(panes[2].camera.perspective);
  EXPECT_EQ(panes[1].camera.pitch, 89.0f);

  relayout_panes(panes, 4, 1201, 333);  // a different layout starts fresh
  ASSERT_EQ(panes.size(), 4u);
  for (const Viewport& v : panes) {
    EXPECT_EQ(v.camera.distance, 5.0f);
    EXPECT_FALSE(v.camera.view_locked);
    EXPECT_TRUE(v.camera.perspective);
  }

  // The start-up pane ("透视") is not a layout-1 pane: it is replaced by a fresh one.
  std::vector<Viewport> start(1);
  start[0].label = "透视";
  start[0].camera.distance = 9.0f;
  relayout_panes(start, 1, 100, 100);
  EXPECT_EQ(start[0].label, "Perspective");
  EXPECT_EQ(start[0].camera.distance, 5.0f);
}

TEST(LayoutHitTest, FirstContainingPaneElseZero) {
  const std::vector<Viewport> panes = layout_panes(4, 1201, 801);  // split at x 600, y 400
  struct Case {
    int x, y, index;
  };
  const Case cases[] = {
      {0, 0, 0},       {599, 399, 0},  {600, 0, 1},     {1200, 399, 1}, {0, 400, 2},
      {599, 800, 2},   {600, 400, 3},  {1200, 800, 3},  {1201, 100, 0},  // right of all
      {100, 801, 0},   {-1, 10, 0},    {10, -1, 0},     {INT_MIN, INT_MIN, 0},
      {INT_MAX, INT_MAX, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(viewport_at(panes, c.x, c.y), c.index) << c.x << "," << c.y;
  }
  EXPECT_EQ(viewport_at({}, 5, 5), 0);

  // With the list strip shown, the panes end at 980: a press in the strip selects pane 0.
  const std::vector<Viewport> narrowed =
      layout_panes(2, layout_area_width(1200, true, 220), 800);
  EXPECT_EQ(viewport_at(narrowed, 979, 10), 1);
  EXPECT_EQ(viewport_at(narrowed, 980, 10), 0);
  EXPECT_EQ(viewport_at(narrowed, 1199, 10), 0);

  // Zero-size panes contain nothing.
  const std::vector<Viewport> tiny = layout_panes(4, 1, 1);
  EXPECT_EQ(viewport_at(tiny, 0, 0), 3);
}

TEST(LayoutHitTest, PanesNearTheIntLimitDoNotOverflow) {
  std::vector<Viewport> panes(2);
  panes[1].x = INT_MAX - 10;
  panes[1].width = 100;  // x + width would overflow in int
  panes[1].height = 10;
  EXPECT_EQ(viewport_at(panes, INT_MAX - 5, 5), 1);
  EXPECT_EQ(viewport_at(panes, 5, 5), 0);
}

TEST(LayoutActive, IndexResolution) {
  struct Case {
    int index;
    size_t count;
    int resolved;
  };
  const Case cases[] = {{0, 1, 0}, {3, 4, 3}, {4, 4, 0}, {3, 1, 0},
                        {-1, 4, 0}, {-7, 2, 0}, {0, 0, -1}, {2, 0, -1}};
  for (const Case& c : cases) {
    EXPECT_EQ(resolve_active_index(c.index, c.count), c.resolved) << c.index << "/" << c.count;
  }
}

}  // namespace
}  // namespace lumeno
