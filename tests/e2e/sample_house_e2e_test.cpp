// The sample house in one pane and in four: the clear colour, the brick walls and the textured
// grass where the default fitted cameras must show them; a right drag orbits the active pane.
#include <gtest/gtest.h>

#include "tests/e2e/e2e_driver.h"

namespace {

bool grass(const e2e::Rgb& c) { return c.g > c.r + 20 && c.g > c.b + 10 && c.g > 40; }
bool brick(const e2e::Rgb& c) { return c.r > 60 && c.r > c.g + 35 && c.r > c.b + 35; }

class SampleHouseE2E : public e2e::LumenoTest {};

TEST_F(SampleHouseE2E, OneAndFourPanesAndARightDragOrbits) {
  ASSERT_NO_FATAL_FAILURE(start(e2e::sample_house()));
  const auto one = e2e::capture_screen();
  EXPECT_TRUE(e2e::near_colour(at(one, 6, 6), 217, 222, 230, 12));
  EXPECT_GT(count(one, grass), 5000);
  EXPECT_GT(count(one, brick), 1000);

  key('4', 800);
  const auto four = e2e::capture_screen();
  const LONG w = w_, h = h_;
  const RECT panes[] = {
      {0, 0, w / 2, h / 2}, {w / 2, 0, w - 220, h / 2}, {0, h / 2, w / 2, h}, {w / 2, h / 2, w, h}};
  for (const RECT& pane : panes)
    EXPECT_GT(count(four, grass, pane), 200) << pane.left << "," << pane.top;

  PostMessageW(window_, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(w / 4, h / 4));
  for (int step = 1; step <= 4; ++step)
    PostMessageW(window_, WM_MOUSEMOVE, MK_RBUTTON,
                 MAKELPARAM(w / 4 + 30 * step, h / 4 + 8 * step));
  PostMessageW(window_, WM_RBUTTONUP, 0, MAKELPARAM(w / 4 + 120, h / 4 + 32));
  Sleep(1500);  // a loaded machine may take a while to draw the last of the drag
  EXPECT_GT(changed(four, e2e::capture_screen(), panes[0]), 500);
}

}  // namespace
