#include "walk/walk_ground.h"

#include <algorithm>
#include <cmath>

#include "render/camera_math.h"
#include "walk/walk_geometry.h"

namespace lumeno {

namespace {

float finite_or_zero(float v) { return std::isfinite(v) ? v : 0.0f; }

Vec3 walk_eye(const SkpModel& model, const Camera& camera) {
  return camera_eye(camera, view_bounds(model).centre());
}

}  // namespace

float clamp_setting(float value, float lo, float hi) {
  const float v = finite_or_zero(value);
  return v < lo ? lo : (v > hi ? hi : v);
}

float WalkGround::walk_unit_scale() const { return kWalkUnitScale; }

void WalkGround::refresh_index() {
  if (index_revision_ == document_.revision) return;
  index_.build(document_.model);
  index_revision_ = document_.revision;
}

bool WalkGround::find_walk_ground(float x, float y, float feet_z, float step_up, float& ground_z) {
  if (!document_.model.loaded) return false;
  refresh_index();
  return index_.find_ground(document_.model, x, y, feet_z, step_up, ground_z);
}

bool WalkGround::is_walk_blocked(float x, float y, float z) {
  if (!document_.model.loaded || !settings_.collision) return false;
  refresh_index();
  const float band = wall_band(finite_or_zero(settings_.person_height));
  return index_.is_blocked(document_.model, x, y, z, band);
}

void WalkGround::apply_walk_constraints(Camera& camera, float prev_x, float prev_y,
                                        float /*prev_z*/, float (&velocity)[3]) {
  if (settings_.walk_mode == WalkMode::Free) return;
  const SkpModel& model = document_.model;
  Vec3 eye = walk_eye(model, camera);

  if (settings_.walk_mode == WalkMode::Collision && is_walk_blocked(eye.x, eye.y, eye.z)) {
    // X is tried first: at a corner the walker slides along Y.
    float* offset = camera.target_offset;
    const float stepped_x = offset[0];
    offset[0] = prev_x;
    Vec3 trial = walk_eye(model, camera);
    if (!is_walk_blocked(trial.x, trial.y, trial.z)) {
      velocity[0] = 0.0f;
    } else {
      offset[0] = stepped_x;
      offset[1] = prev_y;
      trial = walk_eye(model, camera);
      if (!is_walk_blocked(trial.x, trial.y, trial.z)) {
        velocity[1] = 0.0f;
      } else {
        offset[0] = prev_x;
        offset[1] = prev_y;
        velocity[0] = 0.0f;
        velocity[1] = 0.0f;
      }
    }
    eye = walk_eye(model, camera);
  }

  const float height = finite_or_zero(settings_.person_height);
  const float step_m = finite_or_zero(settings_.step_height);
  const float eye_h = height > 0.2f ? height * kWalkUnitScale : kLowestEyeHeight;
  const float step = step_m > 0.0f ? step_m * kWalkUnitScale : 0.0f;
  if (!model.loaded) return;
  float ground = 0.0f;
  if (!find_walk_ground(eye.x, eye.y, eye.z - eye_h, step, ground)) return;
  const float target = ground + eye_h;
  if (target < eye.z - std::max(kDropLimit, step)) return;
  const float gap = target - eye.z;
  camera.target_offset[2] += kSettlingRate * gap;
  if (std::fabs(gap) > step + 1.0f) velocity[2] = 0.0f;
}

}  // namespace lumeno
