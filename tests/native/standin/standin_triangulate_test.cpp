// The triangulator on its own. Each result is checked by total area, winding and index validity
// rather than against a fixed list of triangles.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

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

std::vector<Point2> star(size_t points, double inner, double outer, double cx, double cy,
                         bool clockwise, std::mt19937& rng) {
  std::uniform_real_distribution<double> jitter(0.85, 1.0);
  std::vector<Point2> loop;
  for (size_t i = 0; i < points; ++i) {
    const double angle = (clockwise ? -2 : 2) * M_PI * i / points,
                 r = (i % 2 ? inner : outer) * jitter(rng);
    loop.push_back(Point2{cx + r * std::cos(angle), cy + r * std::sin(angle)});
  }
  return loop;
}

// Concave stars of either winding, with holes of either winding; thousands of vertices exercise
// the z-order index.
TEST(StandinTriangulate, ConcaveStarsWithAndWithoutHoles) {
  std::mt19937 rng(7);
  for (const auto& c : {std::pair<size_t, int>{6, 0}, {61, 0}, {24, 3}, {4000, 16}}) {
    const double outer = static_cast<double>(c.first);
    std::vector<Point2> p = star(c.first, 0.6 * outer, outer, 0, 0, c.first % 2, rng);
    Loops loops{static_cast<uint32_t>(c.first)};
    for (int h = 0; h < c.second; ++h) {
      const double angle = 2 * M_PI * h / c.second, r = 0.3 * outer;
      const auto hole = star(8, 0.03 * outer, 0.05 * outer, r * std::cos(angle),
                             r * std::sin(angle), h % 2 == 0, rng);
      p.insert(p.end(), hole.begin(), hole.end());
      loops.push_back(8);
    }
    expect_exact(p, loops, p.size() + 2 * c.second - 2);
  }
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
