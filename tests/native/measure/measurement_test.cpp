#include <gtest/gtest.h>

#include <cmath>

#include "measure/measure_geometry.h"
#include "measure/measure_units.h"
#include "measure_fakes.h"

using namespace lumeno;

namespace {

class MeasurementTest : public ::testing::Test {
 protected:
  void click_all(const std::vector<MeasurePoint>& points) {
    for (const MeasurePoint& p : points) m.add_measure_point(p.x, p.y, p.z);
  }
  RecordingSink sink;
  Measurement m{sink};
};

TEST_F(MeasurementTest, DistancePairsAndEscDropsASinglePoint) {
  m.start_measure_distance();
  click_all({{0, 0, 0}, {3, 4, 0}, {9, 9, 9}});
  ASSERT_EQ(m.measurements.size(), 1u);
  EXPECT_DOUBLE_EQ(m.measurements[0].total_length, 5.0);
  EXPECT_EQ(sink.toasts.back().text, L"距离: 127.0 mm");
  EXPECT_EQ(m.current_measure.points.size(), 1u);  // click 3 starts the next pair
  m.end_measure();
  EXPECT_EQ(m.measurements.size(), 1u);
  EXPECT_EQ(m.measure_mode, MeasureMode::None);
  EXPECT_EQ(sink.toasts.back().text, L"测量结束");
}

TEST_F(MeasurementTest, ContinuousChainKeepsItsSegmentsOnEsc) {
  m.start_measure_continuous();
  click_all({{0, 0, 0}, {1, 0, 0}, {1, 2, 0}, {1, 2, 3}});
  m.end_measure();
  ASSERT_EQ(m.measurements.size(), 1u);
  const MeasureResult& r = m.measurements[0];
  EXPECT_EQ(r.segment_lengths, (std::vector<double>{1, 2, 3}));
  EXPECT_DOUBLE_EQ(r.total_length, 6.0);
  EXPECT_FALSE(r.closed);
  EXPECT_EQ(r.area, 0.0);
}

TEST_F(MeasurementTest, AreaClosesSquareAndDropsShortOutlineSilently) {
  m.start_measure_area();
  click_all({{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}});
  m.close_measure();
  ASSERT_EQ(m.measurements.size(), 1u);
  EXPECT_DOUBLE_EQ(m.measurements[0].area, 100.0);
  EXPECT_EQ(m.measurements[0].segment_lengths.size(), 4u);
  EXPECT_DOUBLE_EQ(m.measurements[0].total_length, 40.0);
  EXPECT_TRUE(m.measurements[0].closed);
  EXPECT_EQ(m.measure_mode, MeasureMode::None);

  m.start_measure_area();
  click_all({{0, 0, 0}, {1, 0, 0}});
  const size_t toasts = sink.toasts.size();
  m.close_measure();
  EXPECT_EQ(m.measurements.size(), 1u);
  EXPECT_EQ(sink.toasts.size(), toasts);
  EXPECT_EQ(m.measure_mode, MeasureMode::None);
}

TEST_F(MeasurementTest, MissAddsNothingAndKeepsTheMode) {
  m.start_measure_area();
  m.report_miss();
  EXPECT_TRUE(m.current_measure.points.empty());
  EXPECT_EQ(m.measure_mode, MeasureMode::Area);
  EXPECT_EQ(sink.toasts.back().text, L"未点中模型表面");
  EXPECT_EQ(sink.toasts.back().ms, 1500);
}

TEST(OutlineArea, ConcaveTiltedAndNonFlatOutlines) {
  const std::vector<MeasurePoint> l_from_notch = {{2, 1, 0}, {1, 1, 0}, {1, 2, 0},
                                                  {0, 2, 0}, {0, 0, 0}, {2, 0, 0}};
  const std::vector<MeasurePoint> l_from_origin = {{0, 0, 0}, {2, 0, 0}, {2, 1, 0},
                                                   {1, 1, 0}, {1, 2, 0}, {0, 2, 0}};
  EXPECT_NEAR(outline_area(l_from_notch), 3.0, 1e-9);
  EXPECT_NEAR(outline_area(l_from_origin), 3.0, 1e-9);
  // A 10 x 10 square turned 30 degrees about X, then 40 about Z.
  const double a = 30 * 3.14159265358979 / 180, b = 40 * 3.14159265358979 / 180;
  std::vector<MeasurePoint> tilted;
  for (auto [u, v] : {std::pair{0, 0}, {10, 0}, {10, 10}, {0, 10}}) {
    const double y = v * std::cos(a), z = v * std::sin(a);
    tilted.push_back({float(u * std::cos(b) - y * std::sin(b)),
                      float(u * std::sin(b) + y * std::cos(b)), float(z + 50)});
  }
  EXPECT_NEAR(outline_area(tilted), 100.0, 1e-3);
  // Saddle: corners alternately raised; the area is that of its projection onto z = 0.
  EXPECT_NEAR(outline_area({{0, 0, 1}, {10, 0, -1}, {10, 10, 1}, {0, 10, -1}}), 100.0, 1e-9);
}

TEST(OutlineFill, TrianglesCoverTheLButNotItsNotch) {
  const std::vector<MeasurePoint> l = {{2, 1, 0}, {1, 1, 0}, {1, 2, 0},
                                       {0, 2, 0}, {0, 0, 0}, {2, 0, 0}};
  const std::vector<uint32_t> tris = outline_fill_triangles(l);
  ASSERT_EQ(tris.size(), 12u);
  double covered = 0;
  for (size_t t = 0; t < tris.size(); t += 3)
    covered += outline_area({l[tris[t]], l[tris[t + 1]], l[tris[t + 2]]});
  EXPECT_NEAR(covered, 3.0, 1e-9);
  EXPECT_TRUE(outline_fill_triangles({{0, 0, 0}, {1, 1, 1}, {2, 2, 2}}).empty());
}

TEST(MeasureUnits, LabelsInEveryUnit) {
  const double metre = 1000.0 / 25.4;
  const wchar_t* lengths[] = {L"1000.0 mm", L"1.0000 m", L"3.281 ft", L"39.37 in"};
  for (int unit = 0; unit < kUnitCount; ++unit)
    EXPECT_EQ(format_measure_value(metre, unit), lengths[unit]) << unit;
  const float side = static_cast<float>(metre);
  const double square = outline_area({{0, 0, 0}, {side, 0, 0}, {side, side, 0}, {0, side, 0}});
  EXPECT_EQ(format_measure_area(square, kUnitMetre), L"1.0000 m\u00B2");
  EXPECT_EQ(format_measure_value(metre, 7), lengths[0]);  // unknown unit: millimetres
}

}  // namespace
