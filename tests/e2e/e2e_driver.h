// Drives Lumeno.exe from outside, the way a user's desktop would.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

namespace e2e {

// Lumeno.exe of this build and the settings file beside it, the sample house.
std::wstring lumeno_exe();
std::wstring settings_file();
std::wstring sample_house();

class Process {
 public:
  // Starts `exe` with `arguments`; ended at destruction if still running.
  Process(const std::wstring& exe, const std::wstring& arguments);
  ~Process();

  DWORD id() const { return info_.dwProcessId; }
  // The exit code, or STILL_ACTIVE when it has not ended within `timeout_ms`.
  DWORD wait(DWORD timeout_ms);
  // A visible top-level window of this process with the given class and, when `title` is not
  // null, that title; null when none appears within `timeout_ms`.
  HWND wait_for_window(const wchar_t* class_name, DWORD timeout_ms,
                       const wchar_t* title = nullptr) const;

 private:
  PROCESS_INFORMATION info_ = {};
};

std::wstring window_text(HWND window);

struct Rgb {
  int r, g, b;
};
bool near_colour(const Rgb& got, int r, int g, int b, int tolerance);

// The whole screen, GL included (Wine's screen DC reads the X server's picture).
struct Screenshot {
  int width = 0, height = 0;
  std::vector<unsigned char> bgra;  // top row first
  Rgb at(int x, int y) const;       // {-1, -1, -1} outside
};
Screenshot capture_screen();

// A test with Lumeno.exe running, from the default settings (the settings file beside it is
// removed before and after); closing it at the end expects exit code 0.
class LumenoTest : public ::testing::Test {
 protected:
  LumenoTest() { DeleteFileW(settings_file().c_str()); }
  void TearDown() override { close(), DeleteFileW(settings_file().c_str()); }
  // Starts Lumeno.exe on `model` (empty: none) and waits for the main window; with a model,
  // for the counts in the title and, when `settle`, for the bare title after the first picture.
  void start(const std::wstring& model, bool settle = true);
  void close();
  void key(unsigned vk, DWORD settle_ms = 600) { post(WM_KEYDOWN, vk, settle_ms); }
  void command(unsigned id, DWORD settle_ms = 600) { post(WM_COMMAND, id, settle_ms); }
  void post(UINT message, WPARAM param, DWORD settle_ms);
  Rgb at(const Screenshot& shot, int x, int y) const;
  // Sampled pixels (every second in each direction) of client rectangle `r` that pass `test`,
  // or that differ clearly between two pictures; by default the model area left of the navigator.
  int count(const Screenshot& shot, bool (*test)(const Rgb&), RECT r = {0, 0, 0, 0}) const;
  int changed(const Screenshot& a, const Screenshot& b, RECT r = {0, 0, 0, 0}) const;
  int sampled(RECT r, const std::function<bool(int, int)>& test) const;
  // The text of the message box captioned `caption` (it is then closed with OK).
  std::wstring box_text(const wchar_t* caption);

  std::unique_ptr<Process> lumeno_;
  HWND window_ = nullptr;
  int w_ = 0, h_ = 0;  // client size
};

}  // namespace e2e
