// Walk mode driven the way the window drives it: a scripted keyboard, cursor and clock.
#include "walk/walk_controller.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>

#include "core/app_context.h"
#include "core/command_ids.h"
#include "core/command_registry.h"
#include "core/status_toast.h"
#include "model/document.h"
#include "render/display_options.h"
#include "render/navigator.h"
#include "render/panes.h"
#include "tests/native/ui/recording_host.h"
#include "walk_test_model.h"

namespace lumeno {
namespace {

struct ScriptedWalkHost : WalkHost {
  bool key_down(int vk) override { return keys.count(vk) != 0; }
  bool is_foreground() override { return foreground; }
  void client_to_screen(int& x, int& y) override { x += 1000, y += 500; }
  bool cursor_pos(int& x, int& y) override {
    x = cursor[0], y = cursor[1];
    return cursor_readable;
  }
  void set_cursor_pos(int x, int y) override { cursor[0] = x, cursor[1] = y; }
  void capture_mouse() override { captured = true; }
  void release_mouse() override { captured = false; }
  void hide_cursor() override { cursor_hidden = true; }
  void show_cursor() override { cursor_hidden = false; }
  bool run_settings_dialog(WalkDialogValues& v) override {
    if (!dialog_ok) return false;
    v = typed;
    return true;
  }
  std::set<int> keys;
  bool foreground = true, cursor_readable = true, captured = false, cursor_hidden = false;
  int cursor[2] = {0, 0};
  bool dialog_ok = true;
  WalkDialogValues typed;
};

struct WalkTest : ::testing::Test {
  Document doc;
  Panes panes;
  AxisNavigator navigator;
  DisplayOptions display;
  NavigationOptions navigation;
  test::RecordingHost host;
  StatusToast status{host};
  CommandRegistry commands;
  ToolStack tools;
  std::vector<PaneOverlay> overlays;
  std::vector<std::function<void()>> destroy;
  AppContext app{doc,  panes,    navigator, display,  navigation, status,
                 host, commands, tools,     overlays, destroy};
  WalkSettings settings;
  ScriptedWalkHost keys;
  int saves = 0;
  WalkController walk{app, settings, keys, [this] { ++saves; }};

  void SetUp() override {
    panes.init();
    test::add_floor(doc.model, -1000, -1000, 1000, 1000, 0);
    test::finish(doc.model);
    walk.register_commands();
  }
  Camera& camera() { return panes.active().camera; }
  // One walk timer tick `ms` after the previous one.
  void tick(uint32_t ms) {
    host.now += ms;
    walk.on_timer(kWalkTimer);
  }
  std::wstring menu_label() { return commands.find(ID_WALK)->label(); }
};

TEST_F(WalkTest, EnteringSetsUpTheWalkerAndLeavingRestoresTheWindow) {
  camera().perspective = false;
  camera().view_locked = true;
  camera().distance = 0.0f;
  ASSERT_TRUE(commands.run(ID_WALK));
  ASSERT_TRUE(walk.walk_active());
  EXPECT_TRUE(camera().perspective);
  EXPECT_FALSE(camera().view_locked);
  EXPECT_FLOAT_EQ(0.03f * std::sqrt(2000.0f * 2000.0f * 2), camera().distance);
  EXPECT_EQ(&walk, tools.active());
  EXPECT_TRUE(host.timer_running(kWalkTimer));
  EXPECT_TRUE(keys.captured && keys.cursor_hidden);
  const Viewport& pane = panes.active();
  EXPECT_EQ(1000 + pane.x + pane.width / 2, keys.cursor[0]);
  EXPECT_EQ(L"停止行走", menu_label());
  EXPECT_EQ(0u, status.toast_text.find(L"行走模式（贴地行走）：WASD"));

  settings.current_walk_speed = 7.5f;
  EXPECT_TRUE(walk.on_key_down('W'));  // every key is taken; only Escape acts
  EXPECT_TRUE(walk.walk_active());
  walk.on_key_down(kVkEscape);
  EXPECT_FALSE(walk.walk_active());
  EXPECT_FALSE(host.timer_running(kWalkTimer) || keys.captured || keys.cursor_hidden);
  EXPECT_EQ(nullptr, tools.active());
  EXPECT_EQ(7.5f, settings.walk_speed);
  EXPECT_EQ(1, saves);
  EXPECT_EQ(L"行走", menu_label());
  EXPECT_EQ(L"已退出行走模式", status.toast_text);

  // A camera already closer than the walking distance keeps its distance.
  camera().distance = 2.0f;
  walk.toggle_walk_mode();
  EXPECT_EQ(2.0f, camera().distance);
}

TEST_F(WalkTest, RefusedWithoutAModelAndLeftOnFocusLoss) {
  doc.model.loaded = false;
  walk.toggle_walk_mode();
  EXPECT_FALSE(walk.walk_active());
  EXPECT_EQ(L"请先打开模型，再使用行走功能", status.toast_text);
  doc.model.loaded = true;
  walk.toggle_walk_mode();
  keys.foreground = false;
  tick(16);
  EXPECT_FALSE(walk.walk_active());
  EXPECT_EQ(L"窗口失去焦点，已自动退出行走模式", status.toast_text);
}

TEST_F(WalkTest, HeldTabSwitchesOnceAndEachPressAgain) {
  walk.toggle_walk_mode();
  keys.keys = {kVkTab};
  for (int i = 0; i < 5; ++i) tick(16);
  EXPECT_EQ(WalkMode::Collision, settings.walk_mode);
  EXPECT_TRUE(settings.collision);
  EXPECT_EQ(L"行走模式已切换为：碰撞漫游", status.toast_text);
  keys.keys.clear();
  tick(16);
  keys.keys = {kVkTab};
  tick(16);
  EXPECT_EQ(WalkMode::Free, settings.walk_mode);
  EXPECT_FALSE(settings.ground_follow || settings.collision);
  EXPECT_EQ(2, saves);
}

TEST_F(WalkTest, MovesWithTheFirstTimeStepAndCoastsWhenOppositeKeysCancel) {
  settings.set_walk_mode(0);
  camera().yaw = 0.0f;  // W walks along +Y
  walk.toggle_walk_mode();
  keys.keys = {'W'};
  const float y0 = camera().target_offset[1];
  tick(30);  // the first update uses the real elapsed time
  const float k = static_cast<float>(1.0 - std::pow(0.82, 0.03 / 0.008333334));
  const float v = 180.0f * k;
  EXPECT_FLOAT_EQ(v, walk.walk_velocity()[1]);
  EXPECT_FLOAT_EQ(y0 + v * 0.03f, camera().target_offset[1]);

  keys.keys = {'W', 'S'};
  const float before = walk.walk_velocity()[1];
  tick(16);
  EXPECT_NEAR(before * std::pow(0.88, 0.016 / 0.008333334), walk.walk_velocity()[1], 1e-3);
  tick(5000);  // a long pause counts as 0.05 s
  for (int i = 0; i < 200; ++i) tick(16);
  EXPECT_EQ(0.0f, walk.walk_velocity()[1]);
}

TEST_F(WalkTest, SpeedKeysStepWithinTheRangeEveryHundredMilliseconds) {
  struct Case {
    float start;
    int key;
    bool ctrl;
    float first, held;
  } cases[] = {{79.95f, kVkPlus, false, 80.0f, 80.0f},
               {0.1f, kVkNumpadMinus, false, 0.1f, 0.1f},
               {3.0f, kVkPlus, true, 4.0f, 5.0f}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.start);
    settings.walk_speed = c.start;
    walk.toggle_walk_mode();
    keys.keys = {c.key};
    if (c.ctrl) keys.keys.insert(kVkControl);
    tick(16);
    EXPECT_FLOAT_EQ(c.first, settings.current_walk_speed);
    EXPECT_FLOAT_EQ(c.first, settings.walk_speed);
    tick(50);
    EXPECT_FLOAT_EQ(c.first, settings.current_walk_speed);
    tick(50);
    EXPECT_FLOAT_EQ(c.held, settings.current_walk_speed);
    keys.keys.clear();
    walk.toggle_walk_mode();
  }
  // The wheel steps the current speed only.
  settings.walk_speed = 79.95f;
  walk.toggle_walk_mode();
  walk.on_mouse_wheel(120, 0, 0);
  EXPECT_EQ(80.0f, settings.current_walk_speed);
  EXPECT_EQ(L"行走速度：80.0", status.toast_text);
  walk.on_mouse_wheel(-1, 0, 0);
  EXPECT_FLOAT_EQ(79.9f, settings.current_walk_speed);
  EXPECT_FLOAT_EQ(79.95f, settings.walk_speed);
}

TEST_F(WalkTest, MouseLookTurnsAndPitchStopsAtTheLimit) {
  walk.toggle_walk_mode();
  const float yaw = camera().yaw;
  keys.cursor[0] += 10;
  keys.cursor[1] += 100000;
  tick(16);
  EXPECT_FLOAT_EQ(yaw - 10 * 0.15f, camera().yaw);
  EXPECT_EQ(89.0f, camera().pitch);
  keys.cursor[1] -= 200000;
  tick(16);
  EXPECT_EQ(-89.0f, camera().pitch);
  keys.cursor[0] += 5;
  keys.cursor_readable = false;  // no look, movement still runs
  tick(16);
  EXPECT_FLOAT_EQ(yaw - 10 * 0.15f, camera().yaw);
}

TEST_F(WalkTest, SettlingWithNoKeyHeldRepaintsUntilTheEyeRests) {
  camera().target_offset[2] = 70.0f;  // the eye about 0.2 m above person height over the floor
  walk.toggle_walk_mode();
  const float z = camera().target_offset[2];
  int repaints = host.invalidations;
  tick(16);
  EXPECT_LT(camera().target_offset[2], z);
  EXPECT_GT(host.invalidations, repaints);
  for (int i = 0; i < 200; ++i) tick(16);
  repaints = host.invalidations;
  tick(16);
  EXPECT_EQ(repaints, host.invalidations);  // at rest: nothing to show
}

TEST_F(WalkTest, ValuesThatAreNotFiniteNeverReachTheWalker) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  settings.walk_speed = nan;
  settings.walk_mouse_sensitivity = inf;
  settings.person_height = nan;
  settings.step_height = -inf;
  camera().target_offset[0] = nan;
  walk.toggle_walk_mode();
  EXPECT_EQ(0.1f, settings.current_walk_speed);
  EXPECT_EQ(0.02f, settings.walk_mouse_sensitivity);
  EXPECT_EQ(0.2f, settings.person_height);
  EXPECT_EQ(0.0f, settings.step_height);
  keys.keys = {'W', 'E'};
  keys.cursor[0] += 3;
  for (int i = 0; i < 10; ++i) tick(16);
  for (float v : camera().target_offset) EXPECT_TRUE(std::isfinite(v));
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(std::isfinite(walk.walk_velocity()[i]));
}

TEST_F(WalkTest, DialogClampsTypedValuesAndCancelChangesNothing) {
  keys.typed = WalkDialogValues{200.0f, 0.01f, 0.0f, 7.0f, 2};
  commands.run(ID_WALK_SETTINGS);
  EXPECT_EQ(80.0f, settings.walk_speed);
  EXPECT_EQ(80.0f, settings.current_walk_speed);
  EXPECT_EQ(0.02f, settings.walk_mouse_sensitivity);
  EXPECT_EQ(0.2f, settings.person_height);  // text that is no number reads as 0
  EXPECT_EQ(5.0f, settings.step_height);
  EXPECT_TRUE(settings.collision);
  EXPECT_EQ(1, saves);
  EXPECT_EQ(L"行走设置已保存", status.toast_text);

  keys.dialog_ok = false;
  keys.typed.speed = 1.0f;
  status.toast_text.clear();
  commands.run(ID_WALK_SETTINGS);
  EXPECT_EQ(80.0f, settings.walk_speed);
  EXPECT_EQ(1, saves);
  EXPECT_TRUE(status.toast_text.empty());
}

TEST_F(WalkTest, APressChoosesThePaneAndDestroyStoresTheSpeed) {
  panes.set_layout(2);
  walk.toggle_walk_mode();
  const Viewport second = panes.viewports()[1];
  EXPECT_TRUE(walk.on_mouse_down(1, second.x + 5, second.y + 5));
  EXPECT_EQ(1, panes.active_index());
  walk.on_mouse_wheel(1, 0, 0);
  for (auto& f : destroy) f();
  EXPECT_FALSE(walk.walk_active() || keys.captured || keys.cursor_hidden);
  EXPECT_FLOAT_EQ(3.1f, settings.walk_speed);
  EXPECT_EQ(L"行走速度：3.1", status.toast_text);  // no leaving toast
  EXPECT_EQ(L"行走", menu_label());
}

}  // namespace
}  // namespace lumeno
