#include <cmath>

#include "gl_fixture.h"
#include "measure/gl/depth_picker.h"
#include "measure/gl/measure_draw.h"
#include "render/gl/gl_api.h"
#include "render/layout.h"

using namespace lumeno;

namespace {

const Rgb kLineOrange = rgb_from_floats(1.0f, 0.3f, 0.0f);

struct MeasurePixels : GlPixelTest, MeasureSink {  // a sink that drops toasts and repaints
  void show_toast(const std::wstring&, int) override {}
  void invalidate() override {}
  // A frame as the window draws it: the measurements are a pane overlay.
  void draw_with_measurements(const SkpModel& model, const std::vector<Viewport>& panes) {
    const std::vector<PaneOverlay> overlays = {
        [this](const Viewport&) { render_measurements(m, nullptr); }};
    FrameInput frame;
    frame.model = &model, frame.viewports = &panes, frame.pane_overlays = &overlays;
    frame.client_width = kWidth, frame.client_height = kHeight;
    renderer_.render(frame);
  }
  Measurement m{*this};
};

TEST_F(MeasurePixels, PickLandsOnTheClickedFaceEvenAfterTheDepthBufferIsLost) {
  SkpModel model;  // the front (y = -5) and top (z = 5) faces of a 10-unit cube
  add_wall(model, -5.0f, 0.0f, 0.0f, 10.0f, kRed);
  add_floor_square(model, 0.0f, 0.0f, 5.0f, 10.0f, kGreen);
  finish_model(model);
  const Viewport p = full_pane(30.0f, 20.0f, 40.0f);
  draw(model, {p});
  glClear(GL_DEPTH_BUFFER_BIT);  // a driver that dropped the depth buffer at the swap
  const DisplayOptions options;
  GlDepthPicker picker(renderer_, model, options);
  // One pixel's world size at the eye's distance; the hit lies on the face (its axis) and
  // within a pixel's reach, stretched by the face's slant, of the target.
  const double footprint = 2 * 40.0 * std::tan(17.5 * M_PI / 180) / kHeight;
  const std::pair<P3, int> targets[] = {{{2.0f, -5.0f, 1.0f}, 1}, {{-1.0f, 1.0f, 5.0f}, 2}};
  for (const auto& [target, axis] : targets) {
    int x = 0, y = 0;
    project(model, p, target, x, y);
    MeasurePoint hit;
    ASSERT_TRUE(picker.pick(p, kHeight, x, y, hit)) << target.x;
    const float got[3] = {hit.x, hit.y, hit.z}, want[3] = {target.x, target.y, target.z};
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(got[k], want[k], k == axis ? 1e-2 : 2 * footprint) << k;
  }
  const Viewport level = full_pane(0.0f, 0.0f, 40.0f);
  draw(model, {level});
  MeasurePoint none;
  EXPECT_FALSE(picker.pick(level, kHeight, 2, 2, none));  // sky above the horizon
}

TEST_F(MeasurePixels, ConcaveFillLeavesTheNotchOfTheLEmpty) {
  SkpModel model;
  add_floor_square(model, 10.0f, 10.0f, -30.0f, 1.0f, kWhite);  // hidden below the grid
  finish_model(model);
  const Viewport top = full_pane(89.0f, 0.0f, 60.0f);
  draw(model, {top});
  const Rgb notch_before = at_world(model, top, {15, 15, 0});
  const Rgb arm_before = at_world(model, top, {5, 15, 0});
  const std::vector<MeasurePoint> l = {{20, 10, 0}, {10, 10, 0}, {10, 20, 0},
                                       {0, 20, 0},  {0, 0, 0},   {20, 0, 0}};
  m.measurements.push_back({l, 60, {10, 10, 10, 10, 20, 20}, 300, true});
  draw_with_measurements(model, {top});
  EXPECT_TRUE(near(at_world(model, top, {15, 15, 0}), notch_before, 2));
  const Rgb arm = at_world(model, top, {5, 15, 0});
  EXPECT_GT(arm.b - arm.r, arm_before.b - arm_before.r + 20)
      << arm.r << "," << arm.g << "," << arm.b;
}

TEST_F(MeasurePixels, EveryPaneOfLayoutFourDrawsTheLineThroughItsOwnCameraUnlessHidden) {
  SkpModel model;
  add_floor_square(model, 0.0f, 0.0f, -30.0f, 1.0f, kWhite);
  finish_model(model);
  std::vector<Viewport> panes = layout_panes(4, kWidth, kHeight);
  for (Viewport& p : panes) p.camera.distance = 120.0f;
  // Slanted in all three axes, so no standard view sees it end-on.
  m.measurements.push_back({{{-20, 5, 10}, {20, -5, -10}}, 46, {46}, 0, false});
  for (bool shown : {false, true}) {
    if (m.show_measurements != shown) m.toggle_show_measurements();
    draw_with_measurements(model, panes);
    for (const Viewport& p : panes)
      EXPECT_EQ(near(at_world(model, p, {-8, 2, 4}), kLineOrange, 40), shown) << p.label;
  }
}

}  // namespace
