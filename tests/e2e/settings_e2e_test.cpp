// Settings, save as an older version and the hand-off to SketchUp, through Lumeno.exe's own
// window and the real dialogs: edges turned off stay off after a restart, the save dialog's file
// type decides the version written, and "用 SketchUp 打开" starts the first installed SketchUp.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, whose types it uses.
#include <shellapi.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/e2e_driver.h"
#include "tests/windows/win_test_util.h"

namespace {

constexpr wchar_t kCounts[] = L"Lumeno — 顶点: ";
const char kTriangle[] = R"({"entities":{"faces":[{"outer":[[0,0,0],[100,0,0],[0,100,0]]}]}})";

bool edge_dark(const e2e::Screenshot::Rgb& c) { return c.r < 45 && c.g < 45 && c.b < 45; }
bool brick(const e2e::Screenshot::Rgb& c) { return c.r > 60 && c.r > c.g + 35 && c.r > c.b + 35; }

BOOL CALLBACK collect(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

std::wstring class_of(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

const wchar_t kInstallRoot[] = L"C:\\Program Files\\SketchUp";
std::wstring install_folder(const wchar_t* year) {
  return std::wstring(kInstallRoot) + L"\\SketchUp " + year;
}

// Installs (or removes) copies of fake_sketchup.exe as SketchUp 2019 and SketchUp 2025.
void fake_installs(bool present) {
  if (present) CreateDirectoryW(kInstallRoot, nullptr);
  for (const wchar_t* year : {L"2019", L"2025"}) {
    const std::wstring folder = install_folder(year);
    if (present) {
      CreateDirectoryW(folder.c_str(), nullptr);
      EXPECT_TRUE(
          wintest::copy_file(wintest::windows_path(FAKE_SKETCHUP_EXE), folder + L"\\SketchUp.exe"));
    }
    // A fake that is still ending keeps its file busy for a moment.
    for (int i = 0; !present && i < 50 && wintest::folder_exists(folder); ++i) {
      wintest::delete_tree(folder);
      Sleep(100);
    }
  }
  if (!present) RemoveDirectoryW(kInstallRoot);  // only when nothing else is installed there
}

class SettingsE2E : public ::testing::Test {
 protected:
  SettingsE2E() : folder_(L"e2e settings") {}
  void TearDown() override {
    close();
    // After Lumeno.exe has saved its settings on the way out: later tests start with defaults.
    if (!remove_at_end_.empty()) DeleteFileW(remove_at_end_.c_str());
  }
  // Starts Lumeno.exe on `model` and waits for the load; `settled`: also for the bare title.
  void start(const std::wstring& model, bool settled) {
    lumeno_ = std::make_unique<e2e::Process>(e2e::lumeno_exe(), L"\"" + model + L"\"", L"");
    ASSERT_TRUE(lumeno_->started());
    window_ = lumeno_->wait_for_window(L"TessaryNativeWnd", 60000);
    ASSERT_NE(window_, nullptr);
    for (int i = 0; i < 1500 && e2e::window_text(window_).rfind(kCounts, 0) != 0; ++i) Sleep(20);
    ASSERT_EQ(e2e::window_text(window_).rfind(kCounts, 0), 0u) << "the model did not load";
    if (settled) {
      ASSERT_EQ(e2e::wait_for_title(window_, L"Lumeno", 30000), L"Lumeno");
    }
    GetClientRect(window_, &client_);
    origin_ = e2e::client_to_screen(window_, 0, 0);
  }
  void close() {
    if (window_ != nullptr) PostMessageW(window_, WM_CLOSE, 0, 0);
    window_ = nullptr;
    EXPECT_EQ(lumeno_ ? lumeno_->wait(30000) : 0u, 0u);
    lumeno_.reset();
  }
  void command(unsigned id) { PostMessageW(window_, WM_COMMAND, id, 0); }
  // A visible dialog of Lumeno.exe titled `title`, or null.
  HWND dialog(const std::wstring& title) {
    for (int i = 0; i < 100; ++i) {
      HWND found = lumeno_->wait_for_window(L"#32770", 100);
      if (found != nullptr && e2e::window_text(found) == title) return found;
      Sleep(100);
    }
    return nullptr;
  }
  // The text of the message box captioned `caption`, which is then closed with OK.
  std::wstring box_text(const std::wstring& caption) {
    HWND box = dialog(caption);
    if (box == nullptr) return L"<no box " + caption + L">";
    const std::wstring text = e2e::message_box_text(box);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    for (int i = 0; i < 100 && IsWindow(box); ++i) Sleep(50);
    return text;
  }
  // In the save dialog: picks the file type `type`, types `path` as the name and presses Save.
  // Returns the name the dialog proposed.
  std::wstring save_through_dialog(const std::wstring& type, const std::wstring& path) {
    HWND save = dialog(L"另存为低版本 SKP 文件");
    if (save == nullptr) return L"<no save dialog>";
    std::vector<HWND> controls;
    EnumChildWindows(save, collect, reinterpret_cast<LPARAM>(&controls));
    HWND types = nullptr, name = nullptr;
    LRESULT index = CB_ERR;
    for (HWND c : controls) {
      if (class_of(c) == L"ComboBox" && index < 0) {
        types = c;
        index = SendMessageW(c, CB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(type.c_str()));
      }
      if (class_of(c) == L"Edit" && name == nullptr && IsWindowVisible(c)) name = c;
    }
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
  e2e::Screenshot::Rgb at(const e2e::Screenshot& shot, int x, int y) const {
    return shot.at(origin_.x + x, origin_.y + y);
  }

  wintest::TempFolder folder_;
  std::unique_ptr<e2e::Process> lumeno_;
  HWND window_ = nullptr;
  RECT client_ = {};
  POINT origin_ = {};
  std::wstring remove_at_end_;
};

TEST_F(SettingsE2E, EdgesTurnedOffStayOffAfterARestart) {
  const std::wstring exe = e2e::lumeno_exe();
  const std::wstring ini = exe.substr(0, exe.rfind(L'\\')) + L"\\Tessary.ini";
  DeleteFileW(ini.c_str());
  remove_at_end_ = ini;
  const std::wstring house = wintest::windows_path(std::string(LUMENO_SAMPLES_DIR) + "/house.skp");

  ASSERT_NO_FATAL_FAILURE(start(house, true));
  const e2e::Screenshot with_edges = e2e::capture_screen();
  PostMessageW(window_, WM_KEYDOWN, 'K', 0);
  Sleep(800);
  const e2e::Screenshot without = e2e::capture_screen();
  // The pixels an edge line of the house crosses: dark with edges, something else without.
  std::vector<POINT> on_edges;
  for (int y = 0; y < client_.bottom; y += 2)
    for (int x = 0; x < client_.right - 220; x += 2)  // left of the navigator
      if (edge_dark(at(with_edges, x, y)) && !edge_dark(at(without, x, y)))
        on_edges.push_back({x, y});
  ASSERT_GT(on_edges.size(), 50u) << "no edge of the house seen to go";
  const RECT first_client = client_;
  close();

  const std::string saved = wintest::read_file(ini);
  const size_t display = saved.find("[Display]");
  ASSERT_NE(display, std::string::npos) << "no settings file beside Lumeno.exe";
  EXPECT_NE(saved.find("ShowEdges=0", display), std::string::npos) << saved;

  ASSERT_NO_FATAL_FAILURE(start(house, true));
  ASSERT_TRUE(EqualRect(&client_, &first_client)) << "the window changed size";
  const e2e::Screenshot restarted = e2e::capture_screen();
  size_t still_dark = 0;
  for (const POINT& p : on_edges) still_dark += edge_dark(at(restarted, p.x, p.y));
  EXPECT_LT(still_dark, on_edges.size() / 10) << "of " << on_edges.size();
  const int right = client_.right - 220;
  EXPECT_GT(e2e::count_client_pixels(window_, restarted, 0, 0, right, client_.bottom, brick), 1000)
      << "the house is not drawn";
}

TEST_F(SettingsE2E, SaveAsWritesTheChosenVersionAndReportsAMissingSource) {
  const std::wstring model = folder_ / L"a house.skp";
  ASSERT_TRUE(wintest::write_file(model, kTriangle));
  ASSERT_NO_FATAL_FAILURE(start(model, false));

  const std::wstring target = folder_ / L"older copy.skp";
  command(1003);
  EXPECT_EQ(save_through_dialog(L"SketchUp 2019 (*.skp)", target), L"a house_v2021.skp");
  EXPECT_EQ(box_text(L"另存低版本"), L"文件已成功保存为 SketchUp 2019 版本。\n\n" + target);
  const std::string written = wintest::read_file(target);
  const size_t key = written.find("\"saved_version\"");
  ASSERT_NE(key, std::string::npos) << written;
  EXPECT_EQ(strtol(written.c_str() + written.find(':', key) + 1, nullptr, 10), 12) << written;

  // The open model's file is gone: the conversion cannot reopen it and writes nothing.
  ASSERT_TRUE(DeleteFileW(model.c_str()));
  const std::wstring second = folder_ / L"second.skp";
  command(1003);
  save_through_dialog(L"SketchUp 2019 (*.skp)", second);
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
  int count = 0;
  wchar_t** args = CommandLineToArgvW(line.c_str(), &count);
  const std::wstring argument = args != nullptr && count == 2 ? args[1] : L"<not one argument>";
  LocalFree(args);
  EXPECT_EQ(argument, model) << line;

  // Nothing installed and nothing associated with .skp: the failure box.
  fake_installs(false);
  command(1002);
  EXPECT_EQ(box_text(L"用 SketchUp 打开"),
            L"未找到 SketchUp 安装。\n\n请确认已安装 SketchUp，或手动关联 .skp 文件。");
}

}  // namespace
