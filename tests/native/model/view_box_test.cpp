// The view box is measured when the model loads: the bounding box when there are triangles, the
// edges' box for a model of edges only, the origin for nothing; drawing reads the stored box.
#include <gtest/gtest.h>

#include "tests/native/model/standin_fixture.h"

namespace lumeno {
namespace test {
namespace {

class ViewBoxTest : public StandinModelTest {};

void expect_box(const ViewBox& b, lumeno::Vec3 min, lumeno::Vec3 max) {
  EXPECT_EQ(b.min.x, min.x);
  EXPECT_EQ(b.min.y, min.y);
  EXPECT_EQ(b.min.z, min.z);
  EXPECT_EQ(b.max.x, max.x);
  EXPECT_EQ(b.max.y, max.y);
  EXPECT_EQ(b.max.z, max.z);
}

TEST_F(ViewBoxTest, MeasuredOncePerLoad) {
  json edges =
      json::array({edge(point(-1, 2, 0), point(3, 4, 5)), edge(point(0, -6, 1), point(1, 1, 1))});
  ASSERT_TRUE(load({{"entities", {{"edges", edges}}}}));
  expect_box(model_.view_box(), {-1, -6, 0}, {3, 4, 5});
  model_.edges.clear();  // the stored box stays until the next load
  expect_box(model_.view_box(), {-1, -6, 0}, {3, 4, 5});

  ASSERT_TRUE(
      load({{"entities", {{"faces", json::array({square(1, 2, 3, 2)})}, {"edges", edges}}}}));
  expect_box(model_.view_box(), {1, 2, 3}, {3, 4, 3});

  model_.unload();
  expect_box(model_.view_box(), {0, 0, 0}, {0, 0, 0});
}

}  // namespace
}  // namespace test
}  // namespace lumeno
