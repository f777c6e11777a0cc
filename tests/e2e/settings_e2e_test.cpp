// Settings that survive a restart, save as an older version through the real save dialog, and
// the hand-off to the first installed SketchUp.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, whose types it uses.
#include <shellapi.h>

#include <string>

#include "tests/e2e/e2e_driver.h"
#include "tests/windows/win_test_util.h"

namespace {

const char kTriangle[] = R"({"entities":{"faces":[{"outer":[[0,0,0],[100,0,0],[0,100,0]]}]}})";
const wchar_t kInstallRoot[] = L"C:\\Program Files\\SketchUp";

class SettingsE2E : public e2e::LumenoTest {
 protected:
  void TearDown() override { LumenoTest::TearDown(), uninstall(); }
  // Removes the fake installs; a fake that is still ending keeps its file busy for a moment.
  static void uninstall() {
    wintest::wait_until(
        [] { return wintest::delete_tree(kInstallRoot), !wintest::folder_exists(kInstallRoot); },
        5000);
  }
  // In the save dialog: picks "SketchUp 2019", types `path` as the name and presses Save.
  // Returns the name the dialog proposed.
  std::wstring save_as_2019(const std::wstring& path) {
    HWND save = lumeno_->wait_for_window(L"#32770", 20000, L"另存为低版本 SKP 文件");
    if (save == nullptr) return L"<no save dialog>";
    HWND types = GetDlgItem(save, 0x470), name = nullptr;  // the file-type list; the first edit
    EnumChildWindows(
        save,
        [](HWND control, LPARAM found) {
          wchar_t cls[16] = {};
          GetClassNameW(control, cls, 16);
          if (wcscmp(cls, L"Edit") != 0 || !IsWindowVisible(control)) return TRUE;
          return *reinterpret_cast<HWND*>(found) = control, FALSE;
        },
        reinterpret_cast<LPARAM>(&name));
    const LRESULT index = SendMessageW(types, CB_FINDSTRINGEXACT, -1,
                                       reinterpret_cast<LPARAM>(L"SketchUp 2019 (*.skp)"));
    if (index < 0 || name == nullptr) return L"<no file type or name control>";
    SendMessageW(types, CB_SETCURSEL, index, 0);
    for (WORD notice : {CBN_SELCHANGE, CBN_SELENDOK})  // what a pick with the mouse sends
      SendMessageW(save, WM_COMMAND, MAKEWPARAM(0x470, notice), reinterpret_cast<LPARAM>(types));
    wchar_t proposed[MAX_PATH] = {};
    SendMessageW(name, WM_GETTEXT, MAX_PATH, reinterpret_cast<LPARAM>(proposed));
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageW(save, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(save, IDOK)));
    return proposed;
  }
  wintest::TempFolder folder_{L"e2e settings"};
};

TEST_F(SettingsE2E, EdgesTurnedOffStayOffAfterARestart) {
  ASSERT_NO_FATAL_FAILURE(start(e2e::sample_house()));
  const e2e::Screenshot with_edges = e2e::capture_screen();
  key('K', 800);
  const e2e::Screenshot without = e2e::capture_screen();
  const int edge_pixels = changed(with_edges, without);
  ASSERT_GT(edge_pixels, 50) << "no edge of the house seen to go";
  close();
  const std::string saved = wintest::read_file(e2e::settings_file());
  EXPECT_NE(saved.find("ShowEdges=0", saved.find("[Display]")), std::string::npos) << saved;
  // Restarted, the house looks as it did with the edges turned off.
  ASSERT_NO_FATAL_FAILURE(start(e2e::sample_house()));
  EXPECT_LT(changed(without, e2e::capture_screen()), edge_pixels / 10);
}

TEST_F(SettingsE2E, SaveAsWritesTheChosenVersionAndReportsAMissingSource) {
  const std::wstring model = folder_ / L"a house.skp", target = folder_ / L"older copy.skp";
  ASSERT_TRUE(wintest::write_file(model, kTriangle));
  ASSERT_NO_FATAL_FAILURE(start(model, false));
  command(1003);
  EXPECT_EQ(save_as_2019(target), L"a house_v2021.skp");
  EXPECT_EQ(box_text(L"另存低版本"), L"文件已成功保存为 SketchUp 2019 版本。\n\n" + target);
  const std::string written = wintest::read_file(target);
  EXPECT_NE(written.find("\"saved_version\":12"), std::string::npos) << written;

  // The open model's file is gone: the conversion cannot reopen it and writes nothing.
  ASSERT_TRUE(DeleteFileW(model.c_str()));
  command(1003);
  save_as_2019(folder_ / L"second.skp");
  EXPECT_EQ(box_text(L"另存低版本"), L"无法打开源文件进行转换。");
  EXPECT_FALSE(wintest::file_exists(folder_ / L"second.skp"));
}

TEST_F(SettingsE2E, HandOffStartsTheFirstInstalledSketchUpWithTheWholePath) {
  ASSERT_FALSE(wintest::folder_exists(kInstallRoot)) << "a SketchUp is installed in the prefix";
  const std::wstring model = folder_ / L"a house.skp";
  ASSERT_TRUE(wintest::write_file(model, kTriangle));
  const std::wstring root = kInstallRoot, log = root + L"\\SketchUp 2019\\command_line.txt";
  CreateDirectoryW(kInstallRoot, nullptr);
  for (const wchar_t* year : {L"\\SketchUp 2019", L"\\SketchUp 2025"}) {  // fake installs
    CreateDirectoryW((root + year).c_str(), nullptr);
    EXPECT_TRUE(CopyFileW(wintest::windows_path(FAKE_SKETCHUP_EXE).c_str(),
                          (root + year + L"\\SketchUp.exe").c_str(), FALSE));
  }
  ASSERT_NO_FATAL_FAILURE(start(model, false));

  command(1002);
  ASSERT_TRUE(wintest::wait_until([&] { return wintest::file_exists(log); }, 20000))
      << "SketchUp 2019 was not started";
  EXPECT_FALSE(wintest::file_exists(root + L"\\SketchUp 2025\\command_line.txt"));
  // The path arrives as one argument, spaces and all: it was quoted.
  const std::string bytes = wintest::read_file(log);
  const std::wstring line(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
  int argc = 0;
  wchar_t** args = CommandLineToArgvW(line.c_str(), &argc);
  EXPECT_EQ(args != nullptr && argc == 2 ? args[1] : L"<not one argument>", model) << line;
  LocalFree(args);

  // Nothing installed and nothing associated with .skp: the failure box.
  uninstall();
  command(1002);
  EXPECT_NE(box_text(L"用 SketchUp 打开"), L"<no box>");
}

}  // namespace
