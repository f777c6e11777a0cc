// Mouse navigation: pressing chooses the pane (or clicks the navigator), dragging pans and orbits
// the active pane's camera, the wheel zooms, changes the field of view or, in walk mode, the
// walking speed.
#include "ui/input.h"

#include <cmath>

#include "core/bounded_format.h"
#include "render/camera_math.h"

namespace lumeno {

namespace {

constexpr size_t kWalkSpeedToastChars = 64;

}  // namespace

bool usable_distance(float distance) { return std::isfinite(distance) && distance > 0.0f; }

float step_walk_speed(float speed, int delta) {
  if (delta == 0) return speed;
  float result = speed + (delta > 0 ? kWalkSpeedStep : -kWalkSpeedStep);
  if (result >= kMaxWalkSpeed) {
    result = kMaxWalkSpeed;
  } else if (!(result > kMinWalkSpeed)) {
    result = kMinWalkSpeed;
  }
  return result;
}

std::wstring walk_speed_toast(float speed) {
  wchar_t buffer[kWalkSpeedToastChars];
  format_bounded(buffer, kWalkSpeedToastChars, L"行走速度：%.1f", static_cast<double>(speed));
  return buffer;
}

void ViewerInput::select_pane_at(int x, int y) {
  const int index = viewer_.get_viewport_at(x, y);
  if (index == viewer_.active_viewport_index) return;
  viewer_.active_viewport_index = index;
  // The perspective check mark and the navigator follow the active pane.
  host_.update_menu_state();
  host_.invalidate();
}

void ViewerInput::pan(Camera& camera, float dx, float dy) {
  // Along the world X and Y axes, whatever the view direction.
  camera.target_offset[0] += dx * kPanFactor * camera.distance;
  camera.target_offset[1] -= dy * kPanFactor * camera.distance;
}

void ViewerInput::orbit(Camera& camera, float dx, float dy) {
  const float step = kOrbitDegreesPerPixel * viewer_.rotate_sensitivity;
  camera.yaw -= dx * step;
  float pitch = camera.pitch + dy * step;
  if (pitch > kPitchLimit) {
    pitch = kPitchLimit;
  } else if (pitch < -kPitchLimit) {
    pitch = -kPitchLimit;
  }
  camera.pitch = pitch;
}

void ViewerInput::on_mouse_down(unsigned button, int x, int y) {
  last_mouse_x = x;
  last_mouse_y = y;
  if (walk_active()) {
    select_pane_at(x, y);
    return;
  }
  if (button == kButtonLeft) {
    const int item = viewer_.hit_test_navigator(x, y);
    if (item >= 0) {
      // A navigator click only turns the view: no drag, no pane change, no measurement point.
      viewer_.set_standard_view(viewer_.navigator.nav_items[static_cast<size_t>(item)].dir);
      return;
    }
    select_pane_at(x, y);
    left_button_down = true;
    if (measuring() && hooks.add_point_at && hooks.add_point_at(x, y)) host_.invalidate();
    return;
  }
  select_pane_at(x, y);
  if (button == kButtonRight) {
    right_button_down = true;
  } else if (button == kButtonMiddle) {
    middle_button_down = true;
  }
}

void ViewerInput::on_mouse_up(unsigned button, int, int) {
  if (button == kButtonLeft) {
    left_button_down = false;
  } else if (button == kButtonRight) {
    right_button_down = false;
  } else if (button == kButtonMiddle) {
    middle_button_down = false;
  }
}

void ViewerInput::on_mouse_move(int x, int y) {
  // In 64 bits: the difference of two ints need not fit in one.
  const float dx = static_cast<float>(static_cast<long long>(x) - last_mouse_x);
  const float dy = static_cast<float>(static_cast<long long>(y) - last_mouse_y);
  last_mouse_x = x;
  last_mouse_y = y;
  if (walk_active()) return;

  // The navigator highlights under the cursor, with or without a model.
  AxisNavigator& nav = viewer_.navigator;
  const int hovered = viewer_.hit_test_navigator(x, y);
  const int previous = nav.hovered_nav_item;
  nav.hovered_nav_item = hovered;
  nav.nav_hover = hovered != -1;
  if (hovered != previous) host_.invalidate();

  if (!viewer_.model.loaded) return;
  Camera& camera = viewer_.active_viewport().camera;
  bool moved = false;
  if (left_button_down && !measuring()) {
    pan(camera, dx, dy);
    moved = true;
  }
  if (right_button_down || middle_button_down) {
    // A locked pane keeps its direction: orbiting pans it instead.
    if (camera.view_locked) {
      pan(camera, dx, dy);
    } else {
      orbit(camera, dx, dy);
    }
    moved = true;
  }
  if (moved) host_.invalidate();
}

void ViewerInput::on_mouse_wheel(int delta, int, int) {
  if (!viewer_.model.loaded) return;
  // A turn of zero units is no turn: it neither zooms out nor slows the walk down.
  if (delta == 0) return;

  if (walk_active()) {
    if (!hooks.walk_speed) return;
    float& speed = hooks.walk_speed();
    speed = step_walk_speed(speed, delta);
    viewer_.show_toast(walk_speed_toast(speed), kWalkSpeedToastMs);
    host_.invalidate();
    return;
  }

  Camera& camera = viewer_.active_viewport().camera;
  if (!input_host_.shift_down()) {
    const float distance = (delta > 0 ? kWheelZoomIn : kWheelZoomOut) * camera.distance;
    if (usable_distance(distance) && (viewer_.zoom_through || distance > kZoomFloor)) {
      camera.distance = distance;
    }
  } else if (camera.perspective) {
    float fov = camera.fov - static_cast<float>(delta) * kFovPerWheelUnit;
    if (fov < kMinWheelFov) {
      fov = kMinWheelFov;
    } else if (fov > kMaxWheelFov) {
      fov = kMaxWheelFov;
    }
    camera.fov = fov;
  }
  host_.invalidate();
}

}  // namespace lumeno
