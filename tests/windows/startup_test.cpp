// Startup: the runtime folder from resources, the fallback search for the SDK, the command line.
#include "app/startup.h"

#include <gtest/gtest.h>

#include "app/runtime_provisioning.h"
#include "tests/windows/win_test_util.h"

namespace {

using namespace lumeno;
HMODULE self() { return GetModuleHandleW(nullptr); }

BOOL WINAPI short_write(HANDLE file, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED) {
  return WriteFile(file, data, size / 2, written, nullptr);
}

TEST(ExtractResource, WritesTheWholeResourceOrFailsLeavingNothing) {
  wintest::TempFolder folder(L"extract");
  const std::wstring path = folder / L"out.bin";
  ASSERT_TRUE(wintest::write_file(path, std::string(5000, 'z')));  // truncated, not appended to
  ASSERT_TRUE(extract_resource_to_file(self(), L"TEST_PAYLOAD", path.c_str()));
  EXPECT_EQ(wintest::read_file(path),
            "Lumeno test resource: these bytes are written to disk verbatim.\n");
  for (const wchar_t* name : {L"NO_SUCH_RESOURCE", L"TEST_EMPTY"}) {
    EXPECT_FALSE(extract_resource_to_file(self(), name, (folder / name).c_str())) << name;
    EXPECT_FALSE(wintest::file_exists(folder / name)) << name;
  }
  EXPECT_FALSE(extract_resource_to_file(self(), L"TEST_PAYLOAD", L"C:\\no\\such\\folder\\out.bin"));
  const auto previous = set_resource_write_function(short_write);
  EXPECT_FALSE(extract_resource_to_file(self(), L"TEST_PAYLOAD", (folder / L"short").c_str()));
  set_resource_write_function(previous);
  EXPECT_EQ(provision_runtime(self(), folder.path() + L"\\"), L"");
  EXPECT_FALSE(
      wintest::folder_exists(folder / (L"Lumeno_" + std::to_wstring(GetCurrentProcessId()))));
}

// All three files go, whichever is missing; the folder too unless it holds something else.
TEST(CleanupRuntime, DeletesTheFilesAndAnEmptiedFolder) {
  for (int missing = -1; missing < 3; ++missing) {
    for (bool other_file : {false, true}) {
      SCOPED_TRACE(testing::Message() << "missing " << missing << " other file " << other_file);
      wintest::TempFolder folder(L"cleanup");
      for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(i == missing ||
                    wintest::write_file(folder.path() + kEmbeddedDlls[i].file_name, "dll"));
      ASSERT_TRUE(!other_file || wintest::write_file(folder / L"user.txt", "keep"));
      cleanup_embedded_runtime(folder.path());
      EXPECT_EQ(wintest::folder_exists(folder.path()), other_file);
      for (const auto& dll : kEmbeddedDlls)
        EXPECT_FALSE(wintest::file_exists(folder.path() + dll.file_name));
    }
  }
  wchar_t saved[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, saved);
  wintest::TempFolder folder(L"cleanup");
  SetCurrentDirectoryW(folder.path().c_str());
  ASSERT_TRUE(wintest::write_file(L"\\SketchUpAPI.dll", "precious"));
  cleanup_embedded_runtime(L"");  // an empty name: not "\\SketchUpAPI.dll" at the root
  EXPECT_TRUE(wintest::file_exists(L"\\SketchUpAPI.dll"));
  DeleteFileW(L"\\SketchUpAPI.dll");
  SetCurrentDirectoryW(saved);
}

TEST(TempPath, LengthLimitsDecideWhetherTheRuntimeFolderIsUsed) {
  const std::wstring saved_tmp = wintest::get_env(L"TMP"), saved_temp = wintest::get_env(L"TEMP");
  for (size_t length : {259, 260}) {  // characters of the path, trailing backslash included
    const std::wstring dir = L"C:\\" + std::wstring(length - 4, L'a');  // GetTempPathW adds '\'
    SetEnvironmentVariableW(L"TMP", dir.c_str()), SetEnvironmentVariableW(L"TEMP", dir.c_str());
    EXPECT_EQ(usable_temp_path().size(), length < 260 ? length : 0u) << length;
  }
  SetEnvironmentVariableW(L"TMP", saved_tmp.c_str()),
      SetEnvironmentVariableW(L"TEMP", saved_temp.c_str());
}

TEST(FallbackSearch, CandidatesAreTriedInOrder) {
  wintest::TempFolder root(L"search");
  const std::wstring exe_dir = root / L"app", cur_dir = root / L"cwd";
  const std::wstring candidates[] = {exe_dir + L"\\sdk", exe_dir, root / L"sdk", cur_dir + L"\\sdk",
                                     cur_dir};
  for (int i = 4; i >= 0; --i) CreateDirectoryW(candidates[i].c_str(), nullptr);  // parents first
  EXPECT_EQ(find_sdk_folder(exe_dir, cur_dir), L"");
  for (int i = 4; i >= 0; --i) {  // filled from last to first: each new one wins
    ASSERT_TRUE(wintest::write_file(candidates[i] + L"\\SketchUpAPI.dll", "dll"));
    EXPECT_EQ(find_sdk_folder(exe_dir, cur_dir), candidates[i]) << i;
  }
  EXPECT_EQ(find_sdk_folder(L"app", cur_dir), cur_dir + L"\\sdk");  // no parent of "app"
}

TEST(CommandLine, FirstArgumentOnlyWithoutQuotes) {
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {nullptr, L""}, {L"\"C:\\my 模型\\house.skp\" extra", L"C:\\my 模型\\house.skp"}};
  for (const auto& [line, first] : cases)
    EXPECT_EQ(first_command_line_argument(line), first) << first;
}

}  // namespace
