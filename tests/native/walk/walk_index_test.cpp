// The spatial index must answer exactly as the plain scans, whatever the model and the query.
#include "walk/walk_index.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "walk/walk_geometry.h"
#include "walk_test_model.h"

namespace lumeno {
namespace {

using test::P;

// Random triangles of every kind the index must survive: small and huge, flat, sloped and
// vertical, degenerate (repeated or collinear corners), on four layers, and a few with corners
// that are not finite.
void random_model(SkpModel& m, std::mt19937& rng, size_t count) {
  std::uniform_real_distribution<float> pos(-2000.0f, 2000.0f), size(-300.0f, 300.0f),
      height(-50.0f, 400.0f), unit(0.0f, 1.0f);
  std::uniform_int_distribution<int> layer(-1, 3), kind(0, 9);
  m.layers.resize(4);
  for (size_t i = 0; i < count; ++i) {
    const P a{pos(rng), pos(rng), height(rng)};
    P b{a.x + size(rng), a.y + size(rng), height(rng)};
    P c{a.x + size(rng), a.y + size(rng), a.z};
    switch (kind(rng)) {
      case 0:
        b = a;
        break;  // repeated corner
      case 1:
        c = P{(a.x + b.x) / 2, (a.y + b.y) / 2, (a.z + b.z) / 2};
        break;  // collinear
      case 2:
        c = P{b.x, b.y, a.z + 200.0f};
        b.z = a.z;
        break;  // vertical wall
      case 3:
        b.x = a.x + size(rng) * 30.0f;
        break;  // a long sliver
      case 4:   // a corner that is not finite
        c.x = unit(rng) < 0.7f ? std::numeric_limits<float>::infinity()
                               : std::numeric_limits<float>::quiet_NaN();
        break;
      default:
        break;
    }
    test::add_triangle(m, a, b, c, layer(rng));
    m.triangles.back().inherited_layer = layer(rng);
  }
  test::finish(m);
}

TEST(WalkIndex, AnswersExactlyAsTheScansOnRandomModels) {
  for (unsigned seed = 1; seed <= 6; ++seed) {
    SCOPED_TRACE(seed);
    std::mt19937 rng(seed);
    SkpModel m;
    random_model(m, rng, seed == 1 ? 40 : 3000);
    WalkIndex index;
    index.build(m);
    // Layers hidden after the build must neither carry nor block.
    m.set_layer_visibility(seed % 4, false);
    if (seed % 3 == 0) m.layers[(seed + 1) % 4].model_visible = false;

    std::uniform_real_distribution<float> pos(-2600.0f, 2600.0f), z(-100.0f, 500.0f),
        step(0.0f, 40.0f), person(0.0f, 3.0f), near(-12.0f, 12.0f);
    std::uniform_int_distribution<size_t> pick(0, m.triangles.size() - 1);
    for (int q = 0; q < 1500; ++q) {
      float x = pos(rng), y = pos(rng), feet = z(rng);
      if (q % 3 != 2) {  // on a corner (inclusive bounds), or near one (the wall radius)
        const TriangleVertex& v = m.triangles[pick(rng)].vertices[q % 2];
        x = v.x + (q % 3 ? near(rng) : 0.0f), y = v.y + (q % 3 ? near(rng) : 0.0f);
        feet = v.z + near(rng);
      }
      const float up = step(rng), band = wall_band(person(rng));
      float scan_z = -1.0f, index_z = -1.0f;
      const bool scan = find_ground_scan(m, x, y, feet, up, scan_z);
      ASSERT_EQ(scan, index.find_ground(m, x, y, feet, up, index_z)) << x << "," << y;
      if (scan) {
        ASSERT_EQ(scan_z, index_z);
      }
      ASSERT_EQ(is_blocked_scan(m, x, y, feet, band), index.is_blocked(m, x, y, feet, band))
          << x << "," << y << "," << feet;
    }
  }
}

TEST(WalkIndex, QueriesThatAreNotFiniteOrAModelThatChangedFallBackSafely) {
  SkpModel m;
  test::add_floor(m, 0, 0, 100, 100, 0);
  test::add_wall(m, 50, 0, 50, 100, 0, 100);
  test::finish(m);
  WalkIndex index;
  index.build(m);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  float g = 7.0f;
  EXPECT_FALSE(index.find_ground(m, nan, 10, 10, 1, g));
  EXPECT_FALSE(index.is_blocked(m, 50, inf, 50, 30));
  EXPECT_EQ(7.0f, g);

  // Triangles added without a rebuild are still found (the index notices the count changed).
  test::add_floor(m, 200, 200, 300, 300, 20);
  ASSERT_TRUE(index.find_ground(m, 250, 250, 30, 0, g));
  EXPECT_EQ(20.0f, g);

  m.loaded = false;
  EXPECT_FALSE(index.find_ground(m, 10, 10, 10, 1, g));
  EXPECT_FALSE(index.is_blocked(m, 50, 50, 50, 30));
}

TEST(WalkIndex, StaysSmallOnAGridOfRooms) {
  SkpModel m;
  for (int i = 0; i < 100; ++i)
    for (int j = 0; j < 100; ++j) {
      const float x = i * 200.0f, y = j * 200.0f;
      test::add_floor(m, x, y, x + 200, y + 200, 0);
      test::add_wall(m, x, y, x + 200, y, 0, 100);
    }
  test::finish(m);
  WalkIndex index;
  index.build(m);
  EXPECT_LE(index.bytes(), 24 * m.triangles.size());
  float g = 0;
  EXPECT_TRUE(index.find_ground(m, 1010, 1050, 10, 0, g));
  EXPECT_TRUE(index.is_blocked(m, 1010, 1005, 60, 30));
}

}  // namespace
}  // namespace lumeno
