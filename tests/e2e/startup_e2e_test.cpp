// Lumeno.exe under Wine: the private runtime folder, the open dialog, the fallback SDK search.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, whose types it uses.
#include <shellapi.h>

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

// A copy of Lumeno.exe started with a temporary path too long for the runtime folder: the SDK
// is found in `sdk\` beside it (and left there), or the missing-SDK box explains.
TEST(StartupFallbackE2E, FindsTheSdkBesideTheExecutableOrSaysWhyNot) {
  const std::wstring long_temp = L"C:\\" + std::wstring(270, L't');
  const std::wstring temp = wintest::get_env(L"TEMP");
  for (const bool sdk : {true, false}) {
    SCOPED_TRACE(sdk);
    wintest::TempFolder app(L"e2e_fallback");
    ASSERT_TRUE(CopyFileW(e2e::lumeno_exe().c_str(), (app / L"Lumeno.exe").c_str(), FALSE));
    const std::wstring from = wintest::standin_folder("full") + L"\\*" + L'\0',
                       to = app / L"sdk" + L'\0';  // lists of one, ended by a second NUL
    SHFILEOPSTRUCTW copy = {};
    copy.wFunc = FO_COPY, copy.pFrom = from.c_str(), copy.pTo = to.c_str(), copy.fFlags = FOF_NO_UI;
    ASSERT_TRUE(!sdk || SHFileOperationW(&copy) == 0);
    for (const wchar_t* name : {L"TEMP", L"TMP"}) SetEnvironmentVariableW(name, long_temp.c_str());
    e2e::Process lumeno(app / L"Lumeno.exe", L"", app.path());  // the child has its own copy
    for (const wchar_t* name : {L"TEMP", L"TMP"}) SetEnvironmentVariableW(name, temp.c_str());
    HWND window = lumeno.wait_for_window(sdk ? L"TessaryNativeWnd" : L"#32770", 60000,
                                         sdk ? L"Lumeno" : L"Lumeno - SDK 缺失");
    ASSERT_NE(window, nullptr);
    PostMessageW(window, sdk ? WM_CLOSE : WM_COMMAND, sdk ? 0 : IDOK, 0);
    EXPECT_EQ(lumeno.wait(30000), sdk ? 0u : 1u);
    EXPECT_EQ(wintest::file_exists(app / L"sdk\\SketchUpAPI.dll"), sdk);
  }
}

}  // namespace
