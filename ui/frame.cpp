#include "ui/frame.h"

namespace lumeno {

FrameInput build_frame(Viewer& viewer, GlyphSource* glyphs) {
  FrameInput frame;
  frame.model = &viewer.document.model;
  frame.model_revision = viewer.document.revision;
  frame.viewports = &viewer.panes.viewports();
  frame.client_width = viewer.panes.client_width();
  frame.client_height = viewer.panes.client_height();
  frame.options = viewer.display;
  frame.pane_overlays = &viewer.pane_overlays;
  if (!viewer.panes.viewports().empty()) {
    frame.navigator = &viewer.navigator;
    frame.active_camera = &viewer.panes.active().camera;
  }
  frame.toast_text = viewer.status.toast_text;
  frame.glyphs = glyphs;
  return frame;
}

}  // namespace lumeno
