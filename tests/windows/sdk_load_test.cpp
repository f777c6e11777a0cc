// Binding the SDK from DLL folders on Windows: the DLL search folder, PATH, and the stand-in
// variants that lack chosen exports. (The entry table and the diagnostic texts are proven by
// the native suite; here the system side of a load is checked.)
#include <gtest/gtest.h>

#include <string>

#include "sdk/sketchup_api.h"
#include "tests/windows/win_test_util.h"

namespace {

std::wstring variant(const char* name) { return wintest::standin_folder(name); }

std::wstring dll_directory() {
  wchar_t buffer[MAX_PATH] = {};
  const DWORD length = GetDllDirectoryW(MAX_PATH, buffer);
  return std::wstring(buffer, length);
}

class SdkLoad : public ::testing::Test {
 protected:
  void SetUp() override { saved_path_ = wintest::get_env(L"PATH"); }
  void TearDown() override {
    api_.unload();
    SetEnvironmentVariableW(L"PATH", saved_path_.c_str());
  }
  SketchUpAPI api_;
  std::wstring saved_path_;
};

TEST_F(SdkLoad, FullStandInBindsEverythingAndUnloadReleasesIt) {
  wintest::MessageCapture capture;
  const std::wstring dir = variant("full");
  ASSERT_TRUE(api_.load(dir.c_str()));
  EXPECT_NE(api_.preferences_module, nullptr);
  EXPECT_TRUE(capture.messages().empty());
#define EXPECT_BOUND(ret, name, params) EXPECT_NE(api_.name, nullptr) << #name;
  LUMENO_SU_TABLE(EXPECT_BOUND)
  LUMENO_SU_VENDOR(EXPECT_BOUND)
  // The SDK folder stays in front of PATH and is the DLL search folder while bound.
  EXPECT_EQ(wintest::get_env(L"PATH"), dir + L";" + saved_path_);
  EXPECT_EQ(dll_directory(), dir);

  // A second load keeps the first binding and touches nothing.
  SetEnvironmentVariableW(L"PATH", L"marker");
  const auto module = api_.module;
  EXPECT_TRUE(api_.load(L"C:\\does\\not\\exist"));
  EXPECT_EQ(api_.module, module);
  EXPECT_EQ(wintest::get_env(L"PATH"), L"marker");
  EXPECT_TRUE(capture.messages().empty());

  for (int i = 0; i < 2; ++i) {  // unloading twice is harmless
    api_.unload();
    EXPECT_FALSE(api_.loaded);
    EXPECT_EQ(api_.module, nullptr);
    EXPECT_EQ(api_.preferences_module, nullptr);
    EXPECT_EQ(dll_directory(), L"");
  }
}

TEST_F(SdkLoad, FolderWithoutTheLibraryReportsPathAndErrorCode) {
  wintest::TempFolder empty(L"nodll");
  wintest::MessageCapture capture;
  EXPECT_FALSE(api_.load(empty.path().c_str()));
  EXPECT_FALSE(api_.loaded);
  ASSERT_EQ(capture.messages().size(), 1u);
  const wintest::CapturedMessage& box = capture.messages()[0];
  EXPECT_EQ(box.caption, L"SDK DLL 加载诊断");
  EXPECT_EQ(box.flags, static_cast<unsigned>(MB_ICONERROR));
  EXPECT_NE(box.text.find(L"路径: " + empty.path() + L"\\SketchUpAPI.dll\n错误码: 126\n"),
            std::wstring::npos)
      << std::string(box.text.begin(), box.text.end());
  EXPECT_EQ(wintest::get_env(L"PATH"), saved_path_);
  EXPECT_EQ(dll_directory(), L"");
}

TEST_F(SdkLoad, MissingRequiredEntryIsReportedAndReleased) {
  wintest::MessageCapture capture;
  const std::wstring dir = variant("no_SUModelGetEntities");
  EXPECT_FALSE(api_.load(dir.c_str()));
  EXPECT_FALSE(api_.loaded);
  EXPECT_EQ(api_.module, nullptr);
  ASSERT_EQ(capture.messages().size(), 1u);
  EXPECT_EQ(capture.messages()[0].caption, L"SDK 函数加载诊断");
  EXPECT_NE(capture.messages()[0].text.find(L"SUModelGetEntities: MISSING"), std::wstring::npos);
  EXPECT_EQ(dll_directory(), L"");
  EXPECT_EQ(wintest::get_env(L"PATH"), dir + L";" + saved_path_);  // PATH keeps the folder
}

TEST_F(SdkLoad, OptionalAndVendorLackingEntriesStillBind) {
  ASSERT_TRUE(api_.load(variant("no_SUTerminate").c_str()));
  EXPECT_EQ(api_.SUTerminate, nullptr);
  api_.unload();
  EXPECT_EQ(api_.module, nullptr);

  ASSERT_TRUE(api_.load(variant("vendor").c_str()));
#define EXPECT_ABSENT(name) EXPECT_EQ(api_.name, nullptr) << #name;
  LUMENO_SU_VENDOR_LACKS(EXPECT_ABSENT)
#undef EXPECT_ABSENT
  LUMENO_SU_VENDOR(EXPECT_BOUND)
  EXPECT_NE(api_.SUModelGetEntities, nullptr);
}
#undef EXPECT_BOUND

TEST_F(SdkLoad, BoundStandInOpensAModelByItsUtf8Path) {
  ASSERT_TRUE(api_.load(variant("full").c_str()));
  wintest::TempFolder folder(L"model");
  const std::wstring path = folder / L"模型.skp";
  ASSERT_TRUE(wintest::write_file(
      path, R"({"entities":{"faces":[{"outer":[[0,0,0],[10,0,0],[10,10,0],[0,10,0]]}]}})"));
  char utf8[1024] = {};
  WideCharToMultiByte(CP_UTF8, 0, path.c_str(), -1, utf8, sizeof utf8, nullptr, nullptr);
  SUModelRef model = {nullptr};
  ASSERT_EQ(api_.SUModelCreateFromFile(&model, utf8), SU_ERROR_NONE);
  SUEntitiesRef entities = {nullptr};
  size_t faces = 0;
  ASSERT_EQ(api_.SUModelGetEntities(model, &entities), SU_ERROR_NONE);
  ASSERT_EQ(api_.SUEntitiesGetNumFaces(entities, &faces), SU_ERROR_NONE);
  EXPECT_EQ(faces, 1u);
  EXPECT_EQ(api_.SUModelRelease(&model), SU_ERROR_NONE);
}

}  // namespace
