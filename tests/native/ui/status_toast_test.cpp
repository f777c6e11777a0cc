// Title status and toasts: texts, timers and expiry.
#include "core/status_toast.h"

#include <gtest/gtest.h>

#include "tests/native/ui/recording_host.h"

namespace lumeno {
namespace {

class StatusToastTest : public ::testing::Test {
 protected:
  void run_until(uint32_t t) {
    host.run_until(t, [this](unsigned id) {
      if (id == kToastTimer) status.on_toast_timer();
      if (id == kStatusTimer) status.on_status_timer();
    });
  }

  test::RecordingHost host;
  StatusToast status{host};
};

TEST_F(StatusToastTest, ToastEndsAtTheFirstTickAtOrAfterItsDurationAndANewOneRestarts) {
  host.now = 0xFFFFFF00u;  // 256 ms before the tick count wraps
  const uint32_t start = host.now;
  status.show_toast(L"视角已锁定", 900);
  EXPECT_EQ(host.timers[kToastTimer].interval, 100u);
  const int repaints = host.invalidations;
  run_until(start + 899);
  EXPECT_TRUE(status.toast_showing());
  EXPECT_EQ(host.invalidations, repaints);
  run_until(start + 900);
  EXPECT_FALSE(status.toast_showing() || host.timer_running(kToastTimer));
  EXPECT_EQ(host.invalidations, repaints + 1);

  status.show_toast(L"a", 3000);
  run_until(start + 3400);
  status.show_toast(L"b", 3000);  // replaces and restarts
  run_until(start + 6399);
  EXPECT_EQ(status.toast_text, L"b");
  run_until(start + 6400);
  EXPECT_FALSE(status.toast_showing());
  const int after = host.invalidations;
  status.on_toast_timer();  // a stale tick: nothing to clear, nothing to repaint
  EXPECT_EQ(host.invalidations, after);
}

TEST_F(StatusToastTest, LoadResultStaysThreeSecondsFromItsLatestShowingUnlessALastingOneFollows) {
  const uint32_t start = host.now;
  status.show_load_result(L"A");
  host.now = start + 2999;  // an early tick changes nothing
  status.on_status_timer();
  EXPECT_EQ(host.title(), L"Lumeno — A");
  run_until(start + 2000);
  status.show_load_result(L"B");
  run_until(start + 4999);
  EXPECT_EQ(host.title(), L"Lumeno — B");
  run_until(start + 5000);
  EXPECT_TRUE(host.title() == L"Lumeno" && !host.timer_running(kStatusTimer));

  status.show_load_result(L"A");
  run_until(start + 6000);
  status.show_lasting_status(L"加载失败");
  run_until(start + 20000);
  EXPECT_EQ(host.title(), L"Lumeno — 加载失败");
}

}  // namespace
}  // namespace lumeno
