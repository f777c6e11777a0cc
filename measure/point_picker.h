// Where a click lands on the model: the GL side reads the depth under the pixel and unprojects
// it; tests script the answers.
#pragma once

#include "measure/measure_types.h"
#include "render/viewport.h"

namespace lumeno {

class PointPicker {
 public:
  virtual ~PointPicker() = default;
  // The world point drawn at client pixel (x, y) (top-left origin) of `pane`; false when the
  // pixel shows no surface (background) or lies outside the pane.
  virtual bool pick(const Viewport& pane, int client_height, int x, int y, MeasurePoint& out) = 0;
};

}  // namespace lumeno
