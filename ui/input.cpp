// Mouse navigation: pressing chooses the pane (or clicks the navigator), dragging pans and orbits
// the active pane's camera, the wheel zooms or changes the field of view. The active input tool
// sees every event first.
#include "ui/input.h"

#include <cmath>

#include "render/camera_math.h"

namespace lumeno {

bool usable_distance(float distance) { return std::isfinite(distance) && distance > 0.0f; }

void ViewerInput::pan(Camera& camera, float dx, float dy) {
  // Along the world X and Y axes, whatever the view direction.
  camera.target_offset[0] += dx * kPanFactor * camera.distance;
  camera.target_offset[1] -= dy * kPanFactor * camera.distance;
}

void ViewerInput::orbit(Camera& camera, float dx, float dy) {
  const float step = kOrbitDegreesPerPixel * viewer_.navigation.rotate_sensitivity;
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
  if (InputTool* tool = viewer_.tools.active(); tool && tool->on_mouse_down(button, x, y)) return;
  if (button == kButtonLeft) {
    const int item = viewer_.hit_test_navigator(x, y);
    if (item >= 0) {
      // A navigator click only turns the view: no drag, no pane change.
      viewer_.set_standard_view(viewer_.navigator.nav_items[static_cast<size_t>(item)].dir);
      return;
    }
  }
  viewer_.select_pane_at(x, y);
  if (button == kButtonLeft) {
    left_button_down = true;
  } else if (button == kButtonRight) {
    right_button_down = true;
  } else if (button == kButtonMiddle) {
    middle_button_down = true;
  }
}

void ViewerInput::on_mouse_up(unsigned button, int x, int y) {
  // Released whatever a tool does with the release: a drag never outlives its button.
  if (button == kButtonLeft) {
    left_button_down = false;
  } else if (button == kButtonRight) {
    right_button_down = false;
  } else if (button == kButtonMiddle) {
    middle_button_down = false;
  }
  if (InputTool* tool = viewer_.tools.active()) tool->on_mouse_up(button, x, y);
}

void ViewerInput::on_mouse_move(int x, int y) {
  // In 64 bits: the difference of two ints need not fit in one.
  const float dx = static_cast<float>(static_cast<long long>(x) - last_mouse_x);
  const float dy = static_cast<float>(static_cast<long long>(y) - last_mouse_y);
  last_mouse_x = x;
  last_mouse_y = y;
  if (InputTool* tool = viewer_.tools.active(); tool && tool->on_mouse_move(x, y)) return;

  // The navigator highlights under the cursor, with or without a model.
  AxisNavigator& nav = viewer_.navigator;
  const int hovered = viewer_.hit_test_navigator(x, y);
  const int previous = nav.hovered_nav_item;
  nav.hovered_nav_item = hovered;
  nav.nav_hover = hovered != -1;
  if (hovered != previous) host_.invalidate();

  if (!viewer_.document.model.loaded) return;
  Camera& camera = viewer_.active_camera();
  bool moved = false;
  if (left_button_down) {
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

void ViewerInput::on_mouse_wheel(int delta, int x, int y) {
  if (!viewer_.document.model.loaded) return;
  // A turn of zero units is no turn.
  if (delta == 0) return;
  if (InputTool* tool = viewer_.tools.active(); tool && tool->on_mouse_wheel(delta, x, y)) return;

  Camera& camera = viewer_.active_camera();
  if (!input_host_.shift_down()) {
    const float distance = (delta > 0 ? kWheelZoomIn : kWheelZoomOut) * camera.distance;
    if (usable_distance(distance) && (viewer_.navigation.zoom_through || distance > kZoomFloor)) {
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
