// A ViewerHost recording every call, with a clock the test moves and timers fired once per
// interval.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/viewer_host.h"

namespace lumeno {
namespace test {

class RecordingHost : public ViewerHost {
 public:
  struct Box {
    std::wstring text, caption;
    unsigned flags;
  };
  struct Timer {
    unsigned interval;
    uint32_t due;
  };

  void invalidate() override { ++invalidations; }
  void set_timer(unsigned id, unsigned interval_ms) override {
    timers[id] = Timer{interval_ms, now + interval_ms};
  }
  void kill_timer(unsigned id) override { timers.erase(id); }
  uint32_t tick_count() override { return now; }
  void set_window_title(const std::wstring& title) override { titles.push_back(title); }
  int message_box(const std::wstring& text, const std::wstring& caption, unsigned flags) override {
    boxes.push_back(Box{text, caption, flags});
    return kBoxResultOk;
  }
  void rebuild_scene_menu() override { ++menu_rebuilds; }
  void update_menu_state() override { ++menu_updates; }

  bool timer_running(unsigned id) const { return timers.count(id) != 0; }
  std::wstring title() const { return titles.empty() ? L"Lumeno" : titles.back(); }

  // Moves the clock to `until` (it may wrap), firing due timers in time order through `deliver`.
  void run_until(uint32_t until, const std::function<void(unsigned)>& deliver) {
    for (;;) {
      const auto next = std::min_element(timers.begin(), timers.end(), [](auto& a, auto& b) {
        return static_cast<int32_t>(a.second.due - b.second.due) < 0;
      });
      if (next == timers.end() || static_cast<int32_t>(next->second.due - until) > 0) break;
      now = next->second.due;
      next->second.due = now + next->second.interval;
      deliver(next->first);
    }
    now = until;
  }

  uint32_t now = 100000;
  int invalidations = 0;
  std::map<unsigned, Timer> timers;
  std::vector<std::wstring> titles;
  std::vector<Box> boxes;
  int menu_rebuilds = 0;
  int menu_updates = 0;
};

}  // namespace test
}  // namespace lumeno
