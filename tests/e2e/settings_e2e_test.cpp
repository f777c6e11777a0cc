// Settings that survive a restart, save as an older version through the real save dialog, and
// the hand-off to the first installed SketchUp.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, whose types it uses.
#include <shellapi.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/e2e/e2e_driver.h"
#include "tests/windows/win_test_util.h"

namespace {

const char kTriangle[] = R"({"entities":{"faces":[{"outer":[[0,0,0],[100,0,0],[0,100,0]]}]}})";

bool edge_dark(const e2e::Rgb& c) { return c.r < 45 && c.g < 45 && c.b < 45; }
bool brick(const e2e::Rgb& c) { return c.r > 60 && c.r > c.g + 35 && c.r > c.b + 35; }

BOOL CALLBACK first_visible_edit(HWND control, LPARAM found) {
  wchar_t name[16] = {};
  GetClassNameW(control, name, 16);
  if (wcscmp(name, L"Edit") != 0 || !IsWindowVisible(control)) return TRUE;
  *reinterpret_cast<HWND*>(found) = control;
  return FALSE;
}

const wchar_t kInstallRoot[] = L"C:\\Program Files\\SketchUp";
std::wstring install_folder(const wchar_t* year) {
  return std::wstring(kInstallRoot) + L"\\SketchUp " + year;
}

// Copies of fake_sketchup.exe installed as SketchUp 2019 and SketchUp 2025, or all removed (a
// fake that is still ending keeps its file busy for a moment).
void fake_installs(bool present) {
  for (int i = 0; !present && i < 50 && wintest::folder_exists(kInstallRoot); ++i) {
    wintest::delete_tree(kInstallRoot);
    Sleep(100);
  }
  if (present) CreateDirectoryW(kInstallRoot, nullptr);
  for (const wchar_t* year : {L"2019", L"2025"}) {
    if (!present) break;
    CreateDirectoryW(install_folder(year).c_str(), nullptr);
    EXPECT_TRUE(CopyFileW(e2e::windows_path(FAKE_SKETCHUP_EXE).c_str(),
                          (install_folder(year) + L"\\SketchUp.exe").c_str(), FALSE));
  }
}

class SettingsE2E : public e2e::LumenoTest {
 protected:
  // In the save dialog: picks "SketchUp 2019", types `path` as the name and presses Save.
  // Returns the name the dialog proposed.
  std::wstring save_as_2019(const std::wstring& path) {
    HWND save = lumeno_->wait_for_window(L"#32770", 20000, L"另存为低版本 SKP 文件");
    if (save == nullptr) return L"<no save dialog>";
    HWND types = GetDlgItem(save, 0x470), name = nullptr;  // the file-type list
    EnumChildWindows(save, first_visible_edit, reinterpret_cast<LPARAM>(&name));
    const LRESULT index = SendMessageW(types, CB_FINDSTRINGEXACT, -1,
                                       reinterpret_cast<LPARAM>(L"SketchUp 2019 (*.skp)"));
    if (index < 0 || name == nullptr) return L"<no file type or name control>";
    SendMessageW(types, CB_SETCURSEL, index, 0);
    for (WORD notice : {CBN_SELCHANGE, CBN_SELENDOK}) {  // what a pick with the mouse sends
      SendMessageW(save, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(types), notice),
                   reinterpret_cast<LPARAM>(types));
    }
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
  // The pixels an edge line of the house crosses: dark with edges, something else without.
  std::vector<POINT> on_edges;
  for (int y = 0; y < h_; y += 2)
    for (int x = 0; x < w_ - 220; x += 2)  // left of the navigator
      if (edge_dark(at(with_edges, x, y)) && !edge_dark(at(without, x, y)))
        on_edges.push_back({x, y});
  ASSERT_GT(on_edges.size(), 50u) << "no edge of the house seen to go";
  close();

  const std::string saved = wintest::read_file(e2e::settings_file());
  const size_t display = saved.find("[Display]");
  ASSERT_NE(display, std::string::npos) << "no settings file beside Lumeno.exe";
  EXPECT_NE(saved.find("ShowEdges=0", display), std::string::npos) << saved;

  ASSERT_NO_FATAL_FAILURE(start(e2e::sample_house()));
  const e2e::Screenshot restarted = e2e::capture_screen();
  size_t still_dark = 0;
  for (const POINT& p : on_edges) still_dark += edge_dark(at(restarted, p.x, p.y));
  EXPECT_LT(still_dark, on_edges.size() / 10) << "of " << on_edges.size();
  EXPECT_GT(count(restarted, brick), 1000) << "the house is not drawn";
}

TEST_F(SettingsE2E, SaveAsWritesTheChosenVersionAndReportsAMissingSource) {
  const std::wstring model = folder_ / L"a house.skp";
  ASSERT_TRUE(wintest::write_file(model, kTriangle));
  ASSERT_NO_FATAL_FAILURE(start(model, false));

  const std::wstring target = folder_ / L"older copy.skp";
  command(1003);
  EXPECT_EQ(save_as_2019(target), L"a house_v2021.skp");
  EXPECT_EQ(box_text(L"另存低版本"), L"文件已成功保存为 SketchUp 2019 版本。\n\n" + target);
  const std::string written = wintest::read_file(target);
  const size_t key = written.find("\"saved_version\"");
  ASSERT_NE(key, std::string::npos) << written;
  EXPECT_EQ(strtol(written.c_str() + written.find(':', key) + 1, nullptr, 10), 12) << written;

  // The open model's file is gone: the conversion cannot reopen it and writes nothing.
  ASSERT_TRUE(DeleteFileW(model.c_str()));
  const std::wstring second = folder_ / L"second.skp";
  command(1003);
  save_as_2019(second);
  EXPECT_EQ(box_text(L"另存低版本"), L"无法打开源文件进行转换。");
  EXPECT_FALSE(wintest::file_exists(second));
}

TEST_F(SettingsE2E, HandOffStartsTheFirstInstalledSketchUpWithTheWholePath) {
  ASSERT_FALSE(wintest::folder_exists(kInstallRoot)) << "a SketchUp is installed in the prefix";
  const std::wstring model = folder_ / L"a house.skp";
  ASSERT_TRUE(wintest::write_file(model, kTriangle));
  fake_installs(true);
  struct Uninstall {
    ~Uninstall() { fake_installs(false); }
  } uninstall;
  ASSERT_NO_FATAL_FAILURE(start(model, false));

  command(1002);
  const std::wstring log = install_folder(L"2019") + L"\\command_line.txt";
  for (int i = 0; i < 200 && !wintest::file_exists(log); ++i) Sleep(100);
  ASSERT_TRUE(wintest::file_exists(log)) << "SketchUp 2019 was not started";
  EXPECT_FALSE(wintest::file_exists(install_folder(L"2025") + L"\\command_line.txt"));
  // The path arrives as one argument, spaces and all: it was quoted.
  const std::string bytes = wintest::read_file(log);
  const std::wstring line(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
  int argc = 0;
  wchar_t** args = CommandLineToArgvW(line.c_str(), &argc);
  const std::wstring argument = args != nullptr && argc == 2 ? args[1] : L"<not one argument>";
  LocalFree(args);
  EXPECT_EQ(argument, model) << line;

  // Nothing installed and nothing associated with .skp: the failure box.
  fake_installs(false);
  command(1002);
  EXPECT_NE(box_text(L"用 SketchUp 打开"), L"<no box>");
}

}  // namespace
