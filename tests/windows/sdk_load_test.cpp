// Binding the SDK from DLL folders: the stand-in and its variants that lack chosen exports.
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

TEST_F(SdkLoad, BindsEveryEntryOfTheFullStandIn) {
  wintest::MessageCapture capture;
  const std::wstring dir = variant("full");
  ASSERT_TRUE(api_.load(dir.c_str()));
  EXPECT_TRUE(api_.loaded);
  EXPECT_NE(api_.module, nullptr);
  EXPECT_NE(api_.preferences_module, nullptr);
  EXPECT_TRUE(capture.messages().empty());
  // Every table entry and every vendor function is exported by the full stand-in.
#define EXPECT_BOUND(ret, name, params) EXPECT_NE(api_.name, nullptr) << #name;
  LUMENO_SU_TABLE(EXPECT_BOUND)
  LUMENO_SU_VENDOR(EXPECT_BOUND)
#undef EXPECT_BOUND
  // The SDK folder stays in front of PATH and is the DLL search folder while bound.
  EXPECT_EQ(wintest::get_env(L"PATH"), dir + L";" + saved_path_);
  EXPECT_EQ(dll_directory(), dir);

  api_.unload();
  EXPECT_FALSE(api_.loaded);
  EXPECT_EQ(api_.module, nullptr);
  EXPECT_EQ(api_.preferences_module, nullptr);
  EXPECT_EQ(dll_directory(), L"");
  // The pointers are not cleared by unload.
  EXPECT_NE(api_.SUModelGetEntities, nullptr);
}

TEST_F(SdkLoad, FolderWithoutTheLibraryReportsPathAndErrorCode) {
  wintest::TempFolder empty(L"nodll");
  wintest::MessageCapture capture;
  EXPECT_FALSE(api_.load(empty.path().c_str()));
  EXPECT_FALSE(api_.loaded);
  EXPECT_EQ(api_.module, nullptr);
  ASSERT_EQ(capture.messages().size(), 1u);
  const wintest::CapturedMessage& box = capture.messages()[0];
  EXPECT_EQ(box.caption, L"SDK DLL 加载诊断");
  EXPECT_EQ(box.flags, static_cast<unsigned>(MB_ICONERROR));
  const std::wstring expected_start =
      L"LoadLibrary 失败\n\n路径: " + empty.path() + L"\\SketchUpAPI.dll\n错误码: 126\n\n可能原因:\n";
  EXPECT_EQ(box.text.substr(0, expected_start.size()), expected_start);
  EXPECT_NE(box.text.find(L"请安装 Visual C++ Redistributable 2015-2022 (x64):\nhttps://"),
            std::wstring::npos);
  // PATH and the DLL search folder are restored.
  EXPECT_EQ(wintest::get_env(L"PATH"), saved_path_);
  EXPECT_EQ(dll_directory(), L"");
}

TEST_F(SdkLoad, MissingRequiredEntryNamesTheThreeReportedEntries) {
  wintest::MessageCapture capture;
  const std::wstring dir = variant("no_SUModelGetEntities");
  EXPECT_FALSE(api_.load(dir.c_str()));
  EXPECT_FALSE(api_.loaded);
  EXPECT_EQ(api_.module, nullptr);
  ASSERT_EQ(capture.messages().size(), 1u);
  EXPECT_EQ(capture.messages()[0].caption, L"SDK 函数加载诊断");
  EXPECT_EQ(capture.messages()[0].text,
            L"SDK DLL 已加载，但关键函数未找到。\n\nSUInitialize: OK\n"
            L"SUModelCreateFromFile: OK\nSUModelGetEntities: MISSING");
  EXPECT_EQ(dll_directory(), L"");
  // PATH keeps the SDK folder on this path.
  EXPECT_EQ(wintest::get_env(L"PATH"), dir + L";" + saved_path_);
}

TEST_F(SdkLoad, SecondLoadTouchesNothing) {
  ASSERT_TRUE(api_.load(variant("full").c_str()));
  SetEnvironmentVariableW(L"PATH", L"marker");
  const auto module = api_.module;
  wintest::MessageCapture capture;
  EXPECT_TRUE(api_.load(L"C:\\does\\not\\exist"));
  EXPECT_EQ(api_.module, module);
  EXPECT_EQ(wintest::get_env(L"PATH"), L"marker");
  EXPECT_EQ(dll_directory(), variant("full"));
  EXPECT_TRUE(capture.messages().empty());
}

TEST_F(SdkLoad, UnloadWithoutLoadIsHarmlessAndRepeatable) {
  SetDllDirectoryW(L"C:\\");
  api_.unload();
  api_.unload();
  EXPECT_FALSE(api_.loaded);
  EXPECT_EQ(api_.module, nullptr);
  EXPECT_EQ(dll_directory(), L"");
}

TEST_F(SdkLoad, LibraryWithoutTerminateBindsAndUnbinds) {
  ASSERT_TRUE(api_.load(variant("no_SUTerminate").c_str()));
  EXPECT_EQ(api_.SUTerminate, nullptr);
  EXPECT_NE(api_.SUInitialize, nullptr);
  api_.unload();
  EXPECT_FALSE(api_.loaded);
  EXPECT_EQ(api_.module, nullptr);
}

TEST_F(SdkLoad, VendorShapedLibraryLacksExactlyTheEightTableNames) {
  ASSERT_TRUE(api_.load(variant("vendor").c_str()));
#define EXPECT_ABSENT(name) EXPECT_EQ(api_.name, nullptr) << #name;
  LUMENO_SU_VENDOR_LACKS(EXPECT_ABSENT)
#undef EXPECT_ABSENT
#define EXPECT_BOUND(ret, name, params) EXPECT_NE(api_.name, nullptr) << #name;
  LUMENO_SU_VENDOR(EXPECT_BOUND)
#undef EXPECT_BOUND
  EXPECT_NE(api_.SUModelGetEntities, nullptr);
  EXPECT_NE(api_.SUDrawingElementGetLayer, nullptr);
}

TEST_F(SdkLoad, BoundStandInOpensAModelThroughTheTable) {
  ASSERT_TRUE(api_.load(variant("full").c_str()));
  wintest::TempFolder folder(L"model");
  // A non-ASCII file name exercises the UTF-8 path handling of the SDK on Windows.
  const std::wstring path = folder / L"模型.skp";
  ASSERT_TRUE(wintest::write_file(
      path, R"({"entities":{"faces":[{"outer":[[0,0,0],[10,0,0],[10,10,0],[0,10,0]]}]}})"));
  char utf8[1024] = {};
  WideCharToMultiByte(CP_UTF8, 0, path.c_str(), -1, utf8, sizeof utf8, nullptr, nullptr);
  SUModelRef model = {nullptr};
  ASSERT_EQ(api_.SUModelCreateFromFile(&model, utf8), SU_ERROR_NONE);
  SUEntitiesRef entities = {nullptr};
  ASSERT_EQ(api_.SUModelGetEntities(model, &entities), SU_ERROR_NONE);
  size_t faces = 0;
  ASSERT_EQ(api_.SUEntitiesGetNumFaces(entities, &faces), SU_ERROR_NONE);
  EXPECT_EQ(faces, 1u);
  EXPECT_EQ(api_.SUModelRelease(&model), SU_ERROR_NONE);
}

TEST(SdkDiagnostics, LoadFailureTextIsCutAtItsBuffer) {
  const std::wstring long_path(600, L'x');
  const std::wstring text = SketchUpAPI::load_failure_text(long_path.c_str(), 5);
  EXPECT_EQ(text.size(), SketchUpAPI::kLoadFailureTextSize - 1);
  const std::wstring start = L"LoadLibrary 失败\n\n路径: xxx";
  EXPECT_EQ(text.substr(0, start.size()), start);
}

TEST(SdkDiagnostics, MissingEntryTextReportsOnlyThreeEntries) {
  SketchUpAPI api;
  // Only SUModelRelease missing: all three reported lines still read OK.
  api.SUInitialize = reinterpret_cast<SketchUpAPI::SUInitialize_fn>(1);
  api.SUModelCreateFromFile = reinterpret_cast<SketchUpAPI::SUModelCreateFromFile_fn>(1);
  api.SUModelGetEntities = reinterpret_cast<SketchUpAPI::SUModelGetEntities_fn>(1);
  EXPECT_FALSE(api.has_required_entries());
  EXPECT_EQ(api.missing_entry_text(),
            L"SDK DLL 已加载，但关键函数未找到。\n\nSUInitialize: OK\n"
            L"SUModelCreateFromFile: OK\nSUModelGetEntities: OK");
  api.SUInitialize = nullptr;
  api.SUModelCreateFromFile = nullptr;
  api.SUModelGetEntities = nullptr;
}

}  // namespace
