// Walk mode on the sample house, entered from the front-door scene (eye 300 in before the door,
// looking 6 in down over those 300 in). Walk mode polls the keyboard state, so keys go in as real
// input (SendInput) to the foreground window. The eye's height and place are read from the
// picture: the row where the wooden floor meets the back wall (y = 240 in) in the centre column.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "tests/e2e/e2e_driver.h"
#include "tests/windows/win_test_util.h"

namespace {

constexpr double kHalfFov = 25.0 * 3.14159265358979 / 180.0;  // the scene's 50 degrees
const double kPitch = std::asin(6.0 / 300.06);                // the scene looks down this much
constexpr double kEyeHeight = 1.65 * 39.3701 - 0.25;  // person height above the path's stone
constexpr double kBackWallY = 240.0;
constexpr double kEntryY = -43.9;  // 3 % of the model's diagonal before the door
constexpr double kStopY = -12.5;   // the wall radius (0.28 m) before the wall, less part of a step

// The lit floor boards; the brick of the back wall is redder and brighter.
bool wood(const e2e::Rgb& c) {
  return c.r >= 45 && c.r <= 115 && c.g * 20 >= c.r * 7 && c.g * 10 <= c.r * 7 && c.b + 10 < c.g;
}

class WalkE2E : public e2e::LumenoTest {
 protected:
  // Starts on the house with walking speed 3 in Collision mode, shows the front-door scene and
  // enters walk mode.
  void start_walk() {
    ASSERT_TRUE(wintest::write_file(e2e::settings_file(), "[Walk]\r\nSpeed=3.00\r\nMode=2\r\n"));
    ASSERT_NO_FATAL_FAILURE(start(e2e::sample_house()));
    command(1101, 0);  // the scene "正门"
    SetForegroundWindow(window_);
    Sleep(300);
    ASSERT_EQ(GetForegroundWindow(), window_);
    command(1434, 700);  // "行走"
  }
  static void key(WORD vk, bool down) {
    INPUT in = {};
    in.type = INPUT_KEYBOARD, in.ki.wVk = vk, in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    SendInput(1, &in, sizeof in);
  }
  static void hold(WORD vk, DWORD ms) {
    key(vk, true);
    Sleep(ms);
    key(vk, false);
    Sleep(150);
  }
  // Client row of the first wooden pixel below the centre in the centre column (h_ when none).
  int floor_row(const e2e::Screenshot& shot) const {
    for (int y = h_ / 2; y < h_; ++y) {
      if (wood(at(shot, w_ / 2, y))) return y;
    }
    return h_;
  }
  // The eye's height above the floor, for an eye at `eye_y`, from the floor's top row.
  double eye_height(int row, double eye_y) const {
    const double below_axis = std::atan((row + 0.5 - h_ / 2.0) / (h_ / 2.0) * std::tan(kHalfFov));
    return (kBackWallY - eye_y) * std::tan(below_axis + kPitch);
  }
  // Sampled pixels of the band above the centre (no toast there) that differ between two
  // pictures by more than a small tolerance.
  int changed(const e2e::Screenshot& one, const e2e::Screenshot& two) const {
    int n = 0;
    for (int y = h_ / 2 - 60; y < h_ / 2; y += 4)
      for (int x = 0; x < w_; x += 4) {
        const e2e::Rgb c = at(two, x, y);
        n += !e2e::near_colour(at(one, x, y), c.r, c.g, c.b, 24);
      }
    return n;
  }
};

TEST_F(WalkE2E, CollisionStopsAtTheFrontWallAtEyeHeightAndEscapeLeaves) {
  ASSERT_NO_FATAL_FAILURE(start_walk());
  // Entered 44 in before the door, the eye settled onto the path's stone at person height.
  const e2e::Screenshot entry = e2e::capture_screen();
  EXPECT_NEAR(eye_height(floor_row(entry), kEntryY), kEyeHeight, 3.0);

  // A held W walks to the wall and no further: the eye keeps its height, and half a second
  // more of W changes nothing.
  key('W', true);
  Sleep(700);
  const e2e::Screenshot stopped = e2e::capture_screen();
  Sleep(500);
  const e2e::Screenshot later = e2e::capture_screen();
  key('W', false);
  const int row = floor_row(stopped);
  EXPECT_NEAR(eye_height(row, kStopY), kEyeHeight, 3.0);
  EXPECT_EQ(floor_row(later), row);
  EXPECT_LT(changed(stopped, later), 20);

  // Three wheel notches up, then Esc: walk mode stores the speed, and D no longer moves.
  POINT p = {w_ / 2, h_ / 2};
  ClientToScreen(window_, &p);
  for (int i = 0; i < 3; ++i) {
    PostMessageW(window_, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(p.x, p.y));
  }
  Sleep(200);
  hold(VK_ESCAPE, 50);
  std::string ini = wintest::read_file(e2e::settings_file());
  ini.erase(std::remove(ini.begin(), ini.end(), '\0'), ini.end());  // UTF-16 or not
  EXPECT_NE(ini.find("Speed=3.30"), std::string::npos) << ini;
  hold('D', 500);
  EXPECT_LT(changed(stopped, e2e::capture_screen()), 20);
}

}  // namespace
