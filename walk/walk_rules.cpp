// The small value rules of walk mode shared by the controller, the wheel and the dialog.
#include <cmath>

#include "core/bounded_format.h"
#include "walk/walk_controller.h"

namespace lumeno {

namespace {
constexpr size_t kSpeedToastChars = 64;
constexpr float kWheelStep = 0.1f;
}  // namespace

const wchar_t* walk_mode_label(int mode) {
  if (mode <= 0) return L"自由穿行";
  if (mode == 1) return L"贴地行走";
  return L"碰撞漫游";
}

float step_walk_speed(float speed, int delta) {
  if (delta == 0) return speed;
  float result = speed + (delta > 0 ? kWheelStep : -kWheelStep);
  if (result >= kMaxWalkSpeed) {
    result = kMaxWalkSpeed;
  } else if (!(result > kMinWalkSpeed)) {
    result = kMinWalkSpeed;  // also a speed that was not a number
  }
  return result;
}

std::wstring walk_speed_toast(float speed) {
  wchar_t buffer[kSpeedToastChars];
  format_bounded(buffer, kSpeedToastChars, L"行走速度：%.1f", static_cast<double>(speed));
  return buffer;
}

void sanitize_walk_settings(WalkSettings& s) {
  s.walk_speed = clamp_setting(s.walk_speed, kMinWalkSpeed, kMaxWalkSpeed);
  s.current_walk_speed = clamp_setting(s.current_walk_speed, kMinWalkSpeed, kMaxWalkSpeed);
  s.walk_mouse_sensitivity = clamp_setting(s.walk_mouse_sensitivity, 0.02f, 2.0f);
  s.person_height = clamp_setting(s.person_height, 0.2f, 10.0f);
  s.step_height = clamp_setting(s.step_height, 0.0f, 5.0f);
  s.set_walk_mode(static_cast<int>(s.walk_mode));
}

void apply_walk_dialog_values(WalkSettings& s, const WalkDialogValues& v) {
  s.walk_speed = clamp_setting(v.speed, kMinWalkSpeed, kMaxWalkSpeed);
  s.walk_mouse_sensitivity = clamp_setting(v.mouse_sensitivity, 0.02f, 2.0f);
  s.person_height = clamp_setting(v.person_height, 0.2f, 10.0f);
  s.step_height = clamp_setting(v.step_height, 0.0f, 5.0f);
  s.current_walk_speed = s.walk_speed;
  s.set_walk_mode(v.mode);
}

}  // namespace lumeno
