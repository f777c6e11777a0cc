// What walk mode asks of the window beyond the viewer's services: the keyboard state, the
// cursor, mouse capture, the foreground test and the settings dialog. The Win32 shell implements
// it in walk_host_win32.cpp; tests script it.
#pragma once

#include <cstdint>

namespace lumeno {

// Virtual keys walk mode polls (the Win32 VK_ values).
constexpr int kVkTab = 0x09;
constexpr int kVkShift = 0x10;
constexpr int kVkControl = 0x11;
constexpr int kVkAlt = 0x12;
constexpr int kVkEscape = 0x1B;
constexpr int kVkSpace = 0x20;
constexpr int kVkNumpadPlus = 0x6B;
constexpr int kVkNumpadMinus = 0x6D;
constexpr int kVkPlus = 0xBB;
constexpr int kVkMinus = 0xBD;

// The values the walk settings dialog edits: in, the settings; out, what was typed.
struct WalkDialogValues {
  float speed = 3.0f;
  float mouse_sensitivity = 0.15f;
  float person_height = 1.65f;
  float step_height = 0.35f;
  int32_t mode = 1;
};

class WalkHost {
 public:
  virtual ~WalkHost() = default;

  // The key is down now (the high bit of its asynchronous state).
  virtual bool key_down(int virtual_key) = 0;
  // The main window is the foreground window.
  virtual bool is_foreground() = 0;
  // Client to screen coordinates of the main window, in place.
  virtual void client_to_screen(int& x, int& y) = 0;
  // The cursor's screen position; false when it cannot be read.
  virtual bool cursor_pos(int& x, int& y) = 0;
  virtual void set_cursor_pos(int x, int y) = 0;
  virtual void capture_mouse() = 0;
  virtual void release_mouse() = 0;
  // Hide until the display count is negative; show until it is not.
  virtual void hide_cursor() = 0;
  virtual void show_cursor() = 0;
  // Runs the modal walk settings dialog on `values`; true when it closed with OK. A dialog that
  // cannot be opened reports that itself and returns false.
  virtual bool run_settings_dialog(WalkDialogValues& values) = 0;
};

}  // namespace lumeno
