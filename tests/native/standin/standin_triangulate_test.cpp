// The triangulator on its own, with degenerate and hostile loops. Results are checked by total
// area, winding and index validity rather than against a fixed list of triangles.
#include <gtest/gtest.h>

#include <cmath>

#include "standin/triangulate.h"

namespace {

using standin::Point2;
using Loops = std::vector<uint32_t>;

double loop_area(const std::vector<Point2>& p, size_t start, size_t count) {
  double sum = 0;
  for (size_t i = 0; i < count; ++i) {
    const Point2 &a = p[start + i], &b = p[start + (i + 1) % count];
    sum += (a.x * b.y - b.x * a.y) / 2;
  }
  return sum;
}

// Triangles with valid indices, all counter-clockwise, covering exactly the outer loop minus the
// holes; `triangles` is checked when not 0.
void expect_exact(const std::vector<Point2>& p, const Loops& loops, size_t triangles) {
  std::vector<uint32_t> tris;
  standin::triangulate_2d(p, loops, &tris);
  double area = std::fabs(loop_area(p, 0, loops[0])), covered = 0;
  for (size_t h = 1, start = loops[0]; h < loops.size(); start += loops[h++]) {
    area -= std::fabs(loop_area(p, start, loops[h]));
  }
  ASSERT_EQ(tris.size() % 3, 0u);
  for (size_t t = 0; t < tris.size(); t += 3) {
    for (int k = 0; k < 3; ++k) ASSERT_LT(tris[t + k], p.size());
    const double a = loop_area({p[tris[t]], p[tris[t + 1]], p[tris[t + 2]]}, 0, 3);
    EXPECT_GT(a, 0) << "triangle " << t / 3 << " is not counter-clockwise";
    covered += a;
  }
  EXPECT_NEAR(covered, area, 1e-9 * std::max(1.0, area));
  EXPECT_TRUE(triangles == 0 || tris.size() / 3 == triangles) << tris.size() / 3;
}

// Degenerate input gives no triangles, except that a self-intersecting bow tie may give any
// triangles with valid indices; repeated points and degenerate holes are skipped.
TEST(StandinTriangulate, DegenerateInput) {
  const std::pair<std::vector<Point2>, Loops> cases[] = {
      {{{0, 0}, {1, 1}, {2, 2}, {3, 3}}, {4}},  // collinear
      {{{5, 5}, {5, 5}, {5, 5}}, {3}},          // one point
      {{{0, 0}, {1, 0}, {1, 1}}, {3, 5}},       // loop sizes beyond the points
      {{{0, 0}, {NAN, 0}, {1, 1}}, {3}},        // not a number
      {{{0, 0}, {2, 2}, {2, 0}, {0, 2}}, {4}}};
  for (const auto& c : cases) {
    std::vector<uint32_t> tris;
    standin::triangulate_2d(c.first, c.second, &tris);
    for (uint32_t i : tris) EXPECT_LT(i, c.first.size());
    EXPECT_TRUE(tris.empty() || &c == &cases[4]);
  }
  expect_exact(
      {{0, 0}, {5, 0}, {10, 0}, {10, 0}, {10, 10}, {0, 10}, {2, 2}, {3, 3}, {5, 5}, {6, 6}, {7, 7}},
      {6, 2, 3}, 0);
}

}  // namespace
