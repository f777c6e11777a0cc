// Walk mode: ground and walls, the index against the scans, the controller as the window drives it.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>
#include <tuple>

#include "core/command_ids.h"
#include "tests/native/ui/recording_host.h"
#include "ui/viewer.h"
#include "walk/walk_controller.h"
#include "walk/walk_geometry.h"
#include "walk/walk_ground.h"
#include "walk/walk_index.h"

namespace lumeno {
namespace {

using P = Vec3;

void add_triangle(SkpModel& m, P a, P b, P c, int layer = -1) {
  Triangle& t = m.triangles.emplace_back();
  const P p[3] = {a, b, c};
  for (int i = 0; i < 3; ++i)
    t.vertices[i].x = p[i].x, t.vertices[i].y = p[i].y, t.vertices[i].z = p[i].z;
  t.face_layer = layer;
}

void add_quad(SkpModel& m, P a, P b, P c, P d) {
  add_triangle(m, a, b, c), add_triangle(m, a, c, d);
}
void add_floor(SkpModel& m, float x0, float y0, float x1, float y1, float z) {
  add_quad(m, {x0, y0, z}, {x1, y0, z}, {x1, y1, z}, {x0, y1, z});
}

void finish(SkpModel& m) {  // loaded, in a fixed box centred on the origin
  for (int k = 0; k < 3; ++k) m.bbox_min[k] = -1000.0f, m.bbox_max[k] = 1000.0f;
  m.loaded = !m.triangles.empty();
}

constexpr float kM = 39.3701f;  // model units per metre

struct GroundScene : ::testing::Test {
  GroundScene() { camera.distance = 0.0f; }
  // A floor at z = 0 and, at x = 500, a second floor `drop` below or (drop 0) a wall along Y.
  void build(float drop) {
    doc.model.triangles.clear(), doc.touch();
    add_floor(doc.model, 0, 0, drop > 0 ? 500 : 1000, 1000, 0);
    drop > 0 ? add_floor(doc.model, 500, 0, 1000, 1000, -drop)
             : add_quad(doc.model, {500, 0, 0}, {500, 1000, 0}, {500, 1000, 200}, {500, 0, 200});
    finish(doc.model);
  }
  void place(float x, float y, float z) { eye[0] = x, eye[1] = y, eye[2] = z; }
  void step_to(float x, float y) {  // from the eye's place
    const float px = eye[0], py = eye[1];
    place(x, y, eye[2]);
    ground.apply_walk_constraints(camera, px, py, eye[2], velocity);
  }
  Document doc;
  WalkSettings settings;
  WalkGround ground{doc, settings};
  Camera camera;  // distance 0 in a box centred on the origin: the eye is the target offset
  float* eye = camera.target_offset;
  float velocity[3] = {5.0f, 5.0f, 5.0f};
};

TEST_F(GroundScene, OnlyCollisionStopsAtTheWallAndSlidesAlongIt) {
  const float cases[][4] = {{0, 300, 505, 5}, {1, 1.65f * kM, 505, 5}, {2, 1.65f * kM, 480, 0}};
  build(0);
  for (const auto& [mode, z, want_x, want_vx] : cases) {  // free mode ignores the floor below
    settings.set_walk_mode(static_cast<int>(mode));
    place(480, 300, z);
    step_to(505, 315);  // diagonally into the wall
    EXPECT_TRUE(std::fabs(eye[0] - want_x) < 1e-3f && std::fabs(eye[1] - 315) < 1e-3f &&
                std::fabs(eye[2] - z) < 1e-3f && want_vx == velocity[0])
        << mode;
  }
}

TEST_F(GroundScene, FollowsASmallDropButNotALedgeAndKeepsTheEyeHeight) {
  for (float drop_m : {0.4f, 0.5f}) {
    build(drop_m * kM);
    settings.set_walk_mode(1), settings.step_height = 0.35f;
    place(400, 500, 1.65f * kM);
    step_to(600, 500);
    EXPECT_NEAR(drop_m < 0.45f ? 0.45f * drop_m * kM : 0.0f, 1.65f * kM - eye[2], 1e-3f) << drop_m;
  }
  build(0);
  for (float person_m : {0.2f, 1.0f}) {  // 0.2 m is the lowest eye height
    settings.person_height = person_m;
    place(300, 300, person_m * kM + 3.0f);
    for (int i = 0; i < 60; ++i) step_to(300, 300);
    EXPECT_NEAR(person_m * kM, eye[2], 1e-3f) << person_m;
  }
  // Step 0 climbs nothing, but ground exactly at the feet still carries.
  float g = 99.0f;
  EXPECT_TRUE(ground.find_walk_ground(300, 300, 0.0f, 0.0f, g) && g == 0);
  EXPECT_FALSE(ground.find_walk_ground(300, 300, -0.01f, 0.0f, g));
}

// Random triangles of every kind the index must survive, on four layers.
void random_model(SkpModel& m, std::mt19937& rng, size_t count) {
  std::uniform_real_distribution<float> pos(-2000.0f, 2000.0f), size(-300.0f, 300.0f),
      height(-50.0f, 400.0f);
  std::uniform_int_distribution<int> layer(-1, 3), kind(0, 9);
  m.layers.resize(4);
  for (size_t i = 0; i < count; ++i) {
    const P a{pos(rng), pos(rng), height(rng)};
    P b{a.x + size(rng), a.y + size(rng), height(rng)}, c{a.x + size(rng), a.y + size(rng), a.z};
    const int k = kind(rng);
    if (k == 0) b = a;                                                     // repeated corner
    if (k == 1) c = P{(a.x + b.x) / 2, (a.y + b.y) / 2, (a.z + b.z) / 2};  // collinear
    if (k == 2) c = P{b.x, b.y, a.z + 200.0f}, b.z = a.z;                  // vertical wall
    if (k == 3) b.x = a.x + size(rng) * 30.0f;                             // a long sliver
    if (k == 4) c.x = i % 3 ? INFINITY : NAN;                              // not finite
    add_triangle(m, a, b, c, layer(rng));
    m.triangles.back().inherited_layer = layer(rng);
  }
  finish(m);
}

TEST(WalkIndex, AnswersExactlyAsTheScans) {
  for (unsigned seed = 1; seed <= 6; ++seed) {
    SCOPED_TRACE(seed);
    std::mt19937 rng(seed);
    SkpModel m;
    random_model(m, rng, seed == 1 ? 40 : 3000);
    WalkIndex index;
    index.build(m);
    if (seed == 2) add_floor(m, 0, 0, 300, 300, 20);  // added without a rebuild
    m.loaded = seed != 3;
    // Layers hidden after the build must neither carry nor block.
    m.set_layer_visibility(seed % 4, false);
    if (seed % 3 == 0) m.layers[(seed + 1) % 4].model_visible = false;

    std::uniform_real_distribution<float> pos(-2600.0f, 2600.0f), z(-100.0f, 500.0f),
        step(0.0f, 40.0f), person(0.0f, 3.0f), near(-12.0f, 12.0f);
    std::uniform_int_distribution<size_t> pick(0, m.triangles.size() - 1);
    for (int q = 0; q < 1500; ++q) {
      float x = q % 97 ? pos(rng) : NAN, y = q % 89 ? pos(rng) : INFINITY, feet = z(rng);
      if (q % 3 != 2) {  // on a corner (inclusive bounds), or near one (the wall radius)
        const TriangleVertex& v = m.triangles[pick(rng)].vertices[q % 2];
        x = v.x + (q % 3 ? near(rng) : 0.0f), y = v.y + (q % 3 ? near(rng) : 0.0f);
        feet = v.z + near(rng);
      }
      const float up = step(rng), band = wall_band(person(rng));
      float scan_z = -1.0f, index_z = -1.0f;
      const bool scan = find_ground_scan(m, x, y, feet, up, scan_z);
      ASSERT_EQ(scan, index.find_ground(m, x, y, feet, up, index_z)) << x << "," << y;
      ASSERT_EQ(scan_z, index_z);
      ASSERT_EQ(is_blocked_scan(m, x, y, feet, band), index.is_blocked(m, x, y, feet, band))
          << x << "," << y << "," << feet;
    }
  }
}

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

struct WalkTest : ::testing::Test {  // the walker registered with a viewer, as the window does
  test::RecordingHost host;
  Viewer viewer{host};
  AppContext app = viewer.context();
  Document& doc = viewer.document;
  Panes& panes = viewer.panes;
  CommandRegistry& commands = viewer.commands;
  WalkSettings settings;
  ScriptedWalkHost keys;
  int saves = 0;
  WalkController walk{app, settings, keys, [this] { ++saves; }};

  void SetUp() override {
    panes.init();
    add_floor(doc.model, -1000, -1000, 1000, 1000, 0);
    finish(doc.model);
    walk.register_commands();
  }
  Camera& camera() { return panes.active().camera; }
  void tick(uint32_t ms) {  // one walk timer tick `ms` after the previous one
    host.now += ms;
    walk.on_timer(kWalkTimer);
  }
  std::wstring menu_label() { return commands.find(ID_WALK)->label(); }
  const std::wstring& toast() { return viewer.status.toast_text; }
};

TEST_F(WalkTest, EnteringSetsUpTheWalkerAndEveryWayOfLeavingRestoresTheWindow) {
  camera().perspective = false, camera().view_locked = true, camera().distance = 0.0f;
  ASSERT_TRUE(commands.run(ID_WALK));
  ASSERT_TRUE(walk.walk_active());
  EXPECT_TRUE(camera().perspective && !camera().view_locked && viewer.tools.active() == &walk &&
              host.timer_running(kWalkTimer) && keys.captured && keys.hidden);
  EXPECT_FLOAT_EQ(0.03f * 2000.0f * std::sqrt(3.0f), camera().distance);  // of the diagonal
  EXPECT_EQ(1000 + panes.active().x + panes.active().width / 2, keys.cursor[0]);
  EXPECT_EQ(L"停止行走", menu_label());
  EXPECT_EQ(0u, toast().find(L"行走模式（贴地行走）：WASD"));

  settings.current_walk_speed = 7.5f;
  walk.on_key_down(kVkEscape);
  EXPECT_FALSE(walk.walk_active() || host.timer_running(kWalkTimer) || keys.captured ||
               keys.hidden || viewer.tools.active());
  EXPECT_TRUE(settings.walk_speed == 7.5f && saves == 1 && menu_label() == L"行走");
  EXPECT_EQ(L"已退出行走模式", toast());

  walk.toggle_walk_mode();
  keys.foreground = false, tick(16);
  EXPECT_TRUE(!walk.walk_active() && toast() == L"窗口失去焦点，已自动退出行走模式");
  // A press chooses the pane, the wheel steps the current speed only, destroy stores it silently.
  panes.set_layout(2), settings.walk_speed = 3.0f, keys.foreground = true;
  walk.toggle_walk_mode();
  const Viewport second = panes.viewports()[1];
  EXPECT_TRUE(walk.on_mouse_down(1, second.x + 5, second.y + 5) && panes.active_index() == 1);
  walk.on_mouse_wheel(1, 0, 0);
  EXPECT_FLOAT_EQ(3.0f, settings.walk_speed);
  viewer.on_destroy();
  EXPECT_FALSE(walk.walk_active() || keys.captured || keys.hidden);
  EXPECT_FLOAT_EQ(3.1f, settings.walk_speed);
  EXPECT_TRUE(toast() == L"行走速度：3.1" && menu_label() == L"行走");  // no leaving toast
  doc.model.loaded = false, walk.toggle_walk_mode();
  EXPECT_TRUE(!walk.walk_active() && toast() == L"请先打开模型，再使用行走功能");
}

TEST_F(WalkTest, HeldTabSwitchesOnceAndEachPressAgain) {
  walk.toggle_walk_mode();
  keys.keys = {kVkTab};
  for (int i = 0; i < 5; ++i) tick(16);
  EXPECT_EQ(WalkMode::Collision, settings.walk_mode);
  EXPECT_EQ(L"行走模式已切换为：碰撞漫游", toast());
  keys.keys.clear(), tick(16);  // released for one tick
  keys.keys = {kVkTab}, tick(16);
  EXPECT_TRUE(settings.walk_mode == WalkMode::Free && saves == 2);
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
  const std::tuple<float, std::set<int>, float, float> cases[] = {
      {79.95f, {kVkPlus}, 80.0f, 80.0f},
      {0.1f, {kVkNumpadMinus}, 0.1f, 0.1f},
      {3.0f, {kVkPlus, kVkControl}, 4.0f, 5.0f}};
  for (const auto& [start, held, first, later] : cases) {  // after 0, 50 and 100 ms
    settings.walk_speed = start;
    walk.toggle_walk_mode();
    keys.keys = held;
    tick(16);
    const float speed = settings.walk_speed;
    tick(50);
    EXPECT_TRUE(speed == first && settings.current_walk_speed == first) << start;
    tick(50);
    EXPECT_FLOAT_EQ(later, settings.current_walk_speed) << start;
    keys.keys.clear(), walk.toggle_walk_mode();
  }
}

TEST_F(WalkTest, SettlingWithNoKeyHeldRepaintsUntilTheEyeRests) {
  camera().target_offset[2] = 70.0f;  // the eye about 0.2 m above person height over the floor
  walk.toggle_walk_mode();
  const float z = camera().target_offset[2];
  int repaints = host.invalidations;
  tick(16);
  EXPECT_TRUE(camera().target_offset[2] < z && host.invalidations > repaints);
  for (int i = 0; i < 200; ++i) tick(16);
  repaints = host.invalidations;
  tick(16);
  EXPECT_EQ(repaints, host.invalidations);  // at rest: nothing to show
}

// Typed values are clamped (text that is no number reads as 0: the person height here); values
// that are not finite never reach the walker.
TEST_F(WalkTest, DialogClampsTypedValuesAndNonFiniteOnesNeverReachTheWalker) {
  keys.typed = WalkDialogValues{200.0f, 0.01f, 0.0f, 7.0f, 2};
  commands.run(ID_WALK_SETTINGS);
  EXPECT_TRUE(settings.current_walk_speed == 80 && settings.walk_mouse_sensitivity == 0.02f &&
              settings.person_height == 0.2f && settings.step_height == 5);
  EXPECT_TRUE(toast() == L"行走设置已保存" && saves == 1);
  settings.walk_speed = NAN, settings.walk_mouse_sensitivity = INFINITY;
  settings.person_height = NAN, settings.step_height = -INFINITY;
  camera().target_offset[0] = NAN;
  walk.toggle_walk_mode();
  EXPECT_TRUE(settings.current_walk_speed == 0.1f && settings.walk_mouse_sensitivity == 0.02f &&
              settings.person_height == 0.2f && settings.step_height == 0);
  keys.keys = {'W', 'E'};
  keys.cursor[0] += 3;
  for (int i = 0; i < 10; ++i) tick(16);
  for (int i = 0; i < 3; ++i)
    EXPECT_TRUE(std::isfinite(camera().target_offset[i] + walk.walk_velocity()[i])) << i;
}

}  // namespace
}  // namespace lumeno
