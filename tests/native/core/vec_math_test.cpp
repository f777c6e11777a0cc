#include "core/vec_math.h"

#include <gtest/gtest.h>

// Composition applies the right-hand transformation first; directions ignore translation; w
// divides points, and a w of 0 is not divided by.
TEST(VecMath, ComposedTransformations) {
  using namespace lumeno;
  Mat4d move = Mat4d::identity(), turn = Mat4d::identity();
  move.m[12] = 10;
  turn.m[0] = turn.m[5] = 0, turn.m[1] = 1, turn.m[4] = -1;  // quarter turn about z
  Mat4d both = multiply(move, turn);
  const Vec3d p = transform_point(both, Vec3d{1, 0, 0});
  EXPECT_TRUE(p.x == 10 && p.y == 1);
  EXPECT_EQ(transform_vector(both, Vec3d{1, 0, 0}).x, 0);
  both.m[15] = 0.5;
  EXPECT_DOUBLE_EQ(transform_point(both, Vec3d{1, 0, 0}).x, 20);
  both.m[15] = 0;
  EXPECT_DOUBLE_EQ(transform_point(both, Vec3d{1, 0, 0}).x, 10);
}
