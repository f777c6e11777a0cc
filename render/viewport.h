// A pane of the drawing area with its own camera.
#pragma once

#include <cstdint>
#include <string>

#include "render/camera.h"

struct Viewport {
  int32_t x = 0;       // left edge, client pixels
  int32_t y = 0;       // top edge, client pixels from the top
  int32_t width = 0;
  int32_t height = 0;
  Camera camera;
  std::string label;   // the pane's name in the layout; stored, not drawn
  bool is_main = false;
};
