// The view box is measured when the model loads: the bounding box when there are triangles, the
// edges' box for a model of edges only, the origin for nothing; drawing reads the stored box.
#include <gtest/gtest.h>

#include <vector>

#include "tests/native/model/standin_fixture.h"

namespace lumeno {
namespace test {
namespace {

class ViewBoxTest : public StandinModelTest {};

std::vector<float> corners(const ViewBox& b) {
  return {b.min.x, b.min.y, b.min.z, b.max.x, b.max.y, b.max.z};
}

TEST_F(ViewBoxTest, MeasuredOncePerLoad) {
  json edges =
      json::array({edge(point(-1, 2, 0), point(3, 4, 5)), edge(point(0, -6, 1), point(1, 1, 1))});
  ASSERT_TRUE(load({{"entities", {{"edges", edges}}}}));
  EXPECT_EQ(corners(model_.view_box()), std::vector<float>({-1, -6, 0, 3, 4, 5}));
  model_.edges.clear();  // the stored box stays until the next load
  EXPECT_EQ(corners(model_.view_box()), std::vector<float>({-1, -6, 0, 3, 4, 5}));

  ASSERT_TRUE(
      load({{"entities", {{"faces", json::array({square(1, 2, 3, 2)})}, {"edges", edges}}}}));
  EXPECT_EQ(corners(model_.view_box()), std::vector<float>({1, 2, 3, 3, 4, 3}));

  model_.unload();
  EXPECT_EQ(corners(model_.view_box()), std::vector<float>({0, 0, 0, 0, 0, 0}));
}

}  // namespace
}  // namespace test
}  // namespace lumeno
