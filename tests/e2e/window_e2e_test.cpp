// Lumeno.exe opening models: the picture, the failure box and the open dialog.
#include <gtest/gtest.h>

#include "tests/e2e/e2e_driver.h"
#include "tests/windows/win_test_util.h"

namespace {

class WindowE2E : public e2e::LumenoTest {
 protected:
  wintest::TempFolder folder_{L"e2e_window"};
};

TEST_F(WindowE2E, CommandLineOpenShowsTheCountsAndDrawsTheModel) {
  // A red floor square away from the origin (where the grid and axes are) fills the middle of
  // the fitted view; the sky above shows the day clear colour.
  const std::wstring model = folder_ / L"红色地板.skp";
  ASSERT_TRUE(wintest::write_file(
      model, R"({"materials":[{"name":"red","color":[230,20,20,255]}],"entities":{"faces":[)"
             R"({"outer":[[300,300,0],[700,300,0],[700,700,0],[300,700,0]],"front":"red"}]}})"));
  ASSERT_NO_FATAL_FAILURE(start(model, false));
  EXPECT_EQ(e2e::window_text(window_), L"Lumeno — 顶点: 6 | 三角形: 2 | 边线: 0 | 纹理: 0");
  Sleep(500);
  const e2e::Screenshot shot = e2e::capture_screen();
  const e2e::Rgb floor = at(shot, w_ / 2, h_ / 2), sky = at(shot, 8, 8);
  EXPECT_TRUE(floor.r > 120 && floor.g < 70 && floor.b < 70) << floor.r << "," << floor.g;
  EXPECT_TRUE(e2e::near_colour(sky, 217, 222, 230, 12)) << sky.r << "," << sky.g << "," << sky.b;
}

TEST_F(WindowE2E, UnreadableFileShowsTheErrorBoxAndTheFailureStaysInTheTitle) {
  const std::wstring model = folder_ / L"broken.skp";
  ASSERT_TRUE(wintest::write_file(model, "this is not a model"));
  lumeno_ = std::make_unique<e2e::Process>(e2e::lumeno_exe(), L"\"" + model + L"\"", L"");
  EXPECT_NE(box_text(L"加载错误"), L"<no box>");
  window_ = lumeno_->wait_for_window(L"TessaryNativeWnd", 60000);
  ASSERT_NE(window_, nullptr);
  Sleep(3500);  // past the time a loaded model's counts would go
  EXPECT_EQ(e2e::window_text(window_), L"Lumeno — 加载失败");
}

TEST_F(WindowE2E, KeyOOpensTheOpenDialogOnSupportedFiles) {
  ASSERT_NO_FATAL_FAILURE(start(L""));
  key('O', 0);
  HWND dialog = lumeno_->wait_for_window(L"#32770", 20000);
  ASSERT_NE(dialog, nullptr) << "no open dialog";
  wchar_t filter[128] = {};
  GetDlgItemTextW(dialog, 0x470, filter, 128);  // the file-type list
  EXPECT_EQ(std::wstring(filter), L"所有支持的文件");
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  Sleep(500);
}

}  // namespace
