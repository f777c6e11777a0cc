#include <gtest/gtest.h>

#include "core/command_ids.h"
#include "measure/measure_feature.h"
#include "measure_fakes.h"
#include "render/layout.h"
#include "render/navigator.h"
#include "render/panes.h"

using namespace lumeno;

namespace {

class MeasureToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    panes.resize(800, 600);
    panes.viewports() = layout_panes(4, 800, 600);
    for (size_t i = 0; i < panes.viewports().size(); ++i)
      panes.viewports()[i].label = "pane" + std::to_string(i);
    panes.select(0);
    navigator.update(panes.viewports()[0].camera, 800);
    for (const Command& c : feature.commands()) commands.add(c);
  }
  bool press(int x, int y) {
    InputTool* tool = tools.active();
    return tool != nullptr && tool->on_mouse_down(kMeasureLeftButton, x, y);
  }
  bool key(unsigned k) { return tools.active() != nullptr && tools.active()->on_key_down(k); }

  RecordingSink sink;
  FakeHost host;
  Panes panes;
  AxisNavigator navigator;
  ToolStack tools;
  ScriptedPicker picker;
  MeasureFeature feature{sink, panes, navigator, host, tools, picker};
  CommandRegistry commands;
  Measurement& m = feature.measurement();
};

TEST_F(MeasureToolTest, PressGoesToNavigatorThenSelectsThePaneThenAddsThePoint) {
  EXPECT_EQ(tools.active(), nullptr);
  ASSERT_TRUE(commands.run_action("measure_dist"));
  ASSERT_EQ(tools.active(), &feature.tool());

  const NavItem& disc = navigator.nav_items[0];
  EXPECT_FALSE(press(static_cast<int>(disc.screen_x), static_cast<int>(disc.screen_y)));
  EXPECT_TRUE(picker.picked_in.empty());

  picker.answers = {{0, 0, 0}, {0, 0, 10}};
  EXPECT_TRUE(press(600, 500));  // bottom-right pane of layout 4
  EXPECT_EQ(panes.active_index(), 3);
  EXPECT_GE(host.menu_updates, 1);
  EXPECT_TRUE(press(10, 10));
  EXPECT_EQ(picker.picked_in, (std::vector<std::string>{"pane3", "pane0"}));
  ASSERT_EQ(m.measurements.size(), 1u);
  EXPECT_DOUBLE_EQ(m.measurements[0].total_length, 10.0);

  EXPECT_TRUE(press(20, 20));  // background: nothing added, the mode stays
  EXPECT_TRUE(m.current_measure.points.empty());
  EXPECT_EQ(sink.toasts.back().text, kMissedModel);
  EXPECT_EQ(m.measure_mode, MeasureMode::Distance);
  EXPECT_FALSE(feature.tool().on_mouse_down(2, 20, 20));  // right drags still orbit
}

TEST_F(MeasureToolTest, EnterClosesAreaAndEscapeEndsAndLeavesTheToolStack) {
  ASSERT_TRUE(commands.run(ID_MEASURE_AREA));
  picker.answers = {{0, 0, 0}, {4, 0, 0}, {4, 4, 0}};
  for (int i = 0; i < 3; ++i) press(100, 100);
  EXPECT_TRUE(key(kMeasureKeyEnter));
  ASSERT_EQ(m.measurements.size(), 1u);
  EXPECT_DOUBLE_EQ(m.measurements[0].area, 8.0);
  EXPECT_EQ(tools.active(), nullptr);

  ASSERT_TRUE(commands.run(ID_MEASURE_CONTINUOUS));
  EXPECT_FALSE(key(kMeasureKeyEnter));  // Enter closes only areas
  EXPECT_TRUE(key(kMeasureKeyEscape));
  EXPECT_EQ(tools.active(), nullptr);
  EXPECT_EQ(m.measure_mode, MeasureMode::None);
}

TEST_F(MeasureToolTest, UnitItemsMoveTheRadioMarkAndRelabel) {
  ASSERT_TRUE(commands.run(ID_BAR_MEASURE));
  EXPECT_EQ(m.measure_mode, MeasureMode::Distance);
  ASSERT_TRUE(commands.run(ID_UNIT_FT));
  for (unsigned id = ID_UNIT_MM; id <= ID_UNIT_IN; ++id)
    EXPECT_EQ(commands.find(id)->checked(), id == ID_UNIT_FT) << id;
  EXPECT_EQ(m.format_measure_value(12.0), L"1.000 ft");
  ASSERT_TRUE(commands.run(ID_SHOW_MEASUREMENTS));
  EXPECT_FALSE(commands.find(ID_SHOW_MEASUREMENTS)->checked());
  EXPECT_EQ(commands.find_action("measure_area")->default_key, 0x41u);
}

}  // namespace
