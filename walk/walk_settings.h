// The walk settings the settings file, the walk settings dialog and walk mode share.
#pragma once

#include <cstdint>

namespace lumeno {

enum class WalkMode : int32_t { Free = 0, GroundFollow = 1, Collision = 2 };

struct WalkSettings {
  WalkMode walk_mode = WalkMode::GroundFollow;  // kept in 0..2 by every writer
  bool ground_follow = true;                    // derived: mode 1 or 2
  bool collision = false;                       // derived: mode 2
  float walk_speed = 3.0f;                      // stored speed, [0.1, 80]
  float current_walk_speed = 3.0f;              // speed used while walking
  float walk_mouse_sensitivity = 0.15f;         // degrees per pixel, [0.02, 2]
  float person_height = 1.65f;                  // metres, [0.2, 10]
  float step_height = 0.35f;                    // metres, [0, 5]

  // Clamps `mode` to 0..2 and derives ground_follow and collision from it.
  void set_walk_mode(int mode) {
    const int m = mode < 0 ? 0 : (mode > 2 ? 2 : mode);
    walk_mode = static_cast<WalkMode>(m);
    ground_follow = m >= 1;
    collision = m == 2;
  }
};

}  // namespace lumeno
