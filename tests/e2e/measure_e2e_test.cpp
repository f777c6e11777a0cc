// Measuring on the sample house: T and two clicks on a wall draw the orange line between the
// clicked pixels; A, clicks and Enter fill the outline in translucent blue; Esc leaves the tool.
#include <gtest/gtest.h>

#include "tests/e2e/e2e_driver.h"

namespace {

bool brick(const e2e::Rgb& c) { return c.r > 60 && c.r > c.g + 35 && c.r > c.b + 35; }
bool orange(const e2e::Rgb& c) { return c.r > 200 && c.g > 50 && c.g < 140 && c.b < 60; }
bool blue(const e2e::Rgb& c) { return c.b > c.r + 60 && c.b > 120; }

class MeasureE2E : public e2e::LumenoTest {
 protected:
  void click(POINT p) {
    PostMessageW(window_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    PostMessageW(window_, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    Sleep(300);
  }
  // The first and the last brick pixel along row `y`, 10 pixels inside (x -1 without a wall).
  std::pair<POINT, POINT> wall_row(const e2e::Screenshot& shot, int y) const {
    int first = -1, last = -1;
    for (int x = 0; x < w_ - 220; ++x)
      if (brick(at(shot, x, y))) last = x, first = first < 0 ? x : first;
    if (first < 0 || last - first < 50) return {{-1, y}, {-1, y}};
    return {{first + 10, y}, {last - 10, y}};
  }
};

TEST_F(MeasureE2E, DistanceLineAreaFillAndEscape) {
  ASSERT_NO_FATAL_FAILURE(start(e2e::sample_house()));
  const e2e::Screenshot shot = e2e::capture_screen();
  // The widest run of wall along a row with wall 30 pixels below it too (the third point).
  POINT a{}, b{}, c{};
  for (int y = 60; y < h_ - 100; y += 8) {
    const auto [l, r] = wall_row(shot, y);
    const auto [l2, r2] = wall_row(shot, y + 30);
    if (l.x >= 0 && l2.x >= 0 && r.x - l.x > b.x - a.x)
      a = l, b = r, c = {(l2.x + r2.x) / 2, y + 30};
  }
  ASSERT_GT(b.x, a.x) << "no wall in view";
  const RECT band = {a.x + 15, a.y - 4, b.x - 15, a.y + 5};

  key('T', 200);
  click(a);
  click(b);
  const int line = count(e2e::capture_screen(), orange, band);
  EXPECT_GT(line, (b.x - a.x - 30) / 4);

  key(VK_ESCAPE, 200);
  const int blue_before = count(e2e::capture_screen(), blue);
  key('A', 200);
  for (POINT p : {a, b, c}) click(p);
  key(VK_RETURN, 300);
  EXPECT_GT(count(e2e::capture_screen(), blue), blue_before + 100);

  // Escape leaves the tool: a left drag pans the view again, the line moving with the model.
  key(VK_ESCAPE, 200);
  PostMessageW(window_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(w_ / 2, h_ / 2));
  PostMessageW(window_, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(w_ / 2 + 150, h_ / 2));
  PostMessageW(window_, WM_LBUTTONUP, 0, MAKELPARAM(w_ / 2 + 150, h_ / 2));
  Sleep(500);
  const e2e::Screenshot panned = e2e::capture_screen();
  EXPECT_GT(count(panned, orange), 0);  // finished measurements stay on screen
  EXPECT_LT(count(panned, orange, band), line / 2);
}

}  // namespace
