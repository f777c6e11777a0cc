// Ground and wall tests of walk mode on single triangles, and the plain scans over a model's
// triangle list. The scans are the reference the spatial index (walk_index.h) must agree with;
// both call the same per-triangle tests, so their answers are identical bit for bit.
#pragma once

#include "model/skp_model.h"

namespace lumeno {

// Model units (inches) per metre.
constexpr float kWalkUnitScale = 39.3701f;
float walk_unit_scale();

constexpr float kWallRadius = 11.023627f;       // 0.28 m: nearest approach to a wall's footprint
constexpr float kLowestEyeHeight = 7.8740196f;  // 0.2 m
constexpr float kWallBandFloor = 0.3f;          // smallest half-height of the wall band
constexpr float kDropLimit = 17.716543f;        // 0.45 m: deepest drop followed
constexpr float kWallSteepness = 0.55f;         // |n.z| / |n| at most this for a wall
constexpr float kGroundFlatness = 0.35f;        // |n.z| / |n| at least this for ground
constexpr float kSettlingRate = 0.45f;          // share of the height gap closed per update
constexpr float kLowestFloat = -3.4028235e38f;

// The XY bounds of a triangle, as the tests compare them.
struct Footprint {
  float min_x, max_x, min_y, max_y;
};
Footprint footprint(const Triangle& t);

// Height of `t` under (x, y) when it is walkable ground there and no higher than `limit_z`
// (feet plus step); layer visibility is the caller's test.
bool ground_height(const Triangle& t, float x, float y, float limit_z, float& z);
// True when an eye at (x, y, z) with wall band half-height `band` is within the wall radius
// of `t`'s footprint outline and `t` is steep enough to be a wall; visibility is the caller's.
bool blocks_eye(const Triangle& t, float x, float y, float z, float band);

// Half-height of the wall band for a person height in metres.
float wall_band(float person_height);

// Plain scans, in list order, skipping triangles on hidden layers. False when the model is not
// loaded; find_ground_scan leaves `ground_z` alone unless it returns true.
bool find_ground_scan(const SkpModel& model, float x, float y, float feet_z, float step_up,
                      float& ground_z);
bool is_blocked_scan(const SkpModel& model, float x, float y, float z, float band);

}  // namespace lumeno
