#include "gl_fixture.h"

#include <algorithm>
#include <cmath>

#include "render/camera_math.h"

void GlPixelTest::SetUp() {
  ASSERT_TRUE(gl_.create(kWidth, kHeight)) << "OSMesa refused a context";
  renderer_.start();
}

void GlPixelTest::draw(const SkpModel& model, const std::vector<Viewport>& panes,
                       const RenderOptions& options) {
  FrameInput frame;
  frame.model = &model;
  frame.viewports = &panes;
  frame.options = options;
  frame.client_width = kWidth;
  frame.client_height = kHeight;
  renderer_.render(frame);
}

void GlPixelTest::project(const SkpModel& model, const Viewport& pane, P3 world, int& x,
                          int& y) const {
  const lumeno::Vec3 centre = lumeno::view_bounds(model).centre();
  const lumeno::CameraSetup setup = lumeno::camera_setup(pane.camera, pane, centre);
  float eye[4], clip[4];
  lumeno::transform(setup.modelview, world.x, world.y, world.z, eye);
  lumeno::transform(setup.projection, eye[0], eye[1], eye[2], clip);
  x = pane.x + static_cast<int>(std::floor((clip[0] / clip[3] + 1.0f) * 0.5f * pane.width));
  y = pane.y + static_cast<int>(std::floor((1.0f - clip[1] / clip[3]) * 0.5f * pane.height));
}

Rgb GlPixelTest::at_world(const SkpModel& model, const Viewport& pane, P3 world) const {
  int x = 0, y = 0;
  project(model, pane, world, x, y);
  return at(x, y);
}

Rgb lit_colour(float r, float g, float b, P3 n, bool reversed) {
  const float l[3] = {0.5f, 1.0f, 0.8f};
  const float d = (n.x * l[0] + n.y * l[1] + n.z * l[2]) /
                  std::sqrt(l[0] * l[0] + l[1] * l[1] + l[2] * l[2]) * (reversed ? -1.0f : 1.0f);
  const float k = 0.2f + 0.3f + 0.8f * std::max(0.0f, d);
  return rgb_from_floats(r * k, g * k, b * k);
}

Viewport full_pane(float pitch, float yaw, float distance) {
  return pane(0, 0, GlPixelTest::kWidth, GlPixelTest::kHeight, pitch, yaw, distance);
}

RenderOptions unlit() {
  RenderOptions options;
  options.show_lighting = false;
  return options;
}
