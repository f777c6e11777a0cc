// Settings under Wine: the INI file, the fallback folder, the view-angle dialog.
#include <gtest/gtest.h>

#include "settings/settings_win32.h"
#include "settings/view_angle_dialog_win32.h"
#include "tests/windows/win_test_util.h"

using namespace lumeno;

namespace {

struct WindowsSettings : ::testing::Test {
  DisplayOptions display;
  NavigationOptions navigation;
  WalkSettings walk;
  SettingsRefs refs{display, navigation, walk};
};

// Runs a Unix command (no exit code comes back) and waits up to 30 s for `folder` to be (not)
// writable; a loaded machine may be slow to start it.
bool run_unix_until_writable(std::wstring command, const std::wstring& folder, bool writable) {
  STARTUPINFOW si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                      &pi))
    return ADD_FAILURE() << "could not start a Unix program", false;
  WaitForSingleObject(pi.hProcess, 60000), CloseHandle(pi.hProcess), CloseHandle(pi.hThread);
  int i = 0;
  return wintest::wait_until(
      [&] {
        const std::wstring probe = folder + L"\\probe" + std::to_wstring(++i);  // a new entry
        const bool wrote = wintest::write_file(probe, "x");
        return DeleteFileW(probe.c_str()), wrote == writable;
      },
      30000);
}

TEST_F(WindowsSettings, ProfileFileHasBothSectionsInKeyOrder) {
  wintest::TempFolder folder(L"settings_ini");
  Win32ProfileStore store;
  const SettingsFile file(store, folder.path(), L"");
  walk.walk_speed = 3.456f, display.show_materials = false;
  ASSERT_TRUE(file.save(refs));
  const std::string text = wintest::read_file(folder / L"Tessary.ini");
  size_t at = 0;
  for (const char* line :
       {"[Display]", "ShowEdges=1", "ShowMaterials=0", "ShowLighting=1", "RotateSensitivity=1.0",
        "[Walk]", "Speed=3.46", "MouseSensitivity=0.15", "PersonHeight=1.65", "StepHeight=0.35",
        "Mode=1", "GroundFollow=1", "Collision=0"})
    ASSERT_NE(at = text.find(line, at), std::string::npos) << line << " in\n" << text;
  display.show_materials = true;
  file.load(refs);
  EXPECT_FALSE(display.show_materials);  // read back through the profile functions
}

TEST_F(WindowsSettings, ReadOnlyExecutableFolderFallsBackToAppData) {
  // Under Z:, so its Unix name is known; made immutable: not even root may create files in it.
  const std::wstring name = L"lumeno_settings_ro_" + std::to_wstring(GetCurrentProcessId());
  const std::wstring exe = L"Z:\\tmp\\" + name, chattr = L"/usr/bin/chattr ";
  wintest::TempFolder app_data(L"settings_appdata");
  ASSERT_TRUE(CreateDirectoryW(exe.c_str(), nullptr));
  struct Restore {
    std::wstring command, folder;
    ~Restore() { run_unix_until_writable(command, folder, true), RemoveDirectoryW(folder.c_str()); }
  } restore{chattr + L"-i /tmp/" + name, exe};
  ASSERT_TRUE(run_unix_until_writable(chattr + L"+i /tmp/" + name, exe, false));
  Win32ProfileStore store;
  const SettingsFile file(store, exe, app_data.path());
  display.show_edges = false;
  ASSERT_TRUE(file.save(refs));
  EXPECT_TRUE(wintest::file_exists(app_data / L"Lumeno\\Tessary.ini"));
  display.show_edges = true;
  file.load(refs);
  EXPECT_FALSE(display.show_edges);
}

TEST_F(WindowsSettings, ViewAngleDialogControlsAndOutcomes) {
  // Typed text is read leniently (not a number is 0); Escape and the close box cancel.
  const struct {
    const wchar_t* text;
    UINT message;
    WPARAM param;
    DialogOutcome outcome;
    double typed;
  } cases[] = {{L"nan", WM_COMMAND, IDOK, DialogOutcome::Accepted, 0},
               {L" 47.5x", WM_COMMAND, IDOK, DialogOutcome::Accepted, 47.5},
               {L"80", WM_KEYDOWN, VK_ESCAPE, DialogOutcome::Cancelled, -1},
               {L"80", WM_CLOSE, 0, DialogOutcome::Cancelled, -1}};
  HWND owner = wintest::make_owner();
  for (const auto& c : cases) {
    std::wstring seen;  // the dialog as it came up: caption, edit text, labels, owner enabled
    wintest::when_window_appears(kViewAngleDialogClass, [&](HWND dialog) {
      HWND edit = GetDlgItem(dialog, kViewAngleEditId);
      seen = wintest::text_of(dialog) + L";" + wintest::text_of(edit) + L";";
      for (HWND w = GetWindow(dialog, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        if (GetDlgCtrlID(w) == 0) seen += wintest::text_of(w) + L";";
      seen += IsWindowEnabled(owner) ? L"enabled" : L"disabled";
      SetWindowTextW(edit, c.text);
      PostMessageW(c.message == WM_KEYDOWN ? edit : dialog, c.message, c.param, 0);
    });
    double typed = -1;
    EXPECT_EQ(run_view_angle_dialog(owner, 35.0f, &typed), c.outcome) << c.text;
    EXPECT_DOUBLE_EQ(typed, c.typed) << c.text;
    EXPECT_EQ(seen, L"数值;35.00;视角;度;disabled");
    EXPECT_TRUE(IsWindowEnabled(owner));
  }
  DestroyWindow(owner);
}

}  // namespace
