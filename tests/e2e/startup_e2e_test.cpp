// Lumeno.exe under Wine: the private runtime folder, or the fallback search for the SDK.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, whose types it uses.
#include <shellapi.h>

#include "tests/e2e/e2e_driver.h"
#include "tests/windows/win_test_util.h"

namespace {

TEST(StartupE2E, RunsFromAPrivateRuntimeFolderAndRemovesItOnClose) {
  e2e::Process lumeno(e2e::lumeno_exe(), L"", L"");
  HWND window = lumeno.wait_for_window(L"TessaryNativeWnd", 60000);
  ASSERT_NE(window, nullptr) << "no main window";
  EXPECT_TRUE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring runtime = temp + (L"Lumeno_" + std::to_wstring(lumeno.id()));
  EXPECT_EQ(wintest::read_file(runtime + L"\\SketchUpAPI.dll"),
            wintest::read_file(wintest::standin_folder("full") + L"\\SketchUpAPI.dll"));
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(lumeno.wait(30000), 0u);
  EXPECT_FALSE(wintest::folder_exists(runtime));
}

// Lumeno.exe copied into a folder of its own and started with a temporary path too long for
// the runtime folder, so the fallback search decides: the SDK in `sdk\`, beside the executable
// or nowhere.
TEST(StartupE2E, FallbackSearchFindsTheSdkOrSaysWhyNot) {
  struct Case {
    const char* standin;  // null: no SDK
    const wchar_t* subfolder;
    const wchar_t* window_class;
    const wchar_t* title;
  } cases[] = {{"no_SUModelGetEntities", L"\\sdk", L"#32770", L"SDK 函数加载诊断"},
               {nullptr, L"", L"#32770", L"Lumeno - SDK 缺失"},
               {"full", L"", L"TessaryNativeWnd", L"Lumeno"}};
  const std::wstring long_temp = L"C:\\" + std::wstring(270, L't');
  const std::wstring temp = wintest::get_env(L"TEMP");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    wintest::TempFolder root(L"e2e_fallback");
    const std::wstring app = root / L"app";
    CreateDirectoryW(app.c_str(), nullptr);
    ASSERT_TRUE(CopyFileW(e2e::lumeno_exe().c_str(), (app + L"\\Lumeno.exe").c_str(), FALSE));
    const std::wstring from = wintest::standin_folder(c.standin ? c.standin : "") + L"\\*" + L'\0',
                       to = app + c.subfolder + L'\0';  // lists of one, ended by a second NUL
    SHFILEOPSTRUCTW copy = {};
    copy.wFunc = FO_COPY, copy.pFrom = from.c_str(), copy.pTo = to.c_str(), copy.fFlags = FOF_NO_UI;
    ASSERT_TRUE(!c.standin || SHFileOperationW(&copy) == 0);
    for (const wchar_t* name : {L"TEMP", L"TMP"}) SetEnvironmentVariableW(name, long_temp.c_str());
    e2e::Process lumeno(app + L"\\Lumeno.exe", L"", app);  // the child has its own copy
    for (const wchar_t* name : {L"TEMP", L"TMP"}) SetEnvironmentVariableW(name, temp.c_str());
    HWND window = lumeno.wait_for_window(c.window_class, 60000, c.title);
    ASSERT_NE(window, nullptr);
    const bool box = c.window_class[0] == L'#';
    PostMessageW(window, box ? WM_COMMAND : WM_CLOSE, box ? IDOK : 0, 0);
    EXPECT_EQ(lumeno.wait(30000), box ? 1u : 0u);
    // The SDK's own files beside the executable are not a runtime folder: they stay.
    if (!box) {
      EXPECT_TRUE(wintest::file_exists(app + c.subfolder + L"\\SketchUpAPI.dll"));
    }
  }
}

}  // namespace
