#include "render/gl/camera_gl.h"

#include "render/gl/gl_api.h"

void setup_camera(const Camera& camera, const Viewport& viewport, const lumeno::Vec3& centre) {
  const lumeno::CameraSetup setup = lumeno::camera_setup(camera, viewport, centre);
  glMatrixMode(GL_PROJECTION);
  glLoadMatrixf(setup.projection.m);
  glMatrixMode(GL_MODELVIEW);
  glLoadMatrixf(setup.modelview.m);
}
