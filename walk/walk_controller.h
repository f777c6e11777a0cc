// Walk mode: the active pane's camera becomes a first-person walker. While walking, the
// controller is the active input tool: it takes every key (only Escape acts), the mouse (a press
// only chooses the pane), the wheel (speed) and the walk timer, whose update polls the keyboard,
// turns the view with the mouse, moves the walker and keeps it on the ground and out of walls.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "core/input_tool.h"
#include "walk/walk_ground.h"
#include "walk/walk_host.h"
#include "walk/walk_settings.h"

namespace lumeno {

struct AppContext;

constexpr float kMinWalkSpeed = 0.1f;
constexpr float kMaxWalkSpeed = 80.0f;
constexpr unsigned kWalkInterval = 16;

// The label of a walk mode ("自由穿行", "贴地行走", "碰撞漫游"); the mode is clamped first.
const wchar_t* walk_mode_label(int mode);
// The walking speed after one wheel message: 0.1 faster for a positive delta, slower otherwise,
// kept within [0.1, 80]. A delta of 0 is no turn and changes nothing.
float step_walk_speed(float speed, int delta);
// "行走速度：%.1f" in at most 64 characters.
std::wstring walk_speed_toast(float speed);
// Every value made finite (not finite counts as 0) and kept in its range; the mode clamped and
// its flags derived.
void sanitize_walk_settings(WalkSettings& settings);
// Dialog results into the settings: clamped, current speed set, mode flags derived.
void apply_walk_dialog_values(WalkSettings& settings, const WalkDialogValues& values);

class WalkController : public InputTool {
 public:
  // `save_settings` writes the settings file; it is called on leaving walk mode, on every Tab
  // mode change, on every key speed step and after the dialog's OK.
  WalkController(AppContext& app, WalkSettings& settings, WalkHost& host,
                 std::function<void()> save_settings);

  // Registers "行走" (ID_WALK), "行走设置..." (ID_WALK_SETTINGS) and the destroy step.
  void register_commands();

  void toggle_walk_mode();
  void update_walk_mode();
  void show_walk_settings_dialog();
  // Window destruction: stops walking without toast or menu change and stores the speed.
  void on_window_destroy();
  // Called on entering walk mode to end a measurement in progress (set by the window).
  void set_stop_measuring(std::function<void()> stop) { stop_measuring_ = std::move(stop); }

  bool walk_active() const { return walk_active_; }
  const float* walk_velocity() const { return walk_velocity_; }
  WalkGround& ground() { return ground_; }

  // InputTool.
  bool on_mouse_down(unsigned button, int x, int y) override;
  bool on_mouse_move(int x, int y) override;
  bool on_mouse_wheel(int delta, int x, int y) override;
  bool on_key_down(unsigned key) override;
  bool on_timer(unsigned id) override;

 private:
  void enter();
  // Stops walking: timer, capture, cursor and the input tool. Shared by leaving and destroy.
  void stop();
  void leave();
  void anchor_cursor();
  void step_speed_by_keys(uint32_t now);
  void move(float dt, bool turned);
  void toast(const std::wstring& text, int ms);

  AppContext& app_;
  WalkSettings& settings_;
  WalkHost& host_;
  std::function<void()> save_settings_;
  std::function<void()> stop_measuring_;
  WalkGround ground_;

  bool walk_active_ = false;
  float walk_velocity_[3] = {0.0f, 0.0f, 0.0f};
  uint32_t walk_last_tick_ = 0;
  uint32_t walk_speed_key_tick_ = 0;
  bool walk_escape_down_ = false;
  bool walk_tab_down_ = false;
  int32_t walk_cursor_anchor_[2] = {0, 0};
  int32_t last_mouse_[2] = {0, 0};  // client position of the last mouse move while walking
};

}  // namespace lumeno
