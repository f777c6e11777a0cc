// Walk mode driven the way the window drives it: a scripted keyboard, cursor and clock.
#include "walk/walk_controller.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "core/app_context.h"
#include "core/command_ids.h"
#include "core/command_registry.h"
#include "core/status_toast.h"
#include "render/display_options.h"
#include "render/navigator.h"
#include "render/panes.h"
#include "tests/native/ui/recording_host.h"

namespace lumeno {
namespace {

struct ScriptedWalkHost : WalkHost {
  bool key_down(int vk) override { return keys.count(vk) != 0; }
  bool is_foreground() override { return foreground; }
  void client_to_screen(int& x, int& y) override { x += 1000, y += 500; }
  bool cursor_pos(int& x, int& y) override { return x = cursor[0], y = cursor[1], readable; }
  void set_cursor_pos(int x, int y) override { cursor[0] = x, cursor[1] = y; }
  void capture_mouse() override { captured = true; }
  void release_mouse() override { captured = false; }
  void hide_cursor() override { hidden = true; }
  void show_cursor() override { hidden = false; }
  bool run_settings_dialog(WalkDialogValues& v) override { return dialog_ok && (v = typed, true); }
  std::set<int> keys;
  bool foreground = true, readable = true, captured = false, hidden = false, dialog_ok = true;
  int cursor[2] = {0, 0};
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
    doc.model.triangles.resize(1);  // a model in a 2000-unit box
    for (int k = 0; k < 3; ++k) doc.model.bbox_min[k] = -1000.0f, doc.model.bbox_max[k] = 1000.0f;
    doc.model.loaded = true;
    walk.register_commands();
  }
  Camera& camera() { return panes.active().camera; }
  void tick(uint32_t ms) {  // one walk timer tick `ms` after the previous one
    host.now += ms;
    walk.on_timer(kWalkTimer);
  }
  std::wstring menu_label() { return commands.find(ID_WALK)->label(); }
  const std::wstring& toast() { return status.toast_text; }
};

TEST_F(WalkTest, EnteringSetsUpTheWalkerAndEscapeOrFocusLossRestoresTheWindow) {
  camera().perspective = false, camera().view_locked = true, camera().distance = 0.0f;
  ASSERT_TRUE(commands.run(ID_WALK));
  ASSERT_TRUE(walk.walk_active());
  EXPECT_TRUE(camera().perspective && !camera().view_locked);
  EXPECT_FLOAT_EQ(0.03f * 2000.0f * std::sqrt(3.0f), camera().distance);  // of the diagonal
  EXPECT_TRUE(tools.active() == &walk && host.timer_running(kWalkTimer) && keys.captured &&
              keys.hidden);
  EXPECT_EQ(1000 + panes.active().x + panes.active().width / 2, keys.cursor[0]);
  EXPECT_EQ(L"停止行走", menu_label());
  EXPECT_EQ(0u, toast().find(L"行走模式（贴地行走）：WASD"));

  settings.current_walk_speed = 7.5f;
  walk.on_key_down(kVkEscape);
  EXPECT_FALSE(walk.walk_active() || host.timer_running(kWalkTimer) || keys.captured ||
               keys.hidden || tools.active());
  EXPECT_EQ(7.5f, settings.walk_speed);
  EXPECT_EQ(1, saves);
  EXPECT_EQ(L"行走", menu_label());
  EXPECT_EQ(L"已退出行走模式", toast());

  walk.toggle_walk_mode();
  keys.foreground = false;
  tick(16);
  EXPECT_FALSE(walk.walk_active());
  EXPECT_EQ(L"窗口失去焦点，已自动退出行走模式", toast());
  doc.model.loaded = false;
  walk.toggle_walk_mode();
  EXPECT_FALSE(walk.walk_active());
  EXPECT_EQ(L"请先打开模型，再使用行走功能", toast());
}

TEST_F(WalkTest, HeldTabSwitchesOnceAndEachPressAgain) {
  walk.toggle_walk_mode();
  keys.keys = {kVkTab};
  for (int i = 0; i < 5; ++i) tick(16);
  EXPECT_EQ(WalkMode::Collision, settings.walk_mode);
  EXPECT_EQ(L"行走模式已切换为：碰撞漫游", toast());
  keys.keys.clear();
  tick(16);
  keys.keys = {kVkTab};
  tick(16);
  EXPECT_EQ(WalkMode::Free, settings.walk_mode);
  EXPECT_EQ(2, saves);
}

TEST_F(WalkTest, MovesWithTheFirstTimeStepCoastsWhenOppositeKeysCancelAndLooks) {
  settings.set_walk_mode(0);
  camera().yaw = 0.0f;  // W walks along +Y
  walk.toggle_walk_mode();
  keys.keys = {'W'};
  const float y0 = camera().target_offset[1];
  tick(30);  // the first update uses the real elapsed time
  const float v = 180.0f * static_cast<float>(1.0 - std::pow(0.82, 0.03 / 0.008333334));
  EXPECT_FLOAT_EQ(v, walk.walk_velocity()[1]);
  EXPECT_FLOAT_EQ(y0 + v * 0.03f, camera().target_offset[1]);
  keys.keys = {'W', 'S'};
  tick(16);
  EXPECT_NEAR(v * std::pow(0.88, 0.016 / 0.008333334), walk.walk_velocity()[1], 1e-3);

  keys.cursor[0] += 10, keys.cursor[1] += 100000;  // mouse look; the pitch stops at ±89
  tick(16);
  EXPECT_FLOAT_EQ(-10 * 0.15f, camera().yaw);
  EXPECT_EQ(89.0f, camera().pitch);
  keys.cursor[1] -= 200000;
  tick(16);
  EXPECT_EQ(-89.0f, camera().pitch);
}

TEST_F(WalkTest, SpeedKeysStepWithinTheRangeEveryHundredMilliseconds) {
  struct Case {
    float start;
    std::set<int> keys;
    float first, held;
  } cases[] = {{79.95f, {kVkPlus}, 80.0f, 80.0f},
               {0.1f, {kVkNumpadMinus}, 0.1f, 0.1f},
               {3.0f, {kVkPlus, kVkControl}, 4.0f, 5.0f}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.start);
    settings.walk_speed = c.start;
    walk.toggle_walk_mode();
    keys.keys = c.keys;
    tick(16);
    EXPECT_FLOAT_EQ(c.first, settings.walk_speed);
    tick(50);
    EXPECT_FLOAT_EQ(c.first, settings.current_walk_speed);
    tick(50);
    EXPECT_FLOAT_EQ(c.held, settings.current_walk_speed);
    keys.keys.clear();
    walk.toggle_walk_mode();
  }
}

TEST_F(WalkTest, ValuesThatAreNotFiniteNeverReachTheWalker) {
  settings.walk_speed = NAN, settings.walk_mouse_sensitivity = INFINITY;
  settings.person_height = NAN, settings.step_height = -INFINITY;
  camera().target_offset[0] = NAN;
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

TEST_F(WalkTest, DialogClampsTypedValues) {
  keys.typed = WalkDialogValues{200.0f, 0.01f, 0.0f, 7.0f, 2};
  commands.run(ID_WALK_SETTINGS);
  EXPECT_EQ(80.0f, settings.current_walk_speed);
  EXPECT_EQ(0.02f, settings.walk_mouse_sensitivity);
  EXPECT_EQ(0.2f, settings.person_height);  // text that is no number reads as 0
  EXPECT_EQ(5.0f, settings.step_height);
  EXPECT_TRUE(settings.collision);
  EXPECT_EQ(L"行走设置已保存", toast());
  EXPECT_EQ(1, saves);
}

TEST_F(WalkTest, APressChoosesThePaneAndDestroyStoresTheSpeed) {
  panes.set_layout(2);
  walk.toggle_walk_mode();
  const Viewport second = panes.viewports()[1];
  EXPECT_TRUE(walk.on_mouse_down(1, second.x + 5, second.y + 5));
  EXPECT_EQ(1, panes.active_index());
  walk.on_mouse_wheel(1, 0, 0);  // the wheel steps the current speed only
  EXPECT_FLOAT_EQ(3.0f, settings.walk_speed);
  for (auto& f : destroy) f();
  EXPECT_FALSE(walk.walk_active() || keys.captured || keys.hidden);
  EXPECT_FLOAT_EQ(3.1f, settings.walk_speed);
  EXPECT_EQ(L"行走速度：3.1", toast());  // no leaving toast
  EXPECT_EQ(L"行走", menu_label());
}

}  // namespace
}  // namespace lumeno
