// Provisioning the runtime folder from resources, the fallback search for the SDK and the
// command line.
#include "app/startup.h"

#include <gtest/gtest.h>

#include <string>

#include "app/runtime_provisioning.h"
#include "tests/windows/win_test_util.h"

namespace {

using lumeno::cleanup_embedded_runtime;
using lumeno::extract_resource_to_file;

HMODULE self() { return GetModuleHandleW(nullptr); }

TEST(ExtractResource, WritesTheWholeResource) {
  wintest::TempFolder folder(L"extract");
  const std::wstring path = folder / L"out.bin";
  ASSERT_TRUE(wintest::write_file(path, std::string(5000, 'z')));  // truncated, not appended to
  ASSERT_TRUE(extract_resource_to_file(self(), L"TEST_PAYLOAD", path.c_str()));
  EXPECT_EQ(wintest::read_file(path),
            "Lumeno test resource: these bytes are written to disk verbatim.\n");
}

TEST(ExtractResource, MissingEmptyOrUncreatableFails) {
  wintest::TempFolder folder(L"extract");
  for (const wchar_t* name : {L"NO_SUCH_RESOURCE", L"TEST_EMPTY"}) {
    const std::wstring path = folder / (std::wstring(name) + L".bin");
    EXPECT_FALSE(extract_resource_to_file(self(), name, path.c_str())) << name;
    EXPECT_FALSE(wintest::file_exists(path)) << name;
  }
  EXPECT_FALSE(extract_resource_to_file(self(), L"TEST_PAYLOAD", L"C:\\no\\such\\folder\\out.bin"));
}

BOOL WINAPI short_write(HANDLE file, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED) {
  // Writes half and reports it honestly: success, but fewer bytes than asked.
  return WriteFile(file, data, size / 2, written, nullptr);
}

TEST(ExtractResource, ShortWriteCountsAsFailure) {
  wintest::TempFolder folder(L"extract");
  const std::wstring path = folder / L"short.bin";
  const auto previous = lumeno::set_resource_write_function(short_write);
  const bool ok = extract_resource_to_file(self(), L"TEST_PAYLOAD", path.c_str());
  lumeno::set_resource_write_function(previous);
  EXPECT_FALSE(ok);
}

// The three files go, whichever of them is missing; the folder goes with them unless it holds
// something else.
TEST(CleanupRuntime, DeletesTheFilesAndAnEmptiedFolder) {
  for (int missing = -1; missing < 3; ++missing) {
    for (bool other_file : {false, true}) {
      SCOPED_TRACE(testing::Message() << "missing " << missing << " other file " << other_file);
      wintest::TempFolder folder(L"cleanup");
      for (int i = 0; i < 3; ++i) {
        if (i != missing) {
          ASSERT_TRUE(
              wintest::write_file(folder.path() + lumeno::kEmbeddedDlls[i].file_name, "dll"));
        }
      }
      if (other_file) {
        ASSERT_TRUE(wintest::write_file(folder / L"user.txt", "keep"));
      }
      cleanup_embedded_runtime(folder.path());
      EXPECT_EQ(wintest::folder_exists(folder.path()), other_file);
      for (const auto& dll : lumeno::kEmbeddedDlls)
        EXPECT_FALSE(wintest::file_exists(folder.path() + dll.file_name));
    }
  }
}

TEST(CleanupRuntime, EmptyFolderNameTouchesNothing) {
  // An empty name must not turn into "\SketchUpAPI.dll" at the root of the current drive.
  wchar_t saved[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, saved);
  wintest::TempFolder folder(L"cleanup");
  SetCurrentDirectoryW(folder.path().c_str());
  const std::wstring root_file = L"\\SketchUpAPI.dll";
  const bool created = wintest::write_file(root_file, "precious");
  cleanup_embedded_runtime(L"");
  if (created) {
    EXPECT_TRUE(wintest::file_exists(root_file));
    DeleteFileW(root_file.c_str());
  }
  SetCurrentDirectoryW(saved);
  ASSERT_TRUE(created) << "could not create a file at the drive root";
}

TEST(ProvisionRuntime, WithoutTheResourcesNothingIsLeft) {
  // The test executable carries no SDK resources: provisioning fails and leaves nothing.
  wintest::TempFolder temp(L"provision");
  const std::wstring expected = temp.path() + L"\\Lumeno_" + std::to_wstring(GetCurrentProcessId());
  EXPECT_EQ(lumeno::provision_runtime(self(), temp.path() + L"\\"), L"");
  EXPECT_FALSE(wintest::folder_exists(expected));
}

TEST(TempPath, LengthLimitsDecideWhetherTheRuntimeFolderIsUsed) {
  const std::wstring saved_tmp = wintest::get_env(L"TMP");
  const std::wstring saved_temp = wintest::get_env(L"TEMP");
  struct Case {
    size_t length;  // characters of the returned path, trailing backslash included
    bool usable;
  } cases[] = {{259, true}, {260, false}, {300, false}};
  for (const Case& c : cases) {
    // C:\ + letters; GetTempPathW appends the final backslash.
    const std::wstring dir = L"C:\\" + std::wstring(c.length - 4, L'a');
    SetEnvironmentVariableW(L"TMP", dir.c_str());
    SetEnvironmentVariableW(L"TEMP", dir.c_str());
    const std::wstring usable = lumeno::usable_temp_path();
    EXPECT_EQ(!usable.empty(), c.usable) << c.length;
    if (c.usable) {
      EXPECT_EQ(usable.size(), c.length);
    }
  }
  SetEnvironmentVariableW(L"TMP", saved_tmp.c_str());
  SetEnvironmentVariableW(L"TEMP", saved_temp.c_str());
}

TEST(FallbackSearch, CandidatesAreTriedInOrder) {
  wintest::TempFolder root(L"search");
  const std::wstring exe_dir = root / L"app";
  const std::wstring cur_dir = root / L"cwd";
  const std::wstring candidates[] = {exe_dir + L"\\sdk", exe_dir, root / L"sdk", cur_dir + L"\\sdk",
                                     cur_dir};
  for (int i = 4; i >= 0; --i) CreateDirectoryW(candidates[i].c_str(), nullptr);  // parents first

  EXPECT_EQ(lumeno::find_sdk_folder(exe_dir, cur_dir), L"");
  // Fill the candidates from last to first: each time the new one must win.
  for (int i = 4; i >= 0; --i) {
    ASSERT_TRUE(wintest::write_file(candidates[i] + L"\\SketchUpAPI.dll", "dll"));
    EXPECT_EQ(lumeno::find_sdk_folder(exe_dir, cur_dir), candidates[i]) << i;
  }
}

TEST(FallbackSearch, ExecutableFolderWithoutBackslashSkipsTheParent) {
  wintest::TempFolder root(L"search");
  // "app" has no backslash: the parent candidate is skipped, the current folder is found.
  ASSERT_TRUE(wintest::write_file(root / L"SketchUpAPI.dll", "dll"));
  EXPECT_EQ(lumeno::find_sdk_folder(L"app", root.path()), root.path());
}

TEST(SdkMissing, TextNamesTheExecutableFolderTwice) {
  EXPECT_EQ(lumeno::sdk_missing_text(L"C:\\Tools\\Lumeno"),
            L"未找到 SketchUp SDK 运行库 (SketchUpAPI.dll)。\n\n已搜索路径:\n"
            L"  C:\\Tools\\Lumeno\\sdk\\\n  C:\\Tools\\Lumeno\\\n\n"
            L"请将以下 DLL 放入 sdk\\ 目录:\n  - SketchUpAPI.dll\n"
            L"  - SketchUpCommonPreferences.dll\n  - assimp-vc143-mt.dll\n\n"
            L"或将 DLL 放在 EXE 同目录下。");
}

TEST(CommandLine, FirstArgumentOnlyWithoutQuotes) {
  struct Case {
    const wchar_t* command_line;
    const wchar_t* expected;
  } cases[] = {
      {nullptr, L""},
      {L"", L""},
      {L"C:\\models\\house.skp", L"C:\\models\\house.skp"},
      {L"\"C:\\my models\\house.skp\"", L"C:\\my models\\house.skp"},
      {L"C:\\a.skp C:\\b.skp", L"C:\\a.skp"},
      {L"\"C:\\中文\\模型.skp\" extra", L"C:\\中文\\模型.skp"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(lumeno::first_command_line_argument(c.command_line), c.expected)
        << (c.command_line ? c.command_line : L"(null)");
  }
}

}  // namespace
