// Walk mode on the sample house, entered from the front-door scene (eye 300 in before the door,
// looking 6 in down over those 300 in). Walk mode polls the keyboard state, so keys go in as real
// input (SendInput) to the foreground window. The eye's height and place are read from the
// picture: the row where the wooden floor meets the back wall (y = 240 in) in the centre column.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

#include "tests/e2e/e2e_driver.h"
#include "tests/windows/win_test_util.h"

namespace {

constexpr double kPi = 3.14159265358979;
constexpr double kHalfFov = 25.0 * kPi / 180.0;       // the scene's 50 degrees
const double kPitch = std::asin(6.0 / 300.06);        // the scene looks down this much
constexpr double kEyeHeight = 1.65 * 39.3701 - 0.25;  // person height above the path's stone
constexpr double kBackWallY = 240.0;
constexpr double kEntryY = -43.9;  // 3 % of the model's diagonal before the door
constexpr double kStopY = -12.5;   // the wall radius (0.28 m) before the wall, less part of a step

// The lit floor boards; the brick of the back wall is redder and brighter.
bool wood(const e2e::Screenshot::Rgb& c) {
  return c.r >= 45 && c.r <= 115 && c.g * 20 >= c.r * 7 && c.g * 10 <= c.r * 7 && c.b + 10 < c.g;
}

class WalkE2E : public ::testing::Test {
 protected:
  // Starts on the house with a settings file of walking speed 3 and walk mode `mode`, shows
  // the front-door scene and enters walk mode.
  void start(int mode) {
    const std::wstring exe = e2e::lumeno_exe();
    ini_ = exe.substr(0, exe.find_last_of(L"\\/")) + L"\\Tessary.ini";
    had_ini_ = wintest::file_exists(ini_);
    if (had_ini_) saved_ini_ = wintest::read_file(ini_);
    ASSERT_TRUE(
        wintest::write_file(ini_, "[Walk]\r\nSpeed=3.00\r\nMode=" + std::to_string(mode) + "\r\n"));
    const std::wstring house =
        wintest::windows_path(std::string(LUMENO_SAMPLES_DIR) + "/house.skp");
    lumeno_ = std::make_unique<e2e::Process>(e2e::lumeno_exe(), L"\"" + house + L"\"", L"");
    ASSERT_TRUE(lumeno_->started());
    window_ = lumeno_->wait_for_window(L"TessaryNativeWnd", 60000);
    ASSERT_NE(window_, nullptr);
    const DWORD begin = GetTickCount();
    while (e2e::window_text(window_).rfind(L"Lumeno — 顶点: ", 0) != 0 &&
           GetTickCount() - begin < 30000)
      Sleep(20);
    ASSERT_EQ(e2e::wait_for_title(window_, L"Lumeno", 30000), L"Lumeno");  // loaded
    RECT client = {};
    GetClientRect(window_, &client);
    w_ = client.right;
    h_ = client.bottom;
    PostMessageW(window_, WM_COMMAND, 1101, 0);  // the scene "正门"
    SetForegroundWindow(window_);
    Sleep(300);
    ASSERT_EQ(GetForegroundWindow(), window_);
    PostMessageW(window_, WM_COMMAND, 1434, 0);  // "行走"
    Sleep(700);
  }
  void TearDown() override {
    if (window_ != nullptr && IsWindow(window_)) PostMessageW(window_, WM_CLOSE, 0, 0);
    if (lumeno_) lumeno_->wait(30000);
    if (ini_.empty()) return;
    if (had_ini_) {
      wintest::write_file(ini_, saved_ini_);
    } else {
      DeleteFileW(ini_.c_str());
    }
  }
  static void key(WORD vk, bool down) {
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &in, sizeof in);
  }
  static void hold(WORD vk, DWORD ms) {
    key(vk, true);
    Sleep(ms);
    key(vk, false);
    Sleep(150);
  }
  void wheel(int notches) {
    const POINT p = e2e::client_to_screen(window_, w_ / 2, h_ / 2);
    for (int i = 0; i < std::abs(notches); ++i)
      PostMessageW(window_, WM_MOUSEWHEEL, MAKEWPARAM(0, notches > 0 ? WHEEL_DELTA : -WHEEL_DELTA),
                   MAKELPARAM(p.x, p.y));
    Sleep(200);
  }
  // Client row of the first wooden pixel below the centre in the centre column (h_ when none).
  int floor_row(const e2e::Screenshot& shot) const {
    for (int y = h_ / 2; y < h_; ++y) {
      const POINT p = e2e::client_to_screen(window_, w_ / 2, y);
      if (wood(shot.at(p.x, p.y))) return y;
    }
    return h_;
  }
  // The eye's height above the floor, for an eye at `eye_y`, from the floor's top row.
  double eye_height(int row, double eye_y) const {
    const double below_axis = std::atan((row + 0.5 - h_ / 2.0) / (h_ / 2.0) * std::tan(kHalfFov));
    return (kBackWallY - eye_y) * std::tan(below_axis + kPitch);
  }
  // The row at which the floor meets the back wall for an eye `eye_y` at eye height.
  double expected_row(double eye_y) const {
    const double below = std::atan(kEyeHeight / (kBackWallY - eye_y)) - kPitch;
    return h_ / 2.0 + std::tan(below) / std::tan(kHalfFov) * (h_ / 2.0) - 0.5;
  }
  // Sampled pixels of the band above the centre (no toast there) that differ between two
  // pictures by more than a small tolerance.
  int changed(const e2e::Screenshot& one, const e2e::Screenshot& two) const {
    int n = 0;
    for (int y = h_ / 2 - 60; y < h_ / 2; y += 4)
      for (int x = 0; x < w_; x += 4) {
        const POINT p = e2e::client_to_screen(window_, x, y);
        const e2e::Screenshot::Rgb c = two.at(p.x, p.y);
        if (!e2e::near_colour(one.at(p.x, p.y), c.r, c.g, c.b, 24)) ++n;
      }
    return n;
  }
  std::string ini_text() const {
    std::string text = wintest::read_file(ini_);
    text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());  // UTF-16 or not
    return text;
  }

  std::unique_ptr<e2e::Process> lumeno_;
  HWND window_ = nullptr;
  int w_ = 0, h_ = 0;
  std::wstring ini_;
  bool had_ini_ = false;
  std::string saved_ini_;
};

TEST_F(WalkE2E, CollisionStopsAtTheFrontWallAtEyeHeightAndEscapeLeaves) {
  ASSERT_NO_FATAL_FAILURE(start(2));
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
  wheel(3);
  hold(VK_ESCAPE, 50);
  EXPECT_NE(ini_text().find("Speed=3.30"), std::string::npos) << ini_text();
  hold('D', 500);
  const e2e::Screenshot after = e2e::capture_screen();
  EXPECT_LT(changed(stopped, after), 20);
  PostMessageW(window_, WM_CLOSE, 0, 0);
  EXPECT_EQ(lumeno_->wait(30000), 0u);
}

TEST_F(WalkE2E, GroundFollowPassesTheWallAndClosingStoresTheWheelSpeed) {
  ASSERT_NO_FATAL_FAILURE(start(1));
  // Without collision the same walk goes through the front wall: the floor meets the back wall
  // lower in the picture than it does for an eye 7.5 in past the wall (or not at all).
  hold('W', 700);
  EXPECT_GT(floor_row(e2e::capture_screen()), expected_row(kStopY + 20.0));
  // Two notches down while walking, then the window closes: the settings file has the speed.
  wheel(-2);
  PostMessageW(window_, WM_CLOSE, 0, 0);
  EXPECT_EQ(lumeno_->wait(30000), 0u);
  const std::string ini = ini_text();
  EXPECT_NE(ini.find("Speed=2.80"), std::string::npos) << ini;
  EXPECT_NE(ini.find("Mode=1"), std::string::npos) << ini;
}

}  // namespace
