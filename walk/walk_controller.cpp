#include "walk/walk_controller.h"

#include <algorithm>
#include <cmath>

#include "core/app_context.h"
#include "core/bounded_format.h"
#include "core/command_ids.h"
#include "core/command_registry.h"
#include "core/status_toast.h"
#include "core/viewer_host.h"
#include "model/document.h"
#include "render/camera_math.h"
#include "render/panes.h"

namespace lumeno {

namespace {

constexpr float kDefaultWalkSpeed = 3.0f;
constexpr int kNoModelToastMs = 3000;
constexpr int kEnterToastMs = 5600;
constexpr int kLeaveToastMs = 3000;
constexpr int kFocusToastMs = 1800;
constexpr int kModeToastMs = 1200;
constexpr int kKeySpeedToastMs = 600;
constexpr int kWheelSpeedToastMs = 900;
constexpr int kDialogToastMs = 1500;
constexpr uint32_t kSpeedRepeatMs = 99;
constexpr float kRunFactor = 3.0f;
constexpr float kCreepFactor = 0.3f;
constexpr float kAccelRetention = 0.82f;
constexpr float kCoastRetention = 0.88f;
constexpr double kRetentionPeriod = 0.008333334;  // 1/120 s
constexpr float kRestSpeed = 0.01f;

float finite_or(float v, float fallback) { return std::isfinite(v) ? v : fallback; }

// A camera value that is not finite would make every walk value derived from it non-finite.
void make_finite(Camera& camera) {
  for (float& v : camera.target_offset) v = finite_or(v, 0.0f);
  camera.yaw = finite_or(camera.yaw, 0.0f);
  camera.pitch = std::min(std::max(finite_or(camera.pitch, 0.0f), -kPitchLimit), kPitchLimit);
  if (!std::isfinite(camera.distance)) camera.distance = 1.0f;
}

}  // namespace

WalkController::WalkController(AppContext& app, WalkSettings& settings, WalkHost& host,
                               std::function<void()> save_settings)
    : app_(app),
      settings_(settings),
      host_(host),
      save_settings_(std::move(save_settings)),
      ground_(app.document, settings) {}

void WalkController::register_commands() {
  Command walk;
  walk.id = ID_WALK;
  walk.text = L"行走";
  walk.run = [this] { toggle_walk_mode(); };
  walk.label = [this] { return std::wstring(walk_active_ ? L"停止行走" : L"行走"); };
  app_.commands.add(std::move(walk));

  Command dialog;
  dialog.id = ID_WALK_SETTINGS;
  dialog.text = L"行走设置...";
  dialog.run = [this] { show_walk_settings_dialog(); };
  app_.commands.add(std::move(dialog));

  app_.on_destroy.push_back([this] { on_window_destroy(); });
}

void WalkController::toast(const std::wstring& text, int ms) { app_.status.show_toast(text, ms); }

void WalkController::toggle_walk_mode() {
  if (walk_active_) {
    leave();
  } else {
    enter();
  }
}

void WalkController::anchor_cursor() {
  const Viewport& pane = app_.panes.active();
  int x = pane.x + pane.width / 2;
  int y = pane.y + pane.height / 2;
  host_.client_to_screen(x, y);
  walk_cursor_anchor_[0] = x;
  walk_cursor_anchor_[1] = y;
}

void WalkController::enter() {
  const SkpModel& model = app_.document.model;
  if (!model.loaded) {
    toast(L"请先打开模型，再使用行走功能", kNoModelToastMs);
    return;
  }
  if (stop_measuring_) stop_measuring_();
  sanitize_walk_settings(settings_);

  Camera& camera = app_.panes.active().camera;
  camera.perspective = true;
  camera.view_locked = false;
  make_finite(camera);

  if (settings_.walk_speed > 0.0f) {
    settings_.current_walk_speed = settings_.walk_speed;
  } else if (settings_.current_walk_speed <= 0.0f) {
    settings_.current_walk_speed = kDefaultWalkSpeed;
  }
  const float w = std::max(0.03f * view_bounds(model).diagonal(), 1.0f);
  camera.distance = camera.distance >= 0.001f ? std::min(w, camera.distance) : w;

  const float* offset = camera.target_offset;
  ground_.apply_walk_constraints(camera, offset[0], offset[1], offset[2], walk_velocity_);

  walk_active_ = true;
  std::fill(walk_velocity_, walk_velocity_ + 3, 0.0f);
  walk_last_tick_ = app_.host.tick_count();
  walk_speed_key_tick_ = 0;
  settings_.set_walk_mode(static_cast<int>(settings_.walk_mode));
  walk_escape_down_ = host_.key_down(kVkEscape);
  walk_tab_down_ = host_.key_down(kVkTab);

  anchor_cursor();
  host_.set_cursor_pos(walk_cursor_anchor_[0], walk_cursor_anchor_[1]);
  host_.capture_mouse();
  host_.hide_cursor();
  app_.host.set_timer(kWalkTimer, kWalkInterval);
  app_.tools.push(this);
  app_.host.update_menu_state();

  wchar_t text[512];
  format_bounded(text, 512,
                 L"行走模式（%ls）：WASD 移动，鼠标看向，Shift 加速，Alt 慢行，滚轮或 +/- "
                 L"调速，Tab 切换模式，Esc 退出",
                 walk_mode_label(static_cast<int>(settings_.walk_mode)));
  toast(text, kEnterToastMs);
}

void WalkController::stop() {
  walk_active_ = false;
  app_.host.kill_timer(kWalkTimer);
  host_.release_mouse();
  host_.show_cursor();
  app_.tools.remove(this);
}

void WalkController::leave() {
  stop();
  walk_tab_down_ = false;
  std::fill(walk_velocity_, walk_velocity_ + 3, 0.0f);
  settings_.walk_speed = settings_.current_walk_speed;
  if (save_settings_) save_settings_();
  app_.host.update_menu_state();
  toast(L"已退出行走模式", kLeaveToastMs);
}

void WalkController::on_window_destroy() {
  if (walk_active_) stop();
  settings_.walk_speed = clamp_setting(settings_.current_walk_speed, kMinWalkSpeed, kMaxWalkSpeed);
}

void WalkController::update_walk_mode() {
  if (!walk_active_ || !app_.document.model.loaded) return;
  if (!host_.is_foreground()) {
    walk_last_tick_ = app_.host.tick_count();
    leave();
    toast(L"窗口失去焦点，已自动退出行走模式", kFocusToastMs);
    return;
  }
  const bool escape = host_.key_down(kVkEscape);
  if (escape && !walk_escape_down_) {
    walk_escape_down_ = true;
    leave();
    return;
  }
  walk_escape_down_ = escape;

  sanitize_walk_settings(settings_);
  const bool tab = host_.key_down(kVkTab);
  if (tab && !walk_tab_down_) {
    walk_velocity_[0] = walk_velocity_[1] = 0.0f;
    settings_.set_walk_mode((static_cast<int>(settings_.walk_mode) + 1) % 3);
    if (settings_.walk_mode != WalkMode::Free) walk_velocity_[2] = 0.0f;
    wchar_t text[96];
    format_bounded(text, 96, L"行走模式已切换为：%ls",
                   walk_mode_label(static_cast<int>(settings_.walk_mode)));
    toast(text, kModeToastMs);
    if (save_settings_) save_settings_();
  }
  walk_tab_down_ = tab;

  const uint32_t now = app_.host.tick_count();
  float dt = 1.0f / 60.0f;
  if (walk_last_tick_ != 0) {
    dt = static_cast<float>(now - walk_last_tick_) / 1000.0f;
    dt = std::min(std::max(dt, 0.001f), 0.05f);
  }
  walk_last_tick_ = now;

  Camera& camera = app_.panes.active().camera;  // a click may have chosen another pane
  make_finite(camera);
  anchor_cursor();
  bool turned = false;
  int cx = 0, cy = 0;
  if (host_.cursor_pos(cx, cy)) {
    const int dx = cx - walk_cursor_anchor_[0];
    const int dy = cy - walk_cursor_anchor_[1];
    if (dx != 0 || dy != 0) {
      const float sensitivity = settings_.walk_mouse_sensitivity;
      camera.yaw -= static_cast<float>(dx) * sensitivity;
      const float pitch = camera.pitch + static_cast<float>(dy) * sensitivity;
      camera.pitch = std::min(std::max(pitch, -kPitchLimit), kPitchLimit);
      host_.set_cursor_pos(walk_cursor_anchor_[0], walk_cursor_anchor_[1]);
      turned = true;
    }
  }
  step_speed_by_keys(now);
  move(dt, turned);
}

void WalkController::step_speed_by_keys(uint32_t now) {
  const bool plus = host_.key_down(kVkPlus) || host_.key_down(kVkNumpadPlus);
  const bool minus = host_.key_down(kVkMinus) || host_.key_down(kVkNumpadMinus);
  if (!plus && !minus) {
    walk_speed_key_tick_ = 0;
    return;
  }
  if (walk_speed_key_tick_ != 0 && now - walk_speed_key_tick_ <= kSpeedRepeatMs) return;
  const float step = host_.key_down(kVkControl) ? 1.0f : 0.1f;
  float s = settings_.current_walk_speed;
  if (plus) s += step;
  if (minus) s -= step;
  s = clamp_setting(s, kMinWalkSpeed, kMaxWalkSpeed);
  walk_speed_key_tick_ = now;
  settings_.current_walk_speed = settings_.walk_speed = s;
  toast(walk_speed_toast(s), kKeySpeedToastMs);
  if (save_settings_) save_settings_();
}

void WalkController::move(float dt, bool turned) {
  Camera& camera = app_.panes.active().camera;
  const float yaw = camera.yaw * 3.1415927f / 180.0f;
  const float s = std::sin(yaw), c = std::cos(yaw);
  float mx = 0.0f, my = 0.0f;
  if (host_.key_down('W')) mx += -s, my += c;
  if (host_.key_down('S')) mx += s, my += -c;
  if (host_.key_down('A')) mx += -c, my += -s;
  if (host_.key_down('D')) mx += c, my += s;
  const bool up = host_.key_down('E') || host_.key_down(kVkSpace);
  const bool down = host_.key_down('Q') || host_.key_down('C');
  const float mz = (up ? 1.0f : 0.0f) - (down ? 1.0f : 0.0f);
  const float len = std::sqrt(mx * mx + my * my + mz * mz);
  float top = 60.0f * settings_.current_walk_speed;
  if (host_.key_down(kVkShift)) top *= kRunFactor;
  if (host_.key_down(kVkAlt)) top *= kCreepFactor;

  float target[3] = {mx, my, mz};
  float retention = kCoastRetention;
  if (len > 0.001f) {
    for (float& t : target) t = t / len * top;
    retention = kAccelRetention;
  }
  const float k =
      static_cast<float>(1.0 - std::pow(static_cast<double>(retention), dt / kRetentionPeriod));
  bool moving = false;
  for (int i = 0; i < 3; ++i) {
    float v = walk_velocity_[i] + (target[i] - walk_velocity_[i]) * k;
    if (!(std::fabs(v) >= kRestSpeed)) v = 0.0f;  // also a velocity that was not finite
    walk_velocity_[i] = v;
    moving = moving || v != 0.0f;
  }

  float* offset = camera.target_offset;
  if (!moving) {
    // Standing still, the walker may still be settling onto the ground: the picture follows
    // the eye until it rests, not only when the view turned.
    const float before[3] = {offset[0], offset[1], offset[2]};
    if (settings_.walk_mode != WalkMode::Free)
      ground_.apply_walk_constraints(camera, offset[0], offset[1], offset[2], walk_velocity_);
    if (turned || !std::equal(before, before + 3, offset)) app_.host.invalidate();
    return;
  }
  const float prev[3] = {offset[0], offset[1], offset[2]};
  for (int i = 0; i < 3; ++i) offset[i] += walk_velocity_[i] * dt;
  ground_.apply_walk_constraints(camera, prev[0], prev[1], prev[2], walk_velocity_);
  app_.host.invalidate();
}

void WalkController::show_walk_settings_dialog() {
  sanitize_walk_settings(settings_);
  WalkDialogValues values;
  values.speed = settings_.walk_speed;
  values.mouse_sensitivity = settings_.walk_mouse_sensitivity;
  values.person_height = settings_.person_height;
  values.step_height = settings_.step_height;
  values.mode = static_cast<int32_t>(settings_.walk_mode);
  if (!host_.run_settings_dialog(values)) return;
  apply_walk_dialog_values(settings_, values);
  if (save_settings_) save_settings_();
  toast(L"行走设置已保存", kDialogToastMs);
}

bool WalkController::on_mouse_down(unsigned /*button*/, int x, int y) {
  if (!walk_active_) return false;
  app_.panes.select(app_.panes.index_at(x, y));
  app_.host.update_menu_state();
  app_.host.invalidate();
  return true;
}

bool WalkController::on_mouse_move(int x, int y) {
  if (!walk_active_) return false;
  last_mouse_[0] = x;
  last_mouse_[1] = y;
  return true;
}

bool WalkController::on_mouse_wheel(int delta, int /*x*/, int /*y*/) {
  if (!walk_active_) return false;
  settings_.current_walk_speed = step_walk_speed(settings_.current_walk_speed, delta);
  toast(walk_speed_toast(settings_.current_walk_speed), kWheelSpeedToastMs);
  app_.host.invalidate();
  return true;
}

bool WalkController::on_key_down(unsigned key) {
  if (!walk_active_) return false;
  if (key == static_cast<unsigned>(kVkEscape)) leave();
  return true;
}

bool WalkController::on_timer(unsigned id) {
  if (id != kWalkTimer) return false;
  update_walk_mode();
  return true;
}

}  // namespace lumeno
