// The transformation helpers: homogeneous points and normals (the product order is checked
// through a load, in the traversal tests).
#include <gtest/gtest.h>

#include "model/skp_model.h"

namespace {

SUTransformation transform(double x, double y, double z, double w = 1.0) {
  SUTransformation t = SkpModel::identity_transform();
  t.values[12] = x, t.values[13] = y, t.values[14] = z, t.values[15] = w;
  return t;
}

TEST(TransformTest, PointsDivideByWAndNormalsTakeOnlyTheLinearPart) {
  SUTransformation projective = transform(0, 0, 0);  // w' = x + 1
  projective.values[3] = 1.0;
  const struct {
    SUTransformation t;
    float in[3], out[3];
  } cases[] = {
      {transform(10, 20, 30, 0.5), {1, 2, 3}, {22, 44, 66}},  // w 0.5: uniform scale 2
      {transform(1, 2, 3, 0.0), {1, 1, 1}, {2, 3, 4}},        // w 0 is left undivided
      {projective, {3, 8, 12}, {0.75f, 2, 3}},
      {SkpModel::multiply_transforms(transform(100, 0, 0, .5), transform(0, 0, 0, .5)),
       {1, 1, 1},
       {204, 4, 4}},  // nested scales multiply, the outer move is not scaled
  };
  for (const auto& c : cases) {
    float p[3] = {c.in[0], c.in[1], c.in[2]};
    SkpModel::transform_point(c.t, p[0], p[1], p[2]);
    for (int i = 0; i < 3; ++i) EXPECT_FLOAT_EQ(p[i], c.out[i]) << c.out[0] << ", axis " << i;
  }
  SUTransformation turned = transform(5, 6, 7, 0.25);  // 90 degrees about z, moved, w 0.25
  turned.values[0] = turned.values[5] = 0, turned.values[1] = 1, turned.values[4] = -1;
  float x = 1, y = 0, z = 0;
  SkpModel::transform_normal(turned, x, y, z);
  EXPECT_TRUE(x == 0 && y == 1 && z == 0) << x << ", " << y << ", " << z;
}

}  // namespace
