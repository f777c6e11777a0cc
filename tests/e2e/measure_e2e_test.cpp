// Measuring on the sample house: T and two clicks on a wall draw the orange line between the
// clicked pixels; A, clicks and Enter fill the outline in translucent blue; Escape leaves the tool.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/e2e/e2e_driver.h"
#include "tests/windows/win_test_util.h"

namespace {

bool brick(const e2e::Screenshot::Rgb& c) { return c.r > 60 && c.r > c.g + 35 && c.r > c.b + 35; }
bool orange(const e2e::Screenshot::Rgb& c) { return c.r > 200 && c.g > 50 && c.g < 140 && c.b < 60; }
bool blue(const e2e::Screenshot::Rgb& c) { return c.b > c.r + 60 && c.b > 120; }

class MeasureE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::wstring house =
        wintest::windows_path(std::string(LUMENO_SAMPLES_DIR) + "/house.skp");
    lumeno_ = std::make_unique<e2e::Process>(e2e::lumeno_exe(), L"\"" + house + L"\"", L"");
    ASSERT_TRUE(lumeno_->started());
    window_ = lumeno_->wait_for_window(L"TessaryNativeWnd", 60000);
    ASSERT_NE(window_, nullptr);
    const DWORD start = GetTickCount();
    while (e2e::window_text(window_).rfind(L"Lumeno — 顶点: ", 0) != 0 &&
           GetTickCount() - start < 30000)
      Sleep(20);
    ASSERT_EQ(e2e::wait_for_title(window_, L"Lumeno", 30000), L"Lumeno");
    RECT client = {};
    GetClientRect(window_, &client);
    w_ = client.right;
    h_ = client.bottom;
  }
  void TearDown() override {
    if (window_ != nullptr) PostMessageW(window_, WM_CLOSE, 0, 0);
    if (lumeno_) {
      EXPECT_EQ(lumeno_->wait(30000), 0u);
    }
  }
  void key(unsigned vk) { PostMessageW(window_, WM_KEYDOWN, vk, 0); }
  void click(POINT p) {
    const LPARAM at = MAKELPARAM(p.x, p.y);
    PostMessageW(window_, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(window_, WM_LBUTTONUP, 0, at);
    Sleep(300);
  }
  // Client points on brick along the row `y`, the first and the last of the wall's run.
  bool wall_row(const e2e::Screenshot& shot, int y, POINT& left, POINT& right) {
    int first = -1, last = -1;
    for (int x = 0; x < w_ - 220; ++x) {
      const POINT s = e2e::client_to_screen(window_, x, y);
      if (!brick(shot.at(s.x, s.y))) continue;
      if (first < 0) first = x;
      last = x;
    }
    if (first < 0 || last - first < 50) return false;
    left = {first + 10, y};
    right = {last - 10, y};
    return true;
  }
  int count(bool (*test)(const e2e::Screenshot::Rgb&), const RECT& r) {
    return e2e::count_client_pixels(window_, e2e::capture_screen(), r.left, r.top, r.right,
                                    r.bottom, test);
  }

  std::unique_ptr<e2e::Process> lumeno_;
  HWND window_ = nullptr;
  int w_ = 0, h_ = 0;
};

TEST_F(MeasureE2E, DistanceLineAreaFillAndEscape) {
  const e2e::Screenshot shot = e2e::capture_screen();
  // The widest run of wall along a row, and a second row 30 pixels below it.
  POINT a{}, b{}, c{};
  int row = -1;
  for (int y = 60; y < h_ - 100; y += 8) {
    POINT l{}, r{}, l2{}, r2{};
    if (wall_row(shot, y, l, r) && wall_row(shot, y + 30, l2, r2) && r.x - l.x > b.x - a.x) {
      a = l, b = r, row = y;
      c = {(l2.x + r2.x) / 2, y + 30};
    }
  }
  ASSERT_GE(row, 0) << "no wall in view";
  const RECT band = {a.x + 15, row - 4, b.x - 15, row + 5};
  EXPECT_EQ(count(orange, band), 0);

  key('T');
  Sleep(200);
  click(a);
  click(b);
  // The line runs between the two clicked pixels.
  const int line = count(orange, band);
  EXPECT_GT(line, (b.x - a.x - 30) / 4);

  key(VK_ESCAPE);
  Sleep(200);
  const RECT whole = {0, 0, w_ - 220, h_};
  const int blue_before = count(blue, whole);
  key('A');
  Sleep(200);
  click(a);
  click(b);
  click(c);
  key(VK_RETURN);
  Sleep(300);
  EXPECT_GT(count(blue, whole), blue_before + 100);

  // Escape leaves the tool: a left drag pans the view again, the line moving with the model.
  key(VK_ESCAPE);
  Sleep(200);
  PostMessageW(window_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(w_ / 2, h_ / 2));
  PostMessageW(window_, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(w_ / 2 + 150, h_ / 2));
  PostMessageW(window_, WM_LBUTTONUP, 0, MAKELPARAM(w_ / 2 + 150, h_ / 2));
  Sleep(500);
  EXPECT_GT(count(orange, whole), 0);  // finished measurements stay on screen
  EXPECT_LT(count(orange, band), line / 2);
}

}  // namespace
