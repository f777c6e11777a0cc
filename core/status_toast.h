// The two status channels of the window: the title ("Lumeno", or "Lumeno — " and a status) and
// the toast, a short message shown over the picture for a given time. Both expire on window
// timers: the toast timer ticks every 100 ms while a toast is up; the status timer clears a load
// result from the title 3000 ms after it was put there.
#pragma once

#include <cstdint>
#include <string>

#include "core/viewer_host.h"

namespace lumeno {

// The title for a status: the bare name for an empty status.
std::wstring title_for_status(const std::wstring& status);

class StatusToast {
 public:
  explicit StatusToast(ViewerHost& host) : host_(host) {}

  // Sets the window title for `status`.
  void set_title_status(const std::wstring& status);
  // Shows `text` for `duration_ms`, replacing any toast at once and restarting the time.
  void show_toast(const std::wstring& text, int duration_ms);
  // Puts a load result in the title and starts the wait that clears it.
  void show_load_result(const std::wstring& status);
  // Puts a status in the title that stays until the next title change: a pending load-result
  // wait is cancelled so it cannot wipe this status.
  void show_lasting_status(const std::wstring& status);

  // Timer ticks.
  void on_toast_timer();
  void on_status_timer();

  bool toast_showing() const { return !toast_text.empty(); }

  std::wstring toast_text;       // empty: no toast
  uint32_t toast_start = 0;      // tick count when the toast was set
  int32_t toast_duration = 3000; // ms
  uint32_t status_time = 0;      // tick count when the load result went into the title

 private:
  ViewerHost& host_;
};

}  // namespace lumeno
