// Title status and toasts: texts, timers and expiry.
#include "core/status_toast.h"

#include <gtest/gtest.h>

#include "tests/native/ui/recording_host.h"

namespace lumeno {
namespace {

using test::RecordingHost;

class StatusToastTest : public ::testing::Test {
 protected:
  void run_until(uint32_t t) {
    host.run_until(t, [this](unsigned id) {
      if (id == kToastTimer) status.on_toast_timer();
      if (id == kStatusTimer) status.on_status_timer();
    });
  }

  RecordingHost host;
  StatusToast status{host};
};

TEST_F(StatusToastTest, TitleTexts) {
  struct Case {
    std::wstring status, title;
  };
  const Case cases[] = {{L"", L"Lumeno"},
                        {L"正在加载...", L"Lumeno — 正在加载..."},
                        {L"加载失败", L"Lumeno — 加载失败"},
                        {L" ", L"Lumeno —  "}};
  for (const Case& c : cases) {
    EXPECT_EQ(title_for_status(c.status), c.title);
    status.set_title_status(c.status);
    EXPECT_EQ(host.title(), c.title);
  }
}

TEST_F(StatusToastTest, ToastEndsAtTheFirstTickAtOrAfterItsDuration) {
  const uint32_t start = host.now;
  status.show_toast(L"行走速度：3.1", 900);
  EXPECT_EQ(status.toast_text, L"行走速度：3.1");
  EXPECT_EQ(status.toast_start, start);
  EXPECT_EQ(status.toast_duration, 900);
  EXPECT_TRUE(host.timer_running(kToastTimer));
  EXPECT_EQ(host.timers[kToastTimer].interval, 100u);
  const int repaints = host.invalidations;
  EXPECT_GE(repaints, 1);

  run_until(start + 899);  // eight ticks, 100 .. 800 ms
  EXPECT_TRUE(status.toast_showing());
  EXPECT_TRUE(host.timer_running(kToastTimer));
  EXPECT_EQ(host.invalidations, repaints);

  run_until(start + 900);  // the ninth tick
  EXPECT_FALSE(status.toast_showing());
  EXPECT_FALSE(host.timer_running(kToastTimer));
  EXPECT_EQ(host.invalidations, repaints + 1);
}

TEST_F(StatusToastTest, NewToastReplacesAndRestartsItsTime) {
  const uint32_t start = host.now;
  status.show_toast(L"视角已锁定", 3000);
  run_until(start + 2500);
  status.show_toast(L"视角已解锁", 3000);
  EXPECT_EQ(status.toast_text, L"视角已解锁");
  EXPECT_EQ(status.toast_start, start + 2500);
  run_until(start + 5400);
  EXPECT_EQ(status.toast_text, L"视角已解锁");
  run_until(start + 5500);
  EXPECT_FALSE(status.toast_showing());
}

TEST_F(StatusToastTest, ToastSurvivesTheTickCountWrap) {
  host.now = 0xFFFFFF00u;  // 256 ms before the wrap
  status.show_toast(L"x", 1000);
  run_until(0xFFFFFF00u + 900);  // past the wrap
  EXPECT_TRUE(status.toast_showing());
  run_until(0xFFFFFF00u + 1000);
  EXPECT_FALSE(status.toast_showing());
}

TEST_F(StatusToastTest, StaleToastTickIsHarmless) {
  status.on_toast_timer();  // no toast: nothing to clear, nothing to repaint
  EXPECT_FALSE(status.toast_showing());
  EXPECT_EQ(host.invalidations, 0);
}

TEST_F(StatusToastTest, LoadResultStaysAtLeastThreeSeconds) {
  const uint32_t start = host.now;
  status.show_load_result(L"顶点: 3");
  EXPECT_EQ(host.title(), L"Lumeno — 顶点: 3");
  EXPECT_EQ(status.status_time, start);
  ASSERT_TRUE(host.timer_running(kStatusTimer));
  EXPECT_EQ(host.timers[kStatusTimer].interval, 3000u);

  // A tick that arrives early (the timer was set before status_time was read) changes nothing.
  host.now = start + 2999;
  status.on_status_timer();
  EXPECT_EQ(host.title(), L"Lumeno — 顶点: 3");
  EXPECT_TRUE(host.timer_running(kStatusTimer));

  run_until(start + 3000);
  EXPECT_EQ(host.title(), L"Lumeno");
  EXPECT_FALSE(host.timer_running(kStatusTimer));
}

TEST_F(StatusToastTest, NewLoadResultRestartsTheWait) {
  const uint32_t start = host.now;
  status.show_load_result(L"A");
  run_until(start + 2000);
  status.show_load_result(L"B");
  run_until(start + 4999);
  EXPECT_EQ(host.title(), L"Lumeno — B");
  run_until(start + 5000);
  EXPECT_EQ(host.title(), L"Lumeno");
}

TEST_F(StatusToastTest, LastingStatusIsNotClearedByAnEarlierWait) {
  const uint32_t start = host.now;
  status.show_load_result(L"A");
  run_until(start + 1000);
  status.show_lasting_status(L"加载失败");
  EXPECT_FALSE(host.timer_running(kStatusTimer));
  run_until(start + 10000);
  EXPECT_EQ(host.title(), L"Lumeno — 加载失败");
}

}  // namespace
}  // namespace lumeno
