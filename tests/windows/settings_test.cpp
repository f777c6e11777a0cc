// The settings feature's Win32 side under Wine: the INI file on disk, the fallback when the
// executable's folder cannot be written, the file test of the hand-off, the view-angle dialog
// driven from a timer.
#include <gtest/gtest.h>

#include <functional>

#include "settings/settings_win32.h"
#include "settings/view_angle_dialog_win32.h"
#include "tests/windows/win_test_util.h"

using namespace lumeno;

namespace {

struct Members {
  DisplayOptions display;
  NavigationOptions navigation;
  WalkSettings walk;
  SettingsRefs refs() { return {display, navigation, walk}; }
};

// Starts a Unix command (Wine runs Linux programs) and waits for it. Its exit code does not
// come back reliably through Wine, so callers check the effect instead.
void run_unix(const std::wstring& command_line) {
  std::wstring line = command_line;
  STARTUPINFOW si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                      &pi)) {
    ADD_FAILURE() << "could not start a Unix program";
    return;
  }
  WaitForSingleObject(pi.hProcess, 60000);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
}

// Whether a file can be created in `folder` now, polled for a few seconds until it equals
// `wanted` (a Unix program started through Wine may finish after the wait returns).
bool wait_writable(const std::wstring& folder, bool wanted) {
  const std::wstring probe = folder + L"\\probe.txt";
  for (int i = 0; i < 300; ++i) {  // a loaded machine may take seconds to start the helper
    const bool writable = wintest::write_file(probe, "x");
    if (writable) DeleteFileW(probe.c_str());
    if (writable == wanted) return true;
    Sleep(100);
  }
  return false;
}

std::wstring unix_path(const std::wstring& path) {
  using Fn = char* (*)(const wchar_t*);
  auto fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (fn == nullptr) return {};
  char* name = fn(path.c_str());
  if (name == nullptr) return {};
  std::wstring wide(name, name + strlen(name));
  HeapFree(GetProcessHeap(), 0, name);
  return wide;
}

TEST(WindowsSettings, ProfileFileHasBothSectionsInKeyOrder) {
  wintest::TempFolder folder(L"settings_ini");
  Win32ProfileStore store;
  const SettingsFile file(store, folder.path(), L"");
  Members out;
  out.walk.walk_speed = 3.456f;
  out.display.show_materials = false;
  ASSERT_TRUE(file.save(out.refs()));
  const std::string text = wintest::read_file(folder / L"Tessary.ini");
  const char* const order[] = {"[Display]",
                               "ShowEdges=1",
                               "ShowMaterials=0",
                               "ShowLighting=1",
                               "RotateSensitivity=1.0",
                               "[Walk]",
                               "Speed=3.46",
                               "MouseSensitivity=0.15",
                               "PersonHeight=1.65",
                               "StepHeight=0.35",
                               "Mode=1",
                               "GroundFollow=1",
                               "Collision=0"};
  size_t at = 0;
  for (const char* line : order) {
    const size_t found = text.find(line, at);
    ASSERT_NE(found, std::string::npos) << line << " in\n" << text;
    at = found + strlen(line);
  }
  Members in;
  file.load(in.refs());
  EXPECT_FALSE(in.display.show_materials);
  EXPECT_FLOAT_EQ(in.walk.walk_speed, 3.46f);
}

TEST(WindowsSettings, ReadOnlyExecutableFolderFallsBackToAppData) {
  wintest::TempFolder exe(L"settings_ro");
  wintest::TempFolder app_data(L"settings_appdata");
  const std::wstring unix_exe = unix_path(exe.path());
  ASSERT_FALSE(unix_exe.empty());
  // Immutable: not even root may create a file in it.
  run_unix(L"/usr/bin/chattr +i \"" + unix_exe + L"\"");
  struct Restore {
    std::wstring path;
    std::wstring folder;
    ~Restore() {
      run_unix(L"/usr/bin/chattr -i \"" + path + L"\"");
      wait_writable(folder, true);
    }
  } restore{unix_exe, exe.path()};
  ASSERT_TRUE(wait_writable(exe.path(), false)) << "the folder is still writable";

  Win32ProfileStore store;
  const SettingsFile file(store, exe.path(), app_data.path());
  Members out;
  out.display.show_edges = false;
  ASSERT_TRUE(file.save(out.refs()));
  EXPECT_FALSE(wintest::file_exists(exe / L"Tessary.ini"));
  EXPECT_TRUE(wintest::file_exists(app_data / L"Lumeno\\Tessary.ini"));
  Members in;
  file.load(in.refs());
  EXPECT_FALSE(in.display.show_edges);
}

TEST(WindowsSettings, AFolderIsNoInstallation) {
  wintest::TempFolder folder(L"settings_handoff");
  CreateDirectoryW((folder / L"SketchUp.exe").c_str(), nullptr);
  wintest::write_file(folder / L"real.exe", "MZ");
  Win32SettingsPlatform platform(nullptr);
  EXPECT_FALSE(platform.is_existing_file(folder / L"SketchUp.exe"));
  EXPECT_TRUE(platform.is_existing_file(folder / L"real.exe"));
  EXPECT_FALSE(platform.is_existing_file(folder / L"missing.exe"));
}

// What the timer does once the dialog is up.
std::function<void(HWND dialog)> g_script;
HWND g_owner = nullptr;

void CALLBACK drive_dialog(HWND, UINT, UINT_PTR id, DWORD) {
  HWND dialog = FindWindowW(kViewAngleDialogClass, L"数值");
  if (dialog == nullptr) return;
  KillTimer(nullptr, id);
  g_script(dialog);
}

DialogOutcome run_scripted(float fov, double* typed, std::function<void(HWND)> script) {
  g_script = std::move(script);
  SetTimer(nullptr, 0, 50, drive_dialog);
  return run_view_angle_dialog(g_owner, fov, typed);
}

std::wstring text_of(HWND window) {
  wchar_t text[128] = {};
  GetWindowTextW(window, text, 128);
  return text;
}

TEST(WindowsSettings, ViewAngleDialogControlsAndOutcomes) {
  g_owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 600,
                            400, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(g_owner, nullptr);
  double typed = -1;
  DialogOutcome outcome = run_scripted(35.0f, &typed, [](HWND dialog) {
    EXPECT_FALSE(IsWindowEnabled(g_owner));
    RECT r;
    GetWindowRect(dialog, &r);
    EXPECT_EQ(r.right - r.left, 280);
    EXPECT_EQ(r.bottom - r.top, 122);
    HWND edit = GetDlgItem(dialog, kViewAngleEditId);
    EXPECT_EQ(text_of(edit), L"35.00");
    EXPECT_EQ(text_of(GetDlgItem(dialog, IDOK)), L"确定");
    EXPECT_EQ(text_of(GetDlgItem(dialog, IDCANCEL)), L"取消");
    std::wstring labels;
    for (HWND c = GetWindow(dialog, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
      if (GetDlgCtrlID(c) == 0) labels += text_of(c) + L";";
    }
    EXPECT_EQ(labels, L"视角;度;");
    SetWindowTextW(edit, L"150");
    SendMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
  });
  EXPECT_EQ(outcome, DialogOutcome::Accepted);
  EXPECT_DOUBLE_EQ(typed, 150.0);
  EXPECT_TRUE(IsWindowEnabled(g_owner));

  struct Case {
    const wchar_t* text;
    double typed;
  } numbers[] = {{L"nan", 0.0}, {L" 47.5x", 47.5}};
  for (const Case& c : numbers) {
    outcome = run_scripted(35.0f, &typed, [&c](HWND dialog) {
      SetWindowTextW(GetDlgItem(dialog, kViewAngleEditId), c.text);
      PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(outcome, DialogOutcome::Accepted) << c.text;
    EXPECT_DOUBLE_EQ(typed, c.typed) << c.text;
  }

  // Escape through the dialog keyboard handling, and the close box, both cancel.
  outcome = run_scripted(35.0f, &typed, [](HWND dialog) {
    PostMessageW(GetDlgItem(dialog, kViewAngleEditId), WM_KEYDOWN, VK_ESCAPE, 0);
  });
  EXPECT_EQ(outcome, DialogOutcome::Cancelled);
  outcome = run_scripted(35.0f, &typed, [](HWND dialog) { PostMessageW(dialog, WM_CLOSE, 0, 0); });
  EXPECT_EQ(outcome, DialogOutcome::Cancelled);
  EXPECT_TRUE(IsWindowEnabled(g_owner));
  DestroyWindow(g_owner);
}

}  // namespace
