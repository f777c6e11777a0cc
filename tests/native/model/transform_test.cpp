// The transformation helpers: product order, homogeneous points, normals.
#include <gtest/gtest.h>

#include "model/skp_model.h"

namespace {

SUTransformation transform(double x, double y, double z, double w = 1.0) {
  SUTransformation t = SkpModel::identity_transform();
  t.values[12] = x, t.values[13] = y, t.values[14] = z, t.values[15] = w;
  return t;
}

// 90 degrees about z: x axis to (0, 1, 0), y axis to (-1, 0, 0).
const SUTransformation kQuarterTurn = {{0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};

TEST(TransformTest, PointsNormalsAndProducts) {
  SUTransformation projective = transform(0, 0, 0);  // w' = x + 1
  projective.values[3] = 1.0;
  const auto product = SkpModel::multiply_transforms;
  const SUTransformation half = transform(0, 0, 0, 0.5);
  const struct {
    const char* name;
    SUTransformation t;
    float in[3], out[3];
  } cases[] = {
      {"quarter turn", kQuarterTurn, {1, 2, 3}, {-2, 1, 3}},
      {"w 0.5: uniform scale 2", transform(10, 20, 30, 0.5), {1, 2, 3}, {22, 44, 66}},
      {"w 0 is left undivided", transform(1, 2, 3, 0.0), {1, 1, 1}, {2, 3, 4}},
      {"projective row", projective, {3, 8, 12}, {0.75f, 2, 3}},
      // parent x local: turn, then move; nested scales multiply, the outer move is not scaled.
      {"product order", product(transform(10, 0, 0), kQuarterTurn), {1, 0, 0}, {10, 1, 0}},
      {"nested w", product(transform(100, 0, 0, .5), half), {1, 1, 1}, {204, 4, 4}},
  };
  for (const auto& c : cases) {
    float p[3] = {c.in[0], c.in[1], c.in[2]};
    SkpModel::transform_point(c.t, p[0], p[1], p[2]);
    for (int i = 0; i < 3; ++i) EXPECT_FLOAT_EQ(p[i], c.out[i]) << c.name << ", axis " << i;
  }
  // Normals take only the linear part: no move, no w.
  SUTransformation t = product(transform(5, 6, 7, 0.25), kQuarterTurn);
  float x = 1, y = 0, z = 0;
  SkpModel::transform_normal(t, x, y, z);
  EXPECT_TRUE(x == 0 && y == 1 && z == 0) << x << ", " << y << ", " << z;
}

}  // namespace
