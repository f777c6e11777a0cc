// Lumeno.exe under Wine: the private runtime folder, file drops, the open dialog.
#include <gtest/gtest.h>

#include "tests/e2e/e2e_driver.h"
#include "tests/windows/win_test_util.h"

namespace {

class StartupE2E : public e2e::LumenoTest {};

TEST_F(StartupE2E, RuntimeFolderAcceptsDropsOpensTheDialogAndGoesOnClose) {
  ASSERT_NO_FATAL_FAILURE(start(L""));
  EXPECT_TRUE(GetWindowLongPtrW(window_, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring runtime = temp + (L"Lumeno_" + std::to_wstring(lumeno_->id()));
  EXPECT_EQ(wintest::read_file(runtime + L"\\SketchUpAPI.dll"),
            wintest::read_file(wintest::standin_folder("full") + L"\\SketchUpAPI.dll"));
  key('O', 0);
  HWND dialog = lumeno_->wait_for_window(L"#32770", 20000);
  ASSERT_NE(dialog, nullptr) << "no open dialog";
  wchar_t filter[128] = {};
  GetDlgItemTextW(dialog, 0x470, filter, 128);  // the file-type list
  EXPECT_STREQ(filter, L"所有支持的文件");
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  Sleep(500);
  close();
  EXPECT_FALSE(wintest::folder_exists(runtime));
}

}  // namespace
