// The vector and matrix vocabulary: composition order, the projective divide, directions that
// ignore translation, and the vector operations' edge cases.
#include "core/vec_math.h"

#include <gtest/gtest.h>

namespace lumeno {
namespace {

Mat4d translation(double x, double y, double z) {
  Mat4d t = Mat4d::identity();
  t.m[12] = x;
  t.m[13] = y;
  t.m[14] = z;
  return t;
}

Mat4d quarter_turn_z() {
  Mat4d t = Mat4d::identity();
  t.m[0] = 0, t.m[1] = 1, t.m[4] = -1, t.m[5] = 0;
  return t;
}

TEST(VecMath, ProductAppliesTheRightFactorFirst) {
  const Mat4d turn_then_move = multiply(translation(10, 0, 0), quarter_turn_z());
  const Vec3d p = transform_point(turn_then_move, Vec3d{1, 0, 0});
  EXPECT_DOUBLE_EQ(p.x, 10);
  EXPECT_DOUBLE_EQ(p.y, 1);
  // Single precision composes the same way.
  Mat4 f = Mat4::identity();
  f.m[12] = 10;
  const Mat4 twice = multiply(f, f);
  EXPECT_FLOAT_EQ(twice.m[12], 20.0f);
}

TEST(VecMath, PointsAreDividedByWAndDirectionsIgnoreTranslation) {
  Mat4d half = translation(4, 0, 0);
  half.m[15] = 0.5;  // a uniform scale of 2 stored as w
  const Vec3d p = transform_point(half, Vec3d{1, 2, 3});
  EXPECT_DOUBLE_EQ(p.x, 10);
  EXPECT_DOUBLE_EQ(p.z, 6);
  half.m[15] = 0;  // w of 0: no divide rather than infinities
  EXPECT_DOUBLE_EQ(transform_point(half, Vec3d{1, 2, 3}).x, 5);
  const Vec3d d =
      transform_vector(multiply(translation(7, 7, 7), quarter_turn_z()), Vec3d{1, 0, 0});
  EXPECT_DOUBLE_EQ(d.x, 0);
  EXPECT_DOUBLE_EQ(d.y, 1);
  EXPECT_DOUBLE_EQ(d.z, 0);
}

TEST(VecMath, VectorOperations) {
  const Vec3 a{3, 0, 0}, b{0, 4, 0};
  EXPECT_FLOAT_EQ(length(a - b), 5.0f);
  EXPECT_FLOAT_EQ(dot(a, b), 0.0f);
  EXPECT_FLOAT_EQ(cross(a, b).z, 12.0f);
  EXPECT_FLOAT_EQ(normalised(a + b).y, 0.8f);
  const Vec3 zero = normalised(Vec3{});
  EXPECT_EQ(zero.x + zero.y + zero.z, 0.0f) << "a zero vector stays zero, no NaN";
  EXPECT_FALSE(is_finite(Vec3{0, 1.0f / zero.x, 0}));
}

}  // namespace
}  // namespace lumeno
