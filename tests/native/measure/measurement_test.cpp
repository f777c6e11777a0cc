// Measurement: the state table, outline areas and unit labels, and the tool as the window
// drives it (clicks, keys, commands).
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>

#include "core/command_ids.h"
#include "measure/measure_feature.h"
#include "measure/measure_geometry.h"
#include "measure/measure_units.h"
#include "measure/point_picker.h"
#include "render/layout.h"
#include "render/navigator.h"
#include "render/panes.h"
#include "tests/native/ui/recording_host.h"

using namespace lumeno;

namespace {

struct RecordingSink : MeasureSink {
  void show_toast(const std::wstring& t, int ms) override { toasts.push_back(t), last_ms = ms; }
  void invalidate() override {}
  std::vector<std::wstring> toasts;
  int last_ms = 0;
};

struct ScriptedPicker : PointPicker {  // answers from a queue; empty: a background click
  bool pick(const Viewport& pane, int, int, int, MeasurePoint& out) override {
    picked_in.push_back(pane.label);
    if (answers.empty()) return false;
    return out = answers.front(), answers.pop_front(), true;
  }
  std::deque<MeasurePoint> answers;
  std::vector<std::string> picked_in;
};

TEST(MeasurementStates, ClicksAndEndings) {
  using M = Measurement;
  // pending: points still open before the ending (click 3 starts a new pair); areas are closed
  // (Enter), the rest ended (Esc).
  struct Case {
    void (M::*start)();
    std::vector<MeasurePoint> clicks;
    size_t pending, kept, segments;
    double total, area;
    const wchar_t* toast;
  } cases[] = {
      // clang-format off
      {&M::start_measure_distance, {{0, 0, 0}, {3, 4, 0}, {9, 9, 9}}, 1, 1, 1, 5, 0,
       L"距离: 127.0 mm"},
      {&M::start_measure_continuous, {{0, 0, 0}, {1, 0, 0}, {1, 2, 0}, {1, 2, 3}}, 4, 1, 3, 6, 0,
       L"测量结束"},
      {&M::start_measure_area, {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}}, 4, 1, 4, 40, 100,
       L"面积: "},
      {&M::start_measure_area, {{0, 0, 0}, {1, 0, 0}}, 2, 0, 0, 0, 0, L"测面积"},
      // clang-format on
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.clicks.size());
    RecordingSink sink;
    Measurement m{sink};
    (m.*c.start)();
    for (const MeasurePoint& p : c.clicks) m.add_measure_point(p.x, p.y, p.z);
    EXPECT_EQ(m.current_measure.points.size(), c.pending);
    const size_t toasts = sink.toasts.size();
    c.start == &M::start_measure_area ? m.close_measure() : m.end_measure();
    EXPECT_TRUE(m.measure_mode == MeasureMode::None && m.current_measure.points.empty());
    const auto shown = [&](const std::wstring& t) { return t.rfind(c.toast, 0) == 0; };
    EXPECT_TRUE(std::any_of(sink.toasts.begin(), sink.toasts.end(), shown));
    EXPECT_EQ(sink.toasts.size() > toasts, c.kept > 0);  // a short outline goes silently
    ASSERT_EQ(m.measurements.size(), c.kept);
    if (c.kept == 0) continue;
    const MeasureResult& r = m.measurements[0];
    EXPECT_TRUE(r.segment_lengths.size() == c.segments && r.total_length == c.total);
    EXPECT_TRUE(r.area == c.area && r.closed == (c.area > 0));
  }
}

TEST(OutlineArea, ConcaveTiltedAndNonFlatOutlines) {
  // The L in both click orders; a 9 x 9 square on the plane with normal (2, -1, -2), off
  // every axis; a saddle (corners alternately raised): the area of its projection onto z = 0.
  const std::pair<std::vector<MeasurePoint>, double> cases[] = {
      {{{2, 1, 0}, {1, 1, 0}, {1, 2, 0}, {0, 2, 0}, {0, 0, 0}, {2, 0, 0}}, 3.0},
      {{{0, 0, 0}, {2, 0, 0}, {2, 1, 0}, {1, 1, 0}, {1, 2, 0}, {0, 2, 0}}, 3.0},
      {{{50, 50, 50}, {56, 56, 53}, {59, 50, 59}, {53, 44, 56}}, 81.0},
      {{{0, 0, 1}, {10, 0, -1}, {10, 10, 1}, {0, 10, -1}}, 100.0}};
  for (const auto& [outline, area] : cases) EXPECT_NEAR(outline_area(outline), area, 1e-9);
}

TEST(MeasureUnits, LabelsInEveryUnit) {
  const double metre = 1000.0 / 25.4;
  const wchar_t* lengths[] = {L"1000.0 mm", L"1.0000 m", L"3.281 ft", L"39.37 in"};
  for (int unit = 0; unit < kUnitCount; ++unit)
    EXPECT_EQ(format_measure_value(metre, unit), lengths[unit]) << unit;
  EXPECT_EQ(format_measure_area(metre * metre, kUnitMetre), L"1.0000 m\u00B2");
  EXPECT_EQ(format_measure_value(metre, 7), lengths[0]);  // unknown unit: millimetres
}

struct MeasureToolTest : ::testing::Test {
  void SetUp() override {
    panes.resize(800, 600);
    panes.viewports() = layout_panes(4, 800, 600);
    panes.select(0);
    navigator.update(panes.viewports()[0].camera, 800);
    for (const Command& c : feature.commands()) commands.add(c);
  }
  bool press(int x, int y) { return feature.tool().on_mouse_down(kMeasureLeftButton, x, y); }
  bool key(unsigned k) { return feature.tool().on_key_down(k); }

  RecordingSink sink;
  test::RecordingHost host;
  Panes panes;
  AxisNavigator navigator;
  ToolStack tools;
  ScriptedPicker picker;
  MeasureFeature feature{sink, panes, navigator, host, tools, picker};
  CommandRegistry commands;
  Measurement& m = feature.measurement();
};

TEST_F(MeasureToolTest, PressGoesToNavigatorThenSelectsThePaneThenAddsThePoint) {
  ASSERT_TRUE(commands.run_action("measure_dist"));
  ASSERT_EQ(tools.active(), &feature.tool());
  const NavItem& disc = navigator.nav_items[0];
  EXPECT_FALSE(press(static_cast<int>(disc.screen_x), static_cast<int>(disc.screen_y)));
  EXPECT_TRUE(picker.picked_in.empty());

  picker.answers = {{0, 0, 0}, {0, 0, 10}};
  EXPECT_TRUE(press(600, 500));  // bottom-right pane of layout 4
  EXPECT_EQ(panes.active_index(), 3);
  EXPECT_TRUE(press(10, 10));
  const auto& v = panes.viewports();
  EXPECT_EQ(picker.picked_in, (std::vector<std::string>{v[3].label, v[0].label}));
  ASSERT_EQ(m.measurements.size(), 1u);
  EXPECT_DOUBLE_EQ(m.measurements[0].total_length, 10.0);

  EXPECT_TRUE(press(20, 20));  // background: nothing added, the mode stays
  EXPECT_TRUE(m.current_measure.points.empty() && m.measure_mode == MeasureMode::Distance);
  EXPECT_TRUE(sink.toasts.back() == kMissedModel && sink.last_ms == 1500);
  EXPECT_FALSE(feature.tool().on_mouse_down(2, 20, 20));  // right drags still orbit
}

TEST_F(MeasureToolTest, KeysEndTheToolAndUnitItemsMoveTheRadioMark) {
  ASSERT_TRUE(commands.run(ID_MEASURE_AREA));
  picker.answers = {{0, 0, 0}, {4, 0, 0}, {4, 4, 0}};
  for (int i = 0; i < 3; ++i) press(100, 100);
  EXPECT_TRUE(key(kMeasureKeyEnter));
  ASSERT_EQ(m.measurements.size(), 1u);
  EXPECT_TRUE(m.measurements[0].area == 8 && tools.active() == nullptr);

  ASSERT_TRUE(commands.run(ID_MEASURE_CONTINUOUS));
  EXPECT_FALSE(key(kMeasureKeyEnter));  // Enter closes only areas
  EXPECT_TRUE(key(kMeasureKeyEscape));
  EXPECT_EQ(tools.active(), nullptr);

  ASSERT_TRUE(commands.run(ID_BAR_MEASURE) && commands.run(ID_UNIT_FT));
  EXPECT_EQ(m.measure_mode, MeasureMode::Distance);
  for (unsigned id = ID_UNIT_MM; id <= ID_UNIT_IN; ++id)
    EXPECT_EQ(commands.find(id)->checked(), id == ID_UNIT_FT) << id;
  EXPECT_EQ(m.format_measure_value(12.0), L"1.000 ft");
  ASSERT_TRUE(commands.run(ID_SHOW_MEASUREMENTS));
  EXPECT_FALSE(commands.find(ID_SHOW_MEASUREMENTS)->checked());
  picker.answers = {{1, 2, 3}};
  EXPECT_TRUE(press(100, 100));  // hidden measurements still take clicks
  EXPECT_EQ(m.current_measure.points.size(), 1u);
}

}  // namespace
