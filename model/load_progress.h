// What a load running on a worker thread shares with the thread watching it: a cancel request
// the load honours between SDK calls, and how far it has come as a whole percentage that only
// grows. The worker is the only writer of the percentage; any thread may read it or cancel.
#pragma once

#include <atomic>

namespace lumeno {

class LoadProgress {
 public:
  void cancel() { cancelled_.store(true, std::memory_order_relaxed); }
  bool cancelled() const { return cancelled_.load(std::memory_order_relaxed); }

  // 0 to 100.
  int percent() const { return percent_.load(std::memory_order_acquire); }
  // Raises the percentage to `fraction` of the whole (0 to 1); a smaller value than the one
  // reported before changes nothing, so the percentage never goes back.
  void advance_to(double fraction) {
    if (!(fraction > 0.0)) return;  // also NaN
    const int value = fraction >= 1.0 ? 100 : static_cast<int>(fraction * 100.0);
    if (value <= written_) return;
    written_ = value;
    percent_.store(value, std::memory_order_release);
  }

 private:
  std::atomic<bool> cancelled_{false};
  std::atomic<int> percent_{0};
  int written_ = 0;  // the worker's own copy of the last value stored
};

}  // namespace lumeno
