// Ground following and wall collision on hand-built scenes; the spatial index against the scans.
#include "walk/walk_ground.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "model/document.h"
#include "walk/walk_geometry.h"
#include "walk/walk_index.h"

namespace lumeno {
namespace {

struct P {
  float x, y, z;
};

inline void add_triangle(SkpModel& m, P a, P b, P c, int layer = -1) {
  Triangle t;
  const P p[3] = {a, b, c};
  for (int i = 0; i < 3; ++i)
    t.vertices[i].x = p[i].x, t.vertices[i].y = p[i].y, t.vertices[i].z = p[i].z;
  t.face_layer = layer;
  m.triangles.push_back(t);
}

inline void add_floor(SkpModel& m, float x0, float y0, float x1, float y1, float z) {
  add_triangle(m, {x0, y0, z}, {x1, y0, z}, {x1, y1, z});
  add_triangle(m, {x0, y0, z}, {x1, y1, z}, {x0, y1, z});
}

inline void add_wall(SkpModel& m, float x0, float y0, float x1, float y1, float z0, float z1) {
  add_triangle(m, {x0, y0, z0}, {x1, y1, z0}, {x1, y1, z1});
  add_triangle(m, {x0, y0, z0}, {x1, y1, z1}, {x0, y0, z1});
}

// Marks the model loaded, in a fixed box centred on the origin.
inline void finish(SkpModel& m) {
  for (int k = 0; k < 3; ++k) m.bbox_min[k] = -1000.0f, m.bbox_max[k] = 1000.0f;
  m.loaded = !m.triangles.empty();
}

constexpr float kM = 39.3701f;  // model units per metre

struct GroundScene : ::testing::Test {
  void SetUp() override { camera.distance = 0.0f; }
  // A floor at z = 0 and, at x = 500, a second floor `drop` below or (drop 0) a wall along Y.
  void build(float drop) {
    doc.model.triangles.clear();
    doc.touch();
    add_floor(doc.model, 0, 0, drop > 0 ? 500 : 1000, 1000, 0);
    if (drop > 0) add_floor(doc.model, 500, 0, 1000, 1000, -drop);
    if (drop == 0) add_wall(doc.model, 500, 0, 500, 1000, 0, 200);
    finish(doc.model);
  }
  void place(float x, float y, float z) { eye[0] = x, eye[1] = y, eye[2] = z; }
  void step_to(float x, float y) {
    const float px = eye[0], py = eye[1];
    eye[0] = x, eye[1] = y;
    ground.apply_walk_constraints(camera, px, py, eye[2], velocity);
  }
  Document doc;
  WalkSettings settings;
  WalkGround ground{doc, settings};
  Camera camera;  // distance 0 in a box centred on the origin: the eye is the target offset
  float* eye = camera.target_offset;
  float velocity[3] = {5.0f, 5.0f, 5.0f};
};

TEST_F(GroundScene, OnlyCollisionStopsAtTheWallAndSlidesAlongIt) {
  struct Case {
    int mode;
    float z, want_x, want_vx;
  } cases[] = {{0, 300, 505, 5}, {1, 1.65f * kM, 505, 5}, {2, 1.65f * kM, 480, 0}};
  build(0);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    settings.set_walk_mode(c.mode);
    place(480, 300, c.z);
    step_to(505, 315);  // diagonally into the wall
    EXPECT_NEAR(c.want_x, eye[0], 1e-3f);
    EXPECT_NEAR(315.0f, eye[1], 1e-3f);
    EXPECT_NEAR(c.z, eye[2], 1e-3f);  // free mode ignores the floor below
    EXPECT_EQ(c.want_vx, velocity[0]);
  }
}

TEST_F(GroundScene, FollowsASmallDropButNotALedgeAndKeepsTheEyeHeight) {
  for (float drop_m : {0.4f, 0.5f}) {
    SCOPED_TRACE(drop_m);
    build(drop_m * kM);
    settings.set_walk_mode(1);
    settings.step_height = 0.35f;
    place(400, 500, 1.65f * kM);
    step_to(600, 500);
    EXPECT_NEAR(drop_m < 0.45f ? 0.45f * drop_m * kM : 0.0f, 1.65f * kM - eye[2], 1e-3f);
  }
  build(0);
  for (float person_m : {0.2f, 1.0f}) {  // 0.2 m is the lowest eye height
    SCOPED_TRACE(person_m);
    settings.person_height = person_m;
    place(300, 300, person_m * kM + 3.0f);
    for (int i = 0; i < 60; ++i) step_to(300, 300);
    EXPECT_NEAR(person_m * kM, eye[2], 1e-3f);
  }
  // Step 0 climbs nothing, but ground exactly at the feet still carries.
  float g = 99.0f;
  EXPECT_TRUE(ground.find_walk_ground(300, 300, 0.0f, 0.0f, g));
  EXPECT_EQ(0.0f, g);
  EXPECT_FALSE(ground.find_walk_ground(300, 300, -0.01f, 0.0f, g));
}

const float kInf = std::numeric_limits<float>::infinity();
const float kNaN = std::numeric_limits<float>::quiet_NaN();

// Random triangles of every kind the index must survive, on four layers.
void random_model(SkpModel& m, std::mt19937& rng, size_t count) {
  std::uniform_real_distribution<float> pos(-2000.0f, 2000.0f), size(-300.0f, 300.0f),
      height(-50.0f, 400.0f);
  std::uniform_int_distribution<int> layer(-1, 3), kind(0, 9);
  m.layers.resize(4);
  for (size_t i = 0; i < count; ++i) {
    const P a{pos(rng), pos(rng), height(rng)};
    P b{a.x + size(rng), a.y + size(rng), height(rng)};
    P c{a.x + size(rng), a.y + size(rng), a.z};
    const int k = kind(rng);
    if (k == 0) b = a;                                                     // repeated corner
    if (k == 1) c = P{(a.x + b.x) / 2, (a.y + b.y) / 2, (a.z + b.z) / 2};  // collinear
    if (k == 2) c = P{b.x, b.y, a.z + 200.0f}, b.z = a.z;                  // vertical wall
    if (k == 3) b.x = a.x + size(rng) * 30.0f;                             // a long sliver
    if (k == 4) c.x = i % 3 ? kInf : kNaN;                                 // not finite
    add_triangle(m, a, b, c, layer(rng));
    m.triangles.back().inherited_layer = layer(rng);
  }
  finish(m);
}

TEST(WalkIndex, AnswersExactlyAsTheScans) {
  for (unsigned seed = 1; seed <= 6; ++seed) {
    SCOPED_TRACE(seed);
    std::mt19937 rng(seed);
    SkpModel m;
    random_model(m, rng, seed == 1 ? 40 : 3000);
    WalkIndex index;
    index.build(m);
    if (seed == 2) add_floor(m, 0, 0, 300, 300, 20);  // added without a rebuild
    m.loaded = seed != 3;
    // Layers hidden after the build must neither carry nor block.
    m.set_layer_visibility(seed % 4, false);
    if (seed % 3 == 0) m.layers[(seed + 1) % 4].model_visible = false;

    std::uniform_real_distribution<float> pos(-2600.0f, 2600.0f), z(-100.0f, 500.0f),
        step(0.0f, 40.0f), person(0.0f, 3.0f), near(-12.0f, 12.0f);
    std::uniform_int_distribution<size_t> pick(0, m.triangles.size() - 1);
    for (int q = 0; q < 1500; ++q) {
      float x = q % 97 ? pos(rng) : kNaN, y = q % 89 ? pos(rng) : kInf, feet = z(rng);
      if (q % 3 != 2) {  // on a corner (inclusive bounds), or near one (the wall radius)
        const TriangleVertex& v = m.triangles[pick(rng)].vertices[q % 2];
        x = v.x + (q % 3 ? near(rng) : 0.0f), y = v.y + (q % 3 ? near(rng) : 0.0f);
        feet = v.z + near(rng);
      }
      const float up = step(rng), band = wall_band(person(rng));
      float scan_z = -1.0f, index_z = -1.0f;
      const bool scan = find_ground_scan(m, x, y, feet, up, scan_z);
      ASSERT_EQ(scan, index.find_ground(m, x, y, feet, up, index_z)) << x << "," << y;
      ASSERT_EQ(scan_z, index_z);
      ASSERT_EQ(is_blocked_scan(m, x, y, feet, band), index.is_blocked(m, x, y, feet, band))
          << x << "," << y << "," << feet;
    }
  }
}

}  // namespace
}  // namespace lumeno
