// Ground following and wall collision on small hand-built scenes.
#include "walk/walk_ground.h"

#include <gtest/gtest.h>

#include "model/document.h"
#include "render/camera_math.h"
#include "walk/walk_geometry.h"
#include "walk_test_model.h"

namespace lumeno {
namespace {

constexpr float kM = 39.3701f;  // model units per metre

struct GroundScene : ::testing::Test {
  Document doc;
  WalkSettings settings;
  WalkGround ground{doc, settings};
  Camera camera;
  float velocity[3] = {5.0f, 5.0f, 5.0f};

  // Puts the eye at (x, y, z): looking level along +Y from 1 unit behind the look-at point.
  void place_eye(float x, float y, float z) {
    camera.distance = 1.0f, camera.pitch = 0.0f, camera.yaw = 0.0f;
    const Vec3 c = view_bounds(doc.model).centre();
    camera.target_offset[0] = x - c.x;
    camera.target_offset[1] = y + 1.0f - c.y;
    camera.target_offset[2] = z - c.z;
  }
  Vec3 eye() const { return camera_eye(camera, view_bounds(doc.model).centre()); }
  void step_to(float x, float y) {
    const float px = camera.target_offset[0], py = camera.target_offset[1];
    const Vec3 e = eye();
    camera.target_offset[0] += x - e.x;
    camera.target_offset[1] += y - e.y;
    ground.apply_walk_constraints(camera, px, py, camera.target_offset[2], velocity);
  }
};

TEST_F(GroundScene, FreeModePassesThroughWallsAndFloors) {
  test::add_floor(doc.model, 0, 0, 1000, 1000, 0);
  test::add_wall(doc.model, 500, 0, 500, 1000, 0, 200);
  test::finish(doc.model);
  settings.set_walk_mode(0);
  place_eye(480, 300, 300);
  step_to(500, 310);
  EXPECT_NEAR(500.0f, eye().x, 1e-3f);
  EXPECT_NEAR(300.0f, eye().z, 1e-3f);
  EXPECT_EQ(5.0f, velocity[0]);
}

TEST_F(GroundScene, FollowsASmallDropButNotALedge) {
  struct Case {
    float drop_m;
    bool followed;
  } cases[] = {{0.4f, true}, {0.5f, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.drop_m);
    doc.model.triangles.clear();
    doc.touch();
    test::add_floor(doc.model, 0, 0, 500, 1000, 0);
    test::add_floor(doc.model, 500, 0, 1000, 1000, -c.drop_m * kM);
    test::finish(doc.model);
    settings.set_walk_mode(1);
    settings.step_height = 0.35f;
    const float eye_h = settings.person_height * kM;
    place_eye(400, 500, eye_h);
    step_to(600, 500);
    const float lowered = eye_h - eye().z;
    if (c.followed) {
      EXPECT_NEAR(0.45f * c.drop_m * kM, lowered, 1e-3f);
    } else {
      EXPECT_EQ(0.0f, lowered);
    }
  }
}

TEST_F(GroundScene, SlidesAlongAWallParallelToY) {
  test::add_floor(doc.model, 0, 0, 1000, 1000, 0);
  test::add_wall(doc.model, 500, 0, 500, 1000, 0, 200);
  test::finish(doc.model);
  settings.set_walk_mode(2);
  const float eye_h = settings.person_height * kM;
  place_eye(480, 300, eye_h);
  step_to(495, 315);  // diagonally into the wall
  EXPECT_NEAR(480.0f, eye().x, 1e-3f);
  EXPECT_NEAR(315.0f, eye().y, 1e-3f);
  EXPECT_EQ(0.0f, velocity[0]);
  EXPECT_EQ(5.0f, velocity[1]);

  // Ground following alone walks through it.
  settings.set_walk_mode(1);
  step_to(505, 320);
  EXPECT_NEAR(505.0f, eye().x, 1e-3f);
}

TEST_F(GroundScene, EyeHeightAndStepRules) {
  test::add_floor(doc.model, 0, 0, 1000, 1000, 0);
  test::finish(doc.model);
  settings.set_walk_mode(1);
  struct Case {
    float person_m;
    float eye;
  } cases[] = {{0.2f, 7.8740196f}, {0.1f, 7.8740196f}, {1.0f, kM}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.person_m);
    settings.person_height = c.person_m;
    place_eye(300, 300, c.eye + 3.0f);
    for (int i = 0; i < 60; ++i) step_to(300, 300);
    EXPECT_NEAR(c.eye, eye().z, 1e-3f);
  }

  // Step 0 climbs nothing, but ground exactly at the feet still carries.
  float g = 99.0f;
  EXPECT_TRUE(ground.find_walk_ground(300, 300, 0.0f, 0.0f, g));
  EXPECT_EQ(0.0f, g);
  EXPECT_FALSE(ground.find_walk_ground(300, 300, -0.01f, 0.0f, g));
}

TEST_F(GroundScene, AHiddenLayerNeitherCarriesNorBlocks) {
  doc.model.layers.resize(1);
  test::add_floor(doc.model, 0, 0, 1000, 1000, 0);
  test::add_floor(doc.model, 0, 0, 1000, 1000, 10, 0);
  test::add_wall(doc.model, 500, 0, 500, 1000, 0, 200);
  for (size_t i = 4; i < 6; ++i) doc.model.triangles[i].inherited_layer = 0;
  test::finish(doc.model);
  settings.set_walk_mode(2);
  float g = 0;
  ASSERT_TRUE(ground.find_walk_ground(300, 300, 20, 0, g));
  EXPECT_EQ(10.0f, g);
  EXPECT_TRUE(ground.is_walk_blocked(495, 300, 60));
  doc.model.set_layer_visibility(0, false);  // no revision bump: the index is not rebuilt
  ASSERT_TRUE(ground.find_walk_ground(300, 300, 20, 0, g));
  EXPECT_EQ(0.0f, g);
  EXPECT_FALSE(ground.is_walk_blocked(495, 300, 60));
}

}  // namespace
}  // namespace lumeno
