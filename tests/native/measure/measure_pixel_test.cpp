#include <cmath>

#include "gl_fixture.h"
#include "measure/gl/depth_picker.h"
#include "measure/gl/measure_draw.h"
#include "measure_fakes.h"
#include "render/gl/camera_gl.h"
#include "render/gl/gl_api.h"
#include "render/layout.h"

using namespace lumeno;

namespace {

const Rgb kLineOrange = rgb_from_floats(1.0f, 0.3f, 0.0f);

class MeasurePixels : public GlPixelTest {
 protected:
  // A frame as the window draws it: each pane, then the measurements with that pane's camera.
  void draw_with_measurements(const SkpModel& model, const std::vector<Viewport>& panes) {
    draw(model, panes);
    const Vec3 centre = view_bounds(model).centre();
    for (const Viewport& p : panes) {
      const int bottom = kHeight - p.y - p.height;
      glViewport(p.x, bottom, p.width, p.height);
      glScissor(p.x, bottom, p.width, p.height);
      glEnable(GL_SCISSOR_TEST);
      setup_camera(p.camera, p, centre);
      render_measurements(m, nullptr);
      glDisable(GL_SCISSOR_TEST);
    }
  }
  RecordingSink sink;
  Measurement m{sink};
};

// The front (y = -5) and top (z = 5) faces of a 10-unit cube.
void box_model(SkpModel& model) {
  add_wall(model, -5.0f, 0.0f, 0.0f, 10.0f, kRed);
  add_floor_square(model, 0.0f, 0.0f, 5.0f, 10.0f, kGreen);
  finish_model(model);
}

TEST_F(MeasurePixels, PickLandsOnTheClickedFaceEvenAfterTheDepthBufferIsLost) {
  SkpModel model;
  box_model(model);
  const Viewport p = full_pane(30.0f, 20.0f, 40.0f);
  draw(model, {p});
  glClear(GL_DEPTH_BUFFER_BIT);  // a driver that dropped the depth buffer at the swap
  const DisplayOptions options;
  GlDepthPicker picker(renderer_, model, options);
  // World size of one pixel at the eye's distance, with margin for the faces' slant.
  const double footprint = 2 * 40.0 * std::tan(17.5 * 3.14159265 / 180) / kHeight;
  // Each target with the axis its face is perpendicular to: the hit lies on that face, and
  // within a pixel's reach (half a pixel, stretched by the face's slant) of the target.
  const std::pair<P3, int> targets[] = {{{2.0f, -5.0f, 1.0f}, 1}, {{-1.0f, 1.0f, 5.0f}, 2}};
  for (const auto& [target, axis] : targets) {
    int x = 0, y = 0;
    project(model, p, target, x, y);
    MeasurePoint hit;
    ASSERT_TRUE(picker.pick(p, kHeight, x, y, hit)) << target.x;
    const float got[3] = {hit.x, hit.y, hit.z}, want[3] = {target.x, target.y, target.z};
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(got[k], want[k], k == axis ? 1e-2 : 2 * footprint) << k;
  }
  MeasurePoint none;
  const Viewport level = full_pane(0.0f, 0.0f, 40.0f);
  draw(model, {level});
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
  m.measurements.push_back(
      {{{20, 10, 0}, {10, 10, 0}, {10, 20, 0}, {0, 20, 0}, {0, 0, 0}, {20, 0, 0}},
       60,
       {10, 10, 10, 10, 20, 20},
       300,
       true});
  draw_with_measurements(model, {top});
  EXPECT_TRUE(near(at_world(model, top, {15, 15, 0}), notch_before, 2));
  const Rgb arm = at_world(model, top, {5, 15, 0});
  EXPECT_GT(arm.b - arm.r, arm_before.b - arm_before.r + 20) << arm.r << "," << arm.g << "," << arm.b;
}

TEST_F(MeasurePixels, EveryPaneOfLayoutFourDrawsTheLineThroughItsOwnCamera) {
  SkpModel model;
  add_floor_square(model, 0.0f, 0.0f, -30.0f, 1.0f, kWhite);
  finish_model(model);
  std::vector<Viewport> panes = layout_panes(4, kWidth, kHeight);
  for (Viewport& p : panes) p.camera.distance = 120.0f;
  // Slanted in all three axes, so no standard view sees it end-on.
  m.measurements.push_back({{{-20, 5, 10}, {20, -5, -10}}, 46, {46}, 0, false});
  draw_with_measurements(model, panes);
  for (const Viewport& p : panes)
    EXPECT_TRUE(near(at_world(model, p, {-8, 2, 4}), kLineOrange, 40)) << p.label;
}

TEST_F(MeasurePixels, HiddenMeasurementsDrawNothing) {
  SkpModel model;
  box_model(model);
  const Viewport p = full_pane(30.0f, 20.0f, 40.0f);
  m.measurements.push_back({{{-3, -5, 0}, {3, -5, 0}}, 6, {6}, 0, false});
  m.toggle_show_measurements();
  draw_with_measurements(model, {p});
  EXPECT_TRUE(near(at_world(model, p, {1, -5, 0}), lit_colour(1, 0, 0, {0, -1, 0}, false), 3));
  m.toggle_show_measurements();
  draw_with_measurements(model, {p});
  EXPECT_TRUE(near(at_world(model, p, {1, -5, 0}), kLineOrange, 40));
}

}  // namespace
