// Binding the SDK from DLL folders: the DLL search folder and PATH, a second load, failed loads.
#include <gtest/gtest.h>

#include "sdk/sketchup_api.h"
#include "tests/windows/win_test_util.h"

namespace {

std::wstring dll_directory() {
  wchar_t buffer[MAX_PATH] = {};
  return std::wstring(buffer, GetDllDirectoryW(MAX_PATH, buffer));
}

std::vector<std::tuple<std::wstring, std::wstring, unsigned>> boxes;  // text, caption, flags

struct SdkLoad : ::testing::Test {
  void SetUp() override {
    lumeno::set_startup_message_sink([](const wchar_t* t, const wchar_t* c, unsigned f) {
      return boxes.emplace_back(t, c, f), IDOK;
    });
  }
  void TearDown() override {
    api.unload(), SetEnvironmentVariableW(L"PATH", saved_path.c_str());
    lumeno::set_startup_message_sink(nullptr), boxes.clear();
  }
  SketchUpAPI api;
  const std::wstring saved_path = wintest::get_env(L"PATH");
};

TEST_F(SdkLoad, FullStandInBindsEverythingAndUnloadReleasesIt) {
  const std::wstring dir = wintest::standin_folder("full");
  ASSERT_TRUE(api.load(dir.c_str()));
  EXPECT_TRUE(api.preferences_module && api.SUModelGetEntities && boxes.empty());
  EXPECT_EQ(wintest::get_env(L"PATH"), dir + L";" + saved_path);  // in front while bound
  EXPECT_EQ(dll_directory(), dir);
  SetEnvironmentVariableW(L"PATH", L"marker");  // a second load keeps the binding, touches nothing
  EXPECT_TRUE(api.load(L"C:\\does\\not\\exist"));
  EXPECT_EQ(wintest::get_env(L"PATH"), L"marker");
  for (int i = 0; i < 2; ++i) {  // unloading twice is harmless
    api.unload();
    EXPECT_TRUE(!api.loaded && !api.module && !api.preferences_module && dll_directory().empty());
  }
}

TEST_F(SdkLoad, FailuresAreReportedAndLeaveNothingBound) {
  wintest::TempFolder empty(L"nodll");
  const std::wstring no_entry = wintest::standin_folder("no_SUModelGetEntities");
  const struct {
    std::wstring dir, caption, text, path;
  } cases[] = {{empty.path(), L"SDK DLL 加载诊断",
                L"路径: " + empty.path() + L"\\SketchUpAPI.dll\n错误码: 126\n", saved_path},
               {no_entry, L"SDK 函数加载诊断", L"SUModelGetEntities: MISSING",
                no_entry + L";" + saved_path}};  // PATH keeps the folder
  for (const auto& c : cases) {
    EXPECT_FALSE(api.load(c.dir.c_str()) || api.loaded || api.module);
    const auto& [text, caption, flags] = boxes.back();
    EXPECT_TRUE(caption == c.caption && flags == MB_ICONERROR) << c.dir;
    EXPECT_NE(text.find(c.text), std::wstring::npos) << c.dir;
    EXPECT_EQ(wintest::get_env(L"PATH"), c.path);
    EXPECT_EQ(dll_directory(), L"");
    SetEnvironmentVariableW(L"PATH", saved_path.c_str());
  }
  EXPECT_EQ(boxes.size(), 2u);
}

}  // namespace
