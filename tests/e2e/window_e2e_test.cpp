// Lumeno.exe opening models: the title while and after loading, the picture, the failure box.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/e2e_driver.h"
#include "tests/windows/win_test_util.h"

namespace {

constexpr DWORD kStartTimeout = 60000;

// A red floor square seen from the default fitted camera fills the middle of the pane; the sky
// above it shows the day clear colour. It lies away from the origin, where the grid and the axes
// are drawn.
const char kRedFloor[] =
    R"({"materials":[{"name":"red","color":[230,20,20,255]}],
        "entities":{"faces":[{"outer":[[300,300,0],[700,300,0],[700,700,0],[300,700,0]],
                              "front":"red"}]}})";

class WindowE2E : public ::testing::Test {
 protected:
  WindowE2E() : folder_(L"e2e_window") {}
  std::wstring write_model(const wchar_t* name, const std::string& content) {
    const std::wstring path = folder_ / name;
    EXPECT_TRUE(wintest::write_file(path, content));
    return path;
  }
  wintest::TempFolder folder_;
};

TEST_F(WindowE2E, CommandLineOpenShowsTheCountsThenTheBareTitleAndDrawsTheModel) {
  const std::wstring model = write_model(L"红色地板.skp", kRedFloor);
  e2e::Process lumeno(e2e::lumeno_exe(), L"\"" + model + L"\"", L"");
  ASSERT_TRUE(lumeno.started());
  HWND window = lumeno.wait_for_window(L"TessaryNativeWnd", kStartTimeout);
  ASSERT_NE(window, nullptr);

  const std::wstring counts = L"Lumeno — 顶点: 6 | 三角形: 2 | 边线: 0 | 纹理: 0";
  EXPECT_EQ(e2e::wait_for_title(window, counts, 20000), counts);
  const DWORD counts_seen = GetTickCount();

  // The picture: the floor in the middle of the pane, the clear colour in the top-left corner.
  Sleep(500);
  const e2e::Screenshot shot = e2e::capture_screen();
  ASSERT_TRUE(shot.valid()) << "no screenshot";
  RECT client = {};
  GetClientRect(window, &client);
  const POINT middle = e2e::client_to_screen(window, client.right / 2, client.bottom / 2);
  const POINT corner = e2e::client_to_screen(window, 8, 8);
  const auto floor = shot.at(middle.x, middle.y);
  EXPECT_GT(floor.r, 120) << floor.r << "," << floor.g << "," << floor.b;
  EXPECT_LT(floor.g, 70);
  EXPECT_LT(floor.b, 70);
  const auto sky = shot.at(corner.x, corner.y);
  EXPECT_TRUE(e2e::near_colour(sky, 217, 222, 230, 12)) << sky.r << "," << sky.g << "," << sky.b;

  // About three seconds after the load the title is bare again.
  EXPECT_EQ(e2e::wait_for_title(window, L"Lumeno", 15000), L"Lumeno");
  EXPECT_LT(GetTickCount() - counts_seen, 15000u);

  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(lumeno.wait(30000), 0u);
}

TEST_F(WindowE2E, UnreadableFileShowsTheErrorBoxAndTheFailureStaysInTheTitle) {
  const std::wstring model = write_model(L"broken.skp", "this is not a model");
  e2e::Process lumeno(e2e::lumeno_exe(), L"\"" + model + L"\"", L"");
  ASSERT_TRUE(lumeno.started());
  HWND box = lumeno.wait_for_window(L"#32770", kStartTimeout);
  ASSERT_NE(box, nullptr) << "no error box";
  EXPECT_EQ(e2e::window_text(box), L"加载错误");
  EXPECT_EQ(e2e::message_box_text(box), L"无法打开模型文件。\n请确认文件格式正确且 SDK DLL 已就位。");
  HWND window = lumeno.wait_for_window(L"TessaryNativeWnd", kStartTimeout);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(e2e::window_text(window), L"Lumeno — 加载失败");
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  Sleep(3500);
  EXPECT_EQ(e2e::window_text(window), L"Lumeno — 加载失败");
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(lumeno.wait(30000), 0u);
}

TEST_F(WindowE2E, KeyOOpensTheOpenDialogOnSupportedFiles) {
  e2e::Process lumeno(e2e::lumeno_exe(), L"", L"");
  ASSERT_TRUE(lumeno.started());
  HWND window = lumeno.wait_for_window(L"TessaryNativeWnd", kStartTimeout);
  ASSERT_NE(window, nullptr);
  PostMessageW(window, WM_KEYDOWN, 'O', 0);
  HWND dialog = lumeno.wait_for_window(L"#32770", 20000);
  ASSERT_NE(dialog, nullptr) << "no open dialog";
  // The file-type list (control cmb1) starts on the third entry.
  wchar_t filter[128] = {};
  GetDlgItemTextW(dialog, 0x470, filter, 128);
  EXPECT_EQ(std::wstring(filter), L"所有支持的文件");
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  Sleep(500);
  EXPECT_EQ(e2e::window_text(window), L"Lumeno");
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(lumeno.wait(30000), 0u);
}

}  // namespace
