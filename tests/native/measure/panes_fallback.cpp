// The pane list's operations the measurement tests use, for builds whose render/ does not yet
// implement Panes (CMake adds this file only then).
#include "render/layout.h"
#include "render/panes.h"

namespace lumeno {

bool Panes::resize(int width, int height) {
  if (width <= 0 || height <= 0) return false;
  client_width_ = width;
  client_height_ = height;
  return true;
}

int Panes::index_at(int x, int y) const { return viewport_at(viewports_, x, y); }

bool Panes::select(int index) {
  const int resolved = resolve_active_index(index, viewports_.size());
  const bool changed = resolved != active_index_;
  active_index_ = resolved < 0 ? 0 : resolved;
  return changed;
}

Viewport& Panes::active() { return viewports_[active_index_]; }

}  // namespace lumeno
