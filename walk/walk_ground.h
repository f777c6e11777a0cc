// The ground and wall rules of walk mode for the open document: finding the ground under the
// walker, testing for walls near the eye, and correcting the camera after a step. Queries go
// through a spatial index built once per document revision.
#pragma once

#include <cstdint>

#include "model/document.h"
#include "render/camera.h"
#include "walk/walk_index.h"
#include "walk/walk_settings.h"

namespace lumeno {

class WalkGround {
 public:
  WalkGround(const Document& document, const WalkSettings& settings)
      : document_(document), settings_(settings) {}

  float walk_unit_scale() const;
  // The highest walkable surface under (x, y) no higher than feet_z + step_up; false (ground_z
  // untouched) when no model is loaded or nothing qualifies.
  bool find_walk_ground(float x, float y, float feet_z, float step_up, float& ground_z);
  // True when an eye at (x, y, z) is within the wall radius of a wall; false without a model
  // or when collision is off.
  bool is_walk_blocked(float x, float y, float z);
  // Corrects `camera` after a step from target offset (prev_x, prev_y, prev_z): slides along
  // walls in Collision mode and settles onto the ground in GroundFollow and Collision. Zeroes the
  // components of `velocity` a wall or a large height gap stops. prev_z is not used: height is
  // never reverted by a wall.
  void apply_walk_constraints(Camera& camera, float prev_x, float prev_y, float prev_z,
                              float (&velocity)[3]);

  // Builds the index now if the document changed since it was built.
  void refresh_index();
  const WalkIndex& index() const { return index_; }

 private:
  const Document& document_;
  const WalkSettings& settings_;
  WalkIndex index_;
  uint64_t index_revision_ = 0;  // revision the index was built for; 0 for none
};

// A value that is not finite counts as 0; then it is clamped to [lo, hi].
float clamp_setting(float value, float lo, float hi);

}  // namespace lumeno
