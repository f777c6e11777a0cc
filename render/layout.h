// The panes of the four layouts: rectangles, labels and starting angles, the hit test and the
// choice of the active pane.
#pragma once

#include <vector>

#include "render/viewport.h"

namespace lumeno {

constexpr int kMinLayout = 1;
constexpr int kMaxLayout = 4;

// Number of panes of a layout (1-4); 0 for any other value.
int layout_pane_count(int layout);

// Width left to the panes: the client width minus the list panel strip while it is shown,
// never below 0.
int layout_area_width(int client_width, bool list_panel_visible, int list_panel_width);

// The panes of `layout` tiling a width x height area, in table order, each with a fresh default
// camera turned to the pane's angles. Splits are integer divisions; the second piece takes the
// remainder, so odd sizes leave no gap. A layout outside 1-4 gives the one-pane layout; negative
// sizes count as 0.
std::vector<Viewport> layout_panes(int layout, int width, int height);

// Lays the panes of `layout` out again for a new area, keeping each pane's camera when the list
// already holds that layout's panes (a resize, the list strip); otherwise the panes get fresh
// cameras as in layout_panes.
void relayout_panes(std::vector<Viewport>& viewports, int layout, int width, int height);

// Index of the first pane containing the client point (x, y); 0 when none does.
int viewport_at(const std::vector<Viewport>& viewports, int x, int y);

// The pane camera commands act on: `index` when it lies within the list, else 0. -1 for an
// empty list.
int resolve_active_index(int index, size_t pane_count);

}  // namespace lumeno
