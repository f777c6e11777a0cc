#include "core/status_toast.h"

namespace lumeno {

namespace {
const wchar_t kAppTitle[] = L"Lumeno";
const wchar_t kSeparator[] = L" — ";
constexpr uint32_t kStatusHoldMs = 3000;
}  // namespace

std::wstring title_for_status(const std::wstring& status) {
  if (status.empty()) return kAppTitle;
  return std::wstring(kAppTitle) + kSeparator + status;
}

void StatusToast::set_title_status(const std::wstring& status) {
  host_.set_window_title(title_for_status(status));
}

void StatusToast::show_toast(const std::wstring& text, int duration_ms) {
  toast_text = text;
  toast_start = host_.tick_count();
  toast_duration = duration_ms;
  host_.set_timer(kToastTimer, kToastInterval);
  host_.invalidate();
}

void StatusToast::show_load_result(const std::wstring& status) {
  set_title_status(status);
  status_time = host_.tick_count();
  host_.set_timer(kStatusTimer, kStatusInterval);
}

void StatusToast::show_lasting_status(const std::wstring& status) {
  host_.kill_timer(kStatusTimer);
  set_title_status(status);
}

void StatusToast::on_toast_timer() {
  // Signed, so a start time a little in the future (tick count read late) counts as not yet.
  const int32_t elapsed = static_cast<int32_t>(host_.tick_count() - toast_start);
  if (toast_duration > elapsed) return;
  const bool had_text = !toast_text.empty();
  toast_text.clear();
  host_.kill_timer(kToastTimer);
  if (had_text) host_.invalidate();
}

void StatusToast::on_status_timer() {
  // Unsigned difference: correct across the 49.7-day wrap of the tick count.
  if (host_.tick_count() - status_time < kStatusHoldMs) return;
  host_.kill_timer(kStatusTimer);
  set_title_status(std::wstring());
}

}  // namespace lumeno
