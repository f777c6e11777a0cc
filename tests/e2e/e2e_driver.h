// Drives Lumeno.exe from outside, the way a user's desktop would: start it, find its windows,
// read titles and message boxes, send messages, wait for the exit code.
#pragma once

#include <windows.h>

#include <map>
#include <string>

namespace e2e {

// Lumeno.exe of this build, as a Windows path, and the settings file it writes beside itself
// (removed before and after every test).
std::wstring lumeno_exe();
std::wstring settings_file();

class Process {
 public:
  // Starts `exe` with `arguments` in `working_dir` (empty: inherited), with the current
  // environment plus `overrides`.
  Process(const std::wstring& exe, const std::wstring& arguments, const std::wstring& working_dir,
          const std::map<std::wstring, std::wstring>& overrides = {});
  ~Process();
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  bool started() const { return info_.hProcess != nullptr; }
  DWORD id() const { return info_.dwProcessId; }
  // The exit code, or STILL_ACTIVE when it has not ended within `timeout_ms`.
  DWORD wait(DWORD timeout_ms);

  // A visible top-level window of this process with the given class (null: any), or null when
  // none appears within `timeout_ms`.
  HWND wait_for_window(const wchar_t* class_name, DWORD timeout_ms) const;

 private:
  PROCESS_INFORMATION info_ = {};
};

std::wstring window_text(HWND window);
// The text of a message box (static control 0xFFFF).
std::wstring message_box_text(HWND dialog);
// The title of `window` once it equals `expected`, or the last title seen after `timeout_ms`.
std::wstring wait_for_title(HWND window, const std::wstring& expected, DWORD timeout_ms);

// A screenshot of the whole screen.
struct Screenshot {
  int width = 0;
  int height = 0;
  std::string rgb;  // width * height * 3 bytes, top row first
  bool valid() const { return width > 0 && height > 0; }
  // Colour at screen pixel (x, y); {-1, -1, -1} outside.
  struct Rgb {
    int r, g, b;
  };
  Rgb at(int x, int y) const;
};
Screenshot capture_screen();

// Screen position of a window's client-area point.
POINT client_to_screen(HWND window, int x, int y);

// Pixels of a window's client rectangle [left, right) x [top, bottom), every second pixel in
// each direction, that satisfy `test`.
int count_client_pixels(HWND window, const Screenshot& shot, int left, int top, int right,
                        int bottom, bool (*test)(const Screenshot::Rgb&));

// Whether two colours differ by at most `tolerance` in every channel.
bool near_colour(const Screenshot::Rgb& got, int r, int g, int b, int tolerance);

}  // namespace e2e
