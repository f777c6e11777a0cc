// The matrices a pane's camera loads are the ones gluPerspective / glOrtho and gluLookAt build
// from the camera's angles, distance and look-at point.
#include "render/gl/camera_gl.h"

#include <gtest/gtest.h>

#include <cmath>

#include "gl_fixture.h"
#include "render/gl/gl_api.h"

namespace {

struct CameraCase {
  const char* name;
  bool perspective;
  float pitch, yaw, distance, fov;
  int width, height;
  float offset[3];
};

class CameraMatrices : public GlPixelTest, public ::testing::WithParamInterface<CameraCase> {};

void read_matrices(double projection[16], double modelview[16]) {
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
}

TEST_P(CameraMatrices, MatchGluWithTheEyeOnTheOrbit) {
  const CameraCase& c = GetParam();
  Viewport view = pane(0, 0, c.width, c.height, c.pitch, c.yaw, c.distance);
  view.camera.perspective = c.perspective;
  view.camera.fov = c.fov;
  for (int i = 0; i < 3; ++i) view.camera.target_offset[i] = c.offset[i];
  const lumeno::Vec3 centre{1.0f, -2.0f, 3.0f};

  setup_camera(view.camera, view, centre);
  double projection[16], modelview[16];
  read_matrices(projection, modelview);

  const double aspect = c.width > 0 && c.height > 0 ? static_cast<double>(c.width) / c.height : 1.0;
  const double p = c.pitch * 3.1415927 / 180.0, y = c.yaw * 3.1415927 / 180.0;
  const double look[3] = {centre.x + c.offset[0], centre.y + c.offset[1], centre.z + c.offset[2]};
  const double eye[3] = {look[0] + c.distance * std::cos(p) * std::sin(y),
                         look[1] - c.distance * std::cos(p) * std::cos(y),
                         look[2] + c.distance * std::sin(p)};
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  if (c.perspective) {
    gluPerspective(c.fov, aspect, 0.1, 100000.0);
  } else {
    const double h = c.distance * 0.5;
    glOrtho(-h * aspect, h * aspect, -h, h, 0.1, 100000.0);
  }
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(eye[0], eye[1], eye[2], look[0], look[1], look[2], 0, 0, 1);
  double want_projection[16], want_modelview[16];
  read_matrices(want_projection, want_modelview);

  for (int i = 0; i < 16; ++i) {
    EXPECT_NEAR(projection[i], want_projection[i], 1e-4 * (1.0 + std::fabs(want_projection[i])))
        << "projection element " << i;
    EXPECT_NEAR(modelview[i], want_modelview[i], 1e-3 * (1.0 + std::fabs(want_modelview[i])))
        << "model-view element " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cameras, CameraMatrices,
    ::testing::Values(
        CameraCase{"default", true, 30, -45, 5, 35, 320, 240, {0, 0, 0}},
        CameraCase{"top_with_offset", true, 89, 0, 250, 60, 601, 799, {5, 5, 0}},
        CameraCase{"orthographic_offset", false, 20, 135, 40, 35, 1000, 500, {-3, 4, 10}},
        CameraCase{"zero_width_pane_uses_aspect_one", true, 30, -45, 50, 35, 0, 240, {0, 0, 0}},
        CameraCase{"zero_height_orthographic", false, -10, 765, 50, 35, 320, 0, {0, 0, 0}}),
    [](const ::testing::TestParamInfo<CameraCase>& info) { return std::string(info.param.name); });

}  // namespace
