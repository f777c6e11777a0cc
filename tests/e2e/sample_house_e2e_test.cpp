// The sample house in one pane and in four: the clear colour, the brick walls and the textured
// grass where the default fitted cameras must show them.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/e2e_driver.h"
#include "tests/windows/win_test_util.h"

namespace {

bool grass(const e2e::Screenshot::Rgb& c) { return c.g > c.r + 20 && c.g > c.b + 10 && c.g > 40; }
bool brick(const e2e::Screenshot::Rgb& c) { return c.r > 60 && c.r > c.g + 35 && c.r > c.b + 35; }

TEST(SampleHouseE2E, OneAndFourPanes) {
  const std::wstring house = wintest::windows_path(std::string(LUMENO_SAMPLES_DIR) + "/house.skp");
  e2e::Process lumeno(e2e::lumeno_exe(), L"\"" + house + L"\"", L"");
  ASSERT_TRUE(lumeno.started());
  HWND window = lumeno.wait_for_window(L"TessaryNativeWnd", 60000);
  ASSERT_NE(window, nullptr);
  // Loaded: the counts appear in the title, then go again.
  const DWORD start = GetTickCount();
  while (e2e::window_text(window).rfind(L"Lumeno — 顶点: ", 0) != 0 && GetTickCount() - start < 30000) {
    Sleep(20);
  }
  ASSERT_EQ(e2e::window_text(window).rfind(L"Lumeno — 顶点: ", 0), 0u);
  ASSERT_EQ(e2e::wait_for_title(window, L"Lumeno", 30000), L"Lumeno");
  RECT client = {};
  GetClientRect(window, &client);
  const int w = client.right, h = client.bottom;

  const auto one = e2e::capture_screen();
  const POINT corner = e2e::client_to_screen(window, 6, 6);
  EXPECT_TRUE(e2e::near_colour(one.at(corner.x, corner.y), 217, 222, 230, 12));
  EXPECT_GT(e2e::count_client_pixels(window, one, 0, 0, w - 200, h, grass), 5000);
  EXPECT_GT(e2e::count_client_pixels(window, one, 0, 0, w - 200, h, brick), 1000);

  PostMessageW(window, WM_KEYDOWN, '4', 0);
  Sleep(800);
  const auto four = e2e::capture_screen();
  const int panes[4][4] = {{0, 0, w / 2, h / 2},
                           {w / 2, 0, w - 200, h / 2},
                           {0, h / 2, w / 2, h},
                           {w / 2, h / 2, w, h}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_GT(e2e::count_client_pixels(window, four, panes[i][0], panes[i][1], panes[i][2], panes[i][3], grass), 200)
        << "pane " << i;
  }
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(lumeno.wait(30000), 0u);
}

}  // namespace
