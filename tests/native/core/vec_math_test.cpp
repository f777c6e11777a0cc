// The vector and matrix vocabulary: composition order, the projective divide, directions that
// ignore translation, and a zero vector that normalises to zero.
#include "core/vec_math.h"

#include <gtest/gtest.h>

namespace lumeno {
namespace {

TEST(VecMath, ComposedTransformations) {
  Mat4d move = Mat4d::identity(), turn = Mat4d::identity();
  move.m[12] = 10;
  turn.m[0] = turn.m[5] = 0, turn.m[1] = 1, turn.m[4] = -1;  // quarter turn about z
  Mat4d both = multiply(move, turn);                         // turn first, then move
  const Vec3d p = transform_point(both, Vec3d{1, 0, 0});
  EXPECT_DOUBLE_EQ(p.x, 10);
  EXPECT_DOUBLE_EQ(p.y, 1);
  const Vec3d d = transform_vector(both, Vec3d{1, 0, 0});
  EXPECT_DOUBLE_EQ(d.x, 0) << "directions ignore translation";
  both.m[15] = 0.5;  // a uniform scale of 2 stored as w
  EXPECT_DOUBLE_EQ(transform_point(both, Vec3d{1, 0, 0}).x, 20);
  both.m[15] = 0;  // w of 0: no divide rather than infinities
  EXPECT_DOUBLE_EQ(transform_point(both, Vec3d{1, 0, 0}).x, 10);
}

TEST(VecMath, VectorOperations) {
  const Vec3 a{3, 0, 0}, b{0, 4, 0};
  EXPECT_FLOAT_EQ(length(a - b), 5.0f);
  EXPECT_FLOAT_EQ(dot(a, b), 0.0f);
  EXPECT_FLOAT_EQ(cross(a, b).z, 12.0f);
  EXPECT_FLOAT_EQ(normalised(a + b).y, 0.8f);
  const Vec3 zero = normalised(Vec3{});
  EXPECT_TRUE(is_finite(zero) && length(zero) == 0.0f);
}

}  // namespace
}  // namespace lumeno
