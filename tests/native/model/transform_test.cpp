// The transformation helpers: product order, homogeneous points, normals.
#include <gtest/gtest.h>

#include "model/skp_model.h"

namespace {

SUTransformation make(std::initializer_list<double> values) {
  SUTransformation t = {};
  int i = 0;
  for (double v : values) t.values[i++] = v;
  return t;
}

const SUTransformation kIdentity = SkpModel::identity_transform();

SUTransformation translate(double x, double y, double z) {
  SUTransformation t = kIdentity;
  t.values[12] = x;
  t.values[13] = y;
  t.values[14] = z;
  return t;
}

// 90 degrees about z: x axis to (0, 1, 0), y axis to (-1, 0, 0).
const SUTransformation kQuarterTurn = make({0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});

SUTransformation multiply(const SUTransformation& a, const SUTransformation& b) {
  return SkpModel::multiply_transforms(a, b);
}

struct PointCase {
  const char* name;
  SUTransformation t;
  float in[3];
  float out[3];
};

TEST(TransformPoint, MapsPointsIncludingTheHomogeneousW) {
  SUTransformation half_w = translate(10, 20, 30);
  half_w.values[15] = 0.5;  // the vendor's uniform scale 2
  SUTransformation zero_w = translate(1, 2, 3);
  zero_w.values[15] = 0.0;  // degenerate: no divide
  SUTransformation projective = kIdentity;
  projective.values[3] = 1.0;  // w' = x + 1
  const PointCase cases[] = {
      {"identity", kIdentity, {1.5f, -2.0f, 3.25f}, {1.5f, -2.0f, 3.25f}},
      {"translation", translate(10, 20, 30), {1, 2, 3}, {11, 22, 33}},
      {"quarter turn", kQuarterTurn, {1, 2, 3}, {-2, 1, 3}},
      {"w 0.5 doubles", half_w, {1, 2, 3}, {22, 44, 66}},
      {"w 0 leaves as is", zero_w, {1, 1, 1}, {2, 3, 4}},
      {"projective row", projective, {3, 8, 12}, {0.75f, 2, 3}},
  };
  for (const PointCase& c : cases) {
    float x = c.in[0], y = c.in[1], z = c.in[2];
    SkpModel::transform_point(c.t, x, y, z);
    EXPECT_FLOAT_EQ(x, c.out[0]) << c.name;
    EXPECT_FLOAT_EQ(y, c.out[1]) << c.name;
    EXPECT_FLOAT_EQ(z, c.out[2]) << c.name;
  }
}

TEST(TransformNormal, UsesOnlyTheLinearPart) {
  SUTransformation t = multiply(translate(5, 6, 7), kQuarterTurn);
  t.values[15] = 0.25;
  float x = 1, y = 0, z = 0;
  SkpModel::transform_normal(t, x, y, z);
  EXPECT_FLOAT_EQ(x, 0.0f);
  EXPECT_FLOAT_EQ(y, 1.0f);
  EXPECT_FLOAT_EQ(z, 0.0f);
}

TEST(MultiplyTransforms, AppliesTheLocalTransformationFirst) {
  // parent x local: a point is turned by the local quarter turn, then moved by the parent.
  const SUTransformation turned_then_moved = multiply(translate(10, 0, 0), kQuarterTurn);
  const SUTransformation moved_then_turned = multiply(kQuarterTurn, translate(10, 0, 0));
  float x = 1, y = 0, z = 0;
  SkpModel::transform_point(turned_then_moved, x, y, z);
  EXPECT_FLOAT_EQ(x, 10.0f);
  EXPECT_FLOAT_EQ(y, 1.0f);
  x = 1, y = 0, z = 0;
  SkpModel::transform_point(moved_then_turned, x, y, z);
  EXPECT_FLOAT_EQ(x, 0.0f);
  EXPECT_FLOAT_EQ(y, 11.0f);
}

TEST(MultiplyTransforms, ComposesWSoNestedScalesMultiply) {
  // Two nested uniform scales of 2 (w = 0.5 each) scale by 4; the translation of the outer one
  // is not scaled by the inner one.
  SUTransformation outer = translate(100, 0, 0);
  outer.values[15] = 0.5;
  SUTransformation inner = kIdentity;
  inner.values[15] = 0.5;
  const SUTransformation both = multiply(outer, inner);
  EXPECT_DOUBLE_EQ(both.values[15], 0.25);
  float x = 1, y = 1, z = 1;
  SkpModel::transform_point(both, x, y, z);
  EXPECT_FLOAT_EQ(x, 4.0f + 200.0f);
  EXPECT_FLOAT_EQ(y, 4.0f);
  EXPECT_FLOAT_EQ(z, 4.0f);
}

}  // namespace
