#include "walk/walk_dialog_win32.h"
#include "walk/walk_win32.h"

namespace lumeno {

bool WalkHostWin32::key_down(int virtual_key) {
  return (GetAsyncKeyState(virtual_key) & 0x8000) != 0;
}

bool WalkHostWin32::is_foreground() { return GetForegroundWindow() == window_; }

void WalkHostWin32::client_to_screen(int& x, int& y) {
  POINT p = {x, y};
  ClientToScreen(window_, &p);
  x = p.x, y = p.y;
}

bool WalkHostWin32::cursor_pos(int& x, int& y) {
  POINT p = {};
  if (!GetCursorPos(&p)) return false;
  x = p.x, y = p.y;
  return true;
}

void WalkHostWin32::set_cursor_pos(int x, int y) { SetCursorPos(x, y); }

void WalkHostWin32::capture_mouse() { SetCapture(window_); }

void WalkHostWin32::release_mouse() { ReleaseCapture(); }

void WalkHostWin32::hide_cursor() {
  // Bounded: a display count that never goes negative would otherwise loop for ever.
  for (int i = 0; i < 64 && ShowCursor(FALSE) >= 0; ++i) {
  }
}

void WalkHostWin32::show_cursor() {
  for (int i = 0; i < 64 && ShowCursor(TRUE) < 0; ++i) {
  }
}

bool WalkHostWin32::run_settings_dialog(WalkDialogValues& values) {
  return run_walk_settings_dialog(window_, values);
}

std::unique_ptr<WalkFeature> make_walk(AppContext& app, WalkSettings& settings, HWND window,
                                       std::function<void()> save_settings) {
  auto feature = std::make_unique<WalkFeature>();
  feature->host = std::make_unique<WalkHostWin32>(window);
  feature->controller =
      std::make_unique<WalkController>(app, settings, *feature->host, std::move(save_settings));
  feature->controller->register_commands();
  return feature;
}

}  // namespace lumeno
