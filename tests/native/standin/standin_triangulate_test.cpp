// The triangulator on its own: concave outlines, holes, collinear and repeated points, large
// loops. (Planes in 3D are checked through the API in standin_geometry_test.) Each result is
// checked by total area, winding and index validity rather than against a fixed list of triangles.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "standin/triangulate.h"

namespace {

using standin::Point2;

double loop_area(const std::vector<Point2>& p, size_t start, size_t count) {
  double sum = 0;
  for (size_t i = 0; i < count; ++i) {
    const Point2& a = p[start + i];
    const Point2& b = p[start + (i + 1) % count];
    sum += a.x * b.y - b.x * a.y;
  }
  return sum / 2;
}

// Area enclosed by the outer loop minus the holes.
double polygon_area(const std::vector<Point2>& p, const std::vector<uint32_t>& loops) {
  double area = std::fabs(loop_area(p, 0, loops[0]));
  size_t start = loops[0];
  for (size_t h = 1; h < loops.size(); ++h) {
    area -= std::fabs(loop_area(p, start, loops[h]));
    start += loops[h];
  }
  return area;
}

// Sum of triangle areas; every triangle must be counter-clockwise and its indices valid.
double triangulated_area(const std::vector<Point2>& p, const std::vector<uint32_t>& tris) {
  EXPECT_EQ(tris.size() % 3, 0u);
  double total = 0;
  for (size_t t = 0; t + 2 < tris.size(); t += 3) {
    for (int k = 0; k < 3; ++k) EXPECT_LT(tris[t + k], p.size());
    const Point2 &a = p[tris[t]], &b = p[tris[t + 1]], &c = p[tris[t + 2]];
    const double twice = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
    EXPECT_GT(twice, 0) << "triangle " << t / 3 << " is not counter-clockwise";
    total += twice / 2;
  }
  return total;
}

std::vector<Point2> star(size_t points, double inner, double outer, double cx, double cy,
                         bool clockwise, std::mt19937& rng) {
  std::uniform_real_distribution<double> jitter(0.85, 1.0);
  std::vector<Point2> loop;
  for (size_t i = 0; i < points; ++i) {
    const double angle = (clockwise ? -1.0 : 1.0) * 2 * M_PI * static_cast<double>(i) / points;
    const double r = (i % 2 ? inner : outer) * jitter(rng);
    loop.push_back(Point2{cx + r * std::cos(angle), cy + r * std::sin(angle)});
  }
  return loop;
}

void expect_exact(const std::vector<Point2>& p, const std::vector<uint32_t>& loops,
                  size_t expected_triangles) {
  std::vector<uint32_t> tris;
  standin::triangulate_2d(p, loops, &tris);
  const double area = polygon_area(p, loops);
  EXPECT_NEAR(triangulated_area(p, tris), area, 1e-9 * std::max(1.0, area));
  if (expected_triangles) {
    EXPECT_EQ(tris.size() / 3, expected_triangles);
  }
}

TEST(StandinTriangulate, RandomConcaveStarsInBothWindings) {
  std::mt19937 rng(7);
  for (int round = 0; round < 40; ++round) {
    const size_t n = 6 + 2 * (round % 30);
    const auto p = star(n, 3, 10, 0, 0, round % 2 == 1, rng);
    expect_exact(p, {static_cast<uint32_t>(n)}, n - 2);
  }
}

TEST(StandinTriangulate, StarsWithSeveralHolesOfEitherWinding) {
  std::mt19937 rng(11);
  for (int round = 0; round < 20; ++round) {
    std::vector<Point2> p = star(24, 60, 100, 0, 0, false, rng);
    std::vector<uint32_t> loops{24};
    const double centres[4][2] = {{-20, -20}, {20, -20}, {20, 20}, {-20, 20}};
    const int holes = 1 + round % 4;
    for (int h = 0; h < holes; ++h) {
      const auto hole = star(8, 5, 9, centres[h][0], centres[h][1], (round + h) % 2 == 0, rng);
      p.insert(p.end(), hole.begin(), hole.end());
      loops.push_back(8);
    }
    expect_exact(p, loops, p.size() + 2 * holes - 2);
  }
}

// A comb, whose teeth are concave notches a naive fan would cut across; a square with extra
// points along its sides and a repeated corner; a square with degenerate holes, which are skipped.
TEST(StandinTriangulate, CombsRepeatedPointsAndDegenerateHoles) {
  std::vector<Point2> comb{{0, 0}, {40, 0}};
  for (int tooth = 9; tooth >= 0; --tooth) {
    const double x = tooth * 4.0;
    for (const Point2& p : {Point2{x + 3, 20}, Point2{x + 2, 20}, Point2{x + 2, 2},
                            Point2{x + 1, 2}, Point2{x + 1, 20}, Point2{x, 20}}) {
      comb.push_back(p);
    }
  }
  comb.erase(comb.begin() + 2);  // the first top point lies on the corner's line
  expect_exact(comb, {static_cast<uint32_t>(comb.size())}, 0);
  expect_exact({{0, 0}, {1, 0}, {2, 0}, {2, 0}, {2, 1}, {2, 2}, {1, 2}, {0, 2}, {0, 1}}, {9}, 0);
  expect_exact({{0, 0},
                {10, 0},
                {10, 10},
                {0, 10},  // outer
                {2, 2},
                {3, 3},  // two-point hole
                {5, 5},
                {6, 6},
                {7, 7}},  // collinear hole
               {4, 2, 3}, 0);
}

TEST(StandinTriangulate, DegenerateInputGivesNoTriangles) {
  struct Case {
    std::vector<Point2> p;
    std::vector<uint32_t> loops;
  };
  const Case cases[] = {
      {{{0, 0}, {1, 1}, {2, 2}, {3, 3}}, {4}},  // collinear
      {{{5, 5}, {5, 5}, {5, 5}}, {3}},          // one point thrice
      {{{0, 0}, {1, 0}}, {2}},                  // too few points
      {{{0, 0}, {1, 0}, {1, 1}}, {3, 5}},       // loop sizes beyond the points
      {{{0, 0}, {NAN, 0}, {1, 1}}, {3}},        // not a number
      {{}, {}},
  };
  for (const Case& c : cases) {
    std::vector<uint32_t> tris;
    standin::triangulate_2d(c.p, c.loops, &tris);
    EXPECT_TRUE(tris.empty());
  }
}

TEST(StandinTriangulate, SelfIntersectingOutlineEndsWithoutHanging) {
  // A bow tie and a pentagram: no valid triangulation exists; any valid-index result will do.
  const std::vector<std::vector<Point2>> shapes{{{0, 0}, {2, 2}, {2, 0}, {0, 2}},
                                                {{0, 10}, {6, -8}, {-9.5, 3}, {9.5, 3}, {-6, -8}}};
  for (const auto& p : shapes) {
    std::vector<uint32_t> tris;
    standin::triangulate_2d(p, {static_cast<uint32_t>(p.size())}, &tris);
    for (uint32_t i : tris) EXPECT_LT(i, p.size());
  }
}

TEST(StandinTriangulate, LargeConcaveLoopWithManyHoles) {
  // Thousands of vertices: exercises the z-order index (correctness only; speed is benchmarked).
  std::mt19937 rng(3);
  std::vector<Point2> p = star(4000, 800, 1000, 0, 0, false, rng);
  std::vector<uint32_t> loops{4000};
  for (int h = 0; h < 16; ++h) {
    const double angle = 2 * M_PI * h / 16;
    const auto hole = star(40, 20, 30, 400 * std::cos(angle), 400 * std::sin(angle), h % 2, rng);
    p.insert(p.end(), hole.begin(), hole.end());
    loops.push_back(40);
  }
  expect_exact(p, loops, p.size() + 2 * 16 - 2);
}

}  // namespace
