// The frame the renderer draws, built from the viewer's state: the document and its revision,
// the panes, the display options, the pane overlays features registered, the navigator of the
// active pane and the toast.
#pragma once

#include "render/gl/renderer.h"
#include "ui/viewer.h"

namespace lumeno {

FrameInput build_frame(Viewer& viewer, GlyphSource* glyphs);

}  // namespace lumeno
