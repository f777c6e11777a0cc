// Picking on the GL picture: the pane is drawn again into the depth buffer (the frame the user
// sees, whatever the driver did to the depth buffer at the swap), the depth under the pixel is
// read, and the pixel's centre is unprojected through the pane's camera. The GL context must be
// current.
#pragma once

#include "measure/point_picker.h"
#include "render/display_options.h"

class GlRenderer;
class SkpModel;

namespace lumeno {

class GlDepthPicker : public PointPicker {
 public:
  GlDepthPicker(GlRenderer& renderer, const SkpModel& model, const DisplayOptions& options)
      : renderer_(renderer), model_(model), options_(options) {}

  bool pick(const Viewport& pane, int client_height, int x, int y, MeasurePoint& out) override;

 private:
  GlRenderer& renderer_;
  const SkpModel& model_;
  const DisplayOptions& options_;
};

}  // namespace lumeno
