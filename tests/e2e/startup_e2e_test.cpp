// Lumeno.exe under Wine: provisioning the runtime folder, the window, shutdown and the start-up
// failures a user can meet.
#include <gtest/gtest.h>

#include "tests/e2e/e2e_driver.h"
#include "tests/windows/win_test_util.h"

namespace {

constexpr DWORD kStartTimeout = 60000;

std::wstring temp_path() {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  return temp;
}

TEST(StartupE2E, RunsFromAPrivateRuntimeFolderAndRemovesItOnClose) {
  e2e::Process lumeno(e2e::lumeno_exe(), L"", L"");
  ASSERT_TRUE(lumeno.started());
  HWND window = lumeno.wait_for_window(L"TessaryNativeWnd", kStartTimeout);
  ASSERT_NE(window, nullptr) << "no main window";
  EXPECT_EQ(e2e::window_text(window), L"Lumeno");
  EXPECT_TRUE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  RECT frame = {};
  GetWindowRect(window, &frame);
  EXPECT_EQ(frame.right - frame.left, 1200);
  EXPECT_EQ(frame.bottom - frame.top, 800);

  const std::wstring runtime = temp_path() + L"Lumeno_" + std::to_wstring(lumeno.id());
  for (const wchar_t* dll :
       {L"SketchUpAPI.dll", L"SketchUpCommonPreferences.dll", L"assimp-vc143-mt.dll"}) {
    EXPECT_TRUE(wintest::file_exists(runtime + L"\\" + dll)) << dll;
  }
  EXPECT_EQ(wintest::read_file(runtime + L"\\SketchUpAPI.dll"),
            wintest::read_file(wintest::standin_folder("full") + L"\\SketchUpAPI.dll"));

  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(lumeno.wait(30000), 0u);
  EXPECT_FALSE(wintest::folder_exists(runtime));
}

// Lumeno.exe copied into a folder of its own, started there with a temporary path too long to
// hold the runtime folder, so the fallback search decides.
class FallbackE2E : public ::testing::Test {
 protected:
  FallbackE2E() : root_(L"e2e_fallback") {}
  void SetUp() override {
    app_ = root_ / L"app";
    CreateDirectoryW(app_.c_str(), nullptr);
    ASSERT_TRUE(wintest::copy_file(e2e::lumeno_exe(), app_ + L"\\Lumeno.exe"));
  }
  std::map<std::wstring, std::wstring> long_temp() const {
    const std::wstring dir = L"C:\\" + std::wstring(270, L't');
    return {{L"TEMP", dir}, {L"TMP", dir}};
  }
  wintest::TempFolder root_;
  std::wstring app_;
};

TEST_F(FallbackE2E, DllLackingARequiredEntryInTheSdkSubfolderShowsTheDiagnostic) {
  ASSERT_TRUE(wintest::copy_folder_files(wintest::standin_folder("no_SUModelGetEntities"),
                                         app_ + L"\\sdk"));
  e2e::Process lumeno(app_ + L"\\Lumeno.exe", L"", app_, long_temp());
  ASSERT_TRUE(lumeno.started());
  HWND box = lumeno.wait_for_window(L"#32770", kStartTimeout);
  ASSERT_NE(box, nullptr) << "no diagnostic box";
  EXPECT_EQ(e2e::window_text(box), L"SDK 函数加载诊断");
  EXPECT_EQ(e2e::message_box_text(box),
            L"SDK DLL 已加载，但关键函数未找到。\n\nSUInitialize: OK\n"
            L"SUModelCreateFromFile: OK\nSUModelGetEntities: MISSING");
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(lumeno.wait(30000), 1u);
}

TEST_F(FallbackE2E, NoSdkAnywhereNamesTheSearchedFolders) {
  e2e::Process lumeno(app_ + L"\\Lumeno.exe", L"", app_, long_temp());
  ASSERT_TRUE(lumeno.started());
  HWND box = lumeno.wait_for_window(L"#32770", kStartTimeout);
  ASSERT_NE(box, nullptr) << "no message box";
  EXPECT_EQ(e2e::window_text(box), L"Lumeno - SDK 缺失");
  const std::wstring text = e2e::message_box_text(box);
  EXPECT_NE(text.find(L"已搜索路径:\n  " + app_ + L"\\sdk\\\n  " + app_ + L"\\\n"),
            std::wstring::npos)
      << std::string(text.begin(), text.end());
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(lumeno.wait(30000), 1u);
}

TEST_F(FallbackE2E, SdkInTheExecutableFolderRunsWithoutARuntimeFolder) {
  ASSERT_TRUE(wintest::copy_folder_files(wintest::standin_folder("full"), app_));
  e2e::Process lumeno(app_ + L"\\Lumeno.exe", L"", app_, long_temp());
  ASSERT_TRUE(lumeno.started());
  HWND window = lumeno.wait_for_window(L"TessaryNativeWnd", kStartTimeout);
  ASSERT_NE(window, nullptr);
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(lumeno.wait(30000), 0u);
  // The SDK's own files beside the executable are not the runtime folder: they stay.
  EXPECT_TRUE(wintest::file_exists(app_ + L"\\SketchUpAPI.dll"));
}

}  // namespace
