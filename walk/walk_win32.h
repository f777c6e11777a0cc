// Walk mode for the Win32 window: the window's WalkHost and the one call that sets walk mode up.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "walk/walk_controller.h"
#include "walk/walk_host.h"

namespace lumeno {

// WalkHost for the main window: GetAsyncKeyState, the cursor functions, SetCapture and the
// walk settings dialog owned by the window.
class WalkHostWin32 : public WalkHost {
 public:
  explicit WalkHostWin32(HWND window) : window_(window) {}

  bool key_down(int virtual_key) override;
  bool is_foreground() override;
  void client_to_screen(int& x, int& y) override;
  bool cursor_pos(int& x, int& y) override;
  void set_cursor_pos(int x, int y) override;
  void capture_mouse() override;
  void release_mouse() override;
  void hide_cursor() override;
  void show_cursor() override;
  bool run_settings_dialog(WalkDialogValues& values) override;

 private:
  HWND window_;
};

struct WalkFeature {
  std::unique_ptr<WalkHostWin32> host;
  std::unique_ptr<WalkController> controller;
};

// Creates walk mode for `window` and registers its commands and destroy step in `app`.
// `settings` and `save_settings` come from the settings feature.
std::unique_ptr<WalkFeature> make_walk(AppContext& app, WalkSettings& settings, HWND window,
                                       std::function<void()> save_settings);

}  // namespace lumeno
