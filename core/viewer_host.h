// What the portable viewer asks of the window that hosts it. The Win32 shell implements this
// with InvalidateRect, SetTimer/KillTimer, GetTickCount, SetWindowTextW, MessageBoxW and its
// menu bar; tests use a recording fake.
#pragma once

#include <cstdint>
#include <string>

namespace lumeno {

// Window timers (identifiers as the window uses them).
constexpr unsigned kToastTimer = 1;   // toast expiry, every 100 ms
constexpr unsigned kStatusTimer = 2;  // clears the load result from the title after 3000 ms
constexpr unsigned kWalkTimer = 3;    // walk-mode update, every 16 ms
constexpr unsigned kLoadTimer = 4;    // watches a load running on a worker, every 100 ms
constexpr unsigned kToastInterval = 100;
constexpr unsigned kStatusInterval = 3000;
constexpr unsigned kLoadInterval = 100;

// Message box flags and results, with the values of the Win32 constants so the shell passes
// them through unchanged.
constexpr unsigned kBoxOk = 0x0;                // MB_OK
constexpr unsigned kBoxIconError = 0x10;        // MB_ICONERROR
constexpr unsigned kBoxIconWarning = 0x30;      // MB_ICONWARNING
constexpr unsigned kBoxIconInformation = 0x40;  // MB_ICONINFORMATION
constexpr int kBoxResultOk = 1;                 // IDOK

class ViewerHost {
 public:
  virtual ~ViewerHost() = default;

  // Repaint the whole client area without erasing the background.
  virtual void invalidate() = 0;
  // Start (or restart) a window timer; stop one. Ticks come back through Viewer::on_timer.
  virtual void set_timer(unsigned id, unsigned interval_ms) = 0;
  virtual void kill_timer(unsigned id) = 0;
  // Milliseconds since an arbitrary start, wrapping at 2^32 (GetTickCount).
  virtual uint32_t tick_count() = 0;
  // The whole window title.
  virtual void set_window_title(const std::wstring& title) = 0;
  // A modal message box owned by the main window; returns the button pressed.
  virtual int message_box(const std::wstring& text, const std::wstring& caption,
                          unsigned flags) = 0;

  // Menu bar services; each does nothing while the window has no menu bar.
  // Refill the layer menu from the model after a successful load.
  virtual void rebuild_scene_menu() = 0;
  // Refresh the check marks, the grayed items and the changing labels from the commands.
  virtual void update_menu_state() = 0;
};

}  // namespace lumeno
