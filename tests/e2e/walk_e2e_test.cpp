// Walk mode on the sample house, entered from the front-door scene (eye 300 in before the door,
// looking 6 in down over those 300 in). Walk mode polls the keyboard state, so keys go in as real
// input (SendInput) to the foreground window. The eye's height and place are read from the
// picture: the row where the wooden floor meets the back wall (y = 240 in) in the centre column.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "tests/e2e/e2e_driver.h"
#include "tests/windows/win_test_util.h"

namespace {

constexpr double kHalfFov = 25.0 * 3.14159265358979 / 180.0;  // the scene's 50 degrees
const double kPitch = std::asin(6.0 / 300.06);                // the scene looks down this much
constexpr double kEyeHeight = 1.65 * 39.3701 - 0.25;  // person height above the path's stone
constexpr double kStopY = -12.5;  // the wall radius (0.28 m) before the wall, less part of a step

// The lit floor boards; the brick of the back wall is redder and brighter.
bool wood(const e2e::Rgb& c) {
  return c.r >= 45 && c.r <= 115 && c.g * 20 >= c.r * 7 && c.g * 10 <= c.r * 7 && c.b + 10 < c.g;
}

void send_key(WORD vk, bool down) {
  INPUT in = {};
  in.type = INPUT_KEYBOARD, in.ki.wVk = vk, in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  SendInput(1, &in, sizeof in);
}

class WalkE2E : public e2e::LumenoTest {
 protected:
  // Client row of the first wooden pixel below the centre in the centre column (h_ when none).
  int floor_row(const e2e::Screenshot& shot) const {
    int y = h_ / 2;
    while (y < h_ && !wood(at(shot, w_ / 2, y))) ++y;
    return y;
  }
  // The eye's height above the floor, for an eye at `eye_y`, from the floor's top row.
  double eye_height(int row, double eye_y) const {
    const double below_axis = std::atan((row + 0.5 - h_ / 2.0) / (h_ / 2.0) * std::tan(kHalfFov));
    return (240.0 - eye_y) * std::tan(below_axis + kPitch);
  }
};

TEST_F(WalkE2E, CollisionStopsAtTheFrontWallAtEyeHeightAndEscapeLeaves) {
  ASSERT_TRUE(wintest::write_file(e2e::settings_file(), "[Walk]\r\nSpeed=3.00\r\nMode=2\r\n"));
  ASSERT_NO_FATAL_FAILURE(start(e2e::sample_house()));
  command(1101, 0);
  SetForegroundWindow(window_);
  Sleep(300);
  ASSERT_EQ(GetForegroundWindow(), window_);
  command(1434, 700);

  // A held W walks to the wall (0.8 m away) at eye height; soon 500 ms more change nothing.
  const RECT above_centre = {0, h_ / 2 - 60, w_ - 220, h_ / 2};  // no toast there
  send_key('W', true);
  Sleep(1200);
  e2e::Screenshot stopped = e2e::capture_screen(), later;
  EXPECT_TRUE(wintest::wait_until(
      [&] {
        return Sleep(500), changed(std::exchange(stopped, later = e2e::capture_screen()), later,
                                   above_centre) < 80;
      },
      5000));
  send_key('W', false);
  EXPECT_NEAR(eye_height(floor_row(stopped), kStopY), kEyeHeight, 3.0);

  // Three wheel notches up, then Esc: the speed is stored, and D no longer moves.
  POINT p = {w_ / 2, h_ / 2};
  ClientToScreen(window_, &p);
  for (int i = 0; i < 3; ++i)
    PostMessageW(window_, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(p.x, p.y));
  Sleep(200);
  for (WORD vk : {WORD(VK_ESCAPE), WORD('D')}) {
    send_key(vk, true);
    Sleep(vk == VK_ESCAPE ? 50 : 500);
    send_key(vk, false);
    Sleep(150);
  }
  std::string ini = wintest::read_file(e2e::settings_file());
  ini.erase(std::remove(ini.begin(), ini.end(), '\0'), ini.end());  // UTF-16 or not
  EXPECT_NE(ini.find("Speed=3.30"), std::string::npos) << ini;
  EXPECT_LT(changed(stopped, e2e::capture_screen(), above_centre), 80);
}

}  // namespace
