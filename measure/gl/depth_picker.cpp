#include "measure/gl/depth_picker.h"

#include <cmath>

#include "render/camera_math.h"
#include "render/gl/gl_api.h"
#include "render/gl/renderer.h"

namespace lumeno {

bool GlDepthPicker::pick(const Viewport& pane, int client_height, int x, int y, MeasurePoint& out) {
  if (!model_.loaded || !viewport_drawable(pane)) return false;
  if (x < pane.x || x >= pane.x + pane.width || y < pane.y || y >= pane.y + pane.height)
    return false;

  if (!renderer_.display_list_valid()) renderer_.build_display_list(model_);
  const Vec3 centre = view_bounds(model_).centre();
  renderer_.render_pane_depth(pane, centre, client_height, options_);

  // Row client_height - 1 - y is the client row y in GL's bottom-up window coordinates.
  const int wx = x;
  const int wy = client_height - 1 - y;
  GLfloat depth = 1.0f;
  glReadPixels(wx, wy, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
  if (!(depth < 1.0f)) return false;  // nothing was drawn there

  const CameraSetup setup = camera_setup(pane.camera, pane, centre);
  const Mat4 modelview = setup.modelview;
  GLdouble mv[16], proj[16];
  for (int k = 0; k < 16; ++k) {
    mv[k] = modelview.m[k];
    proj[k] = setup.projection.m[k];
  }
  const GLint viewport[4] = {pane.x, client_height - pane.y - pane.height, pane.width, pane.height};
  GLdouble px = 0, py = 0, pz = 0;
  if (gluUnProject(wx + 0.5, wy + 0.5, depth, mv, proj, viewport, &px, &py, &pz) != GL_TRUE)
    return false;
  if (!std::isfinite(px) || !std::isfinite(py) || !std::isfinite(pz)) return false;
  out = {static_cast<float>(px), static_cast<float>(py), static_cast<float>(pz)};
  return true;
}

}  // namespace lumeno
