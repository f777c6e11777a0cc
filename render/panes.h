// The panes of the drawing area: the layout, the client size and list strip they tile, the
// viewports with their cameras and the active pane. The index of the active pane is always valid
// while there is a pane: every change of the list resolves it again.
#pragma once

#include <vector>

#include "render/viewport.h"

namespace lumeno {

class Panes {
 public:
  // One pane labelled "透视", then the panes of the current layout with default cameras.
  void init();
  // Lays the panes out again for the current client size and list strip, keeping every pane's
  // camera (resize, list strip).
  void relayout();
  // The panes of `new_layout` (1-4) with fresh cameras; false (nothing changed) for any other.
  bool set_layout(int new_layout);
  // A client size change; a zero or negative width or height changes nothing (false).
  bool resize(int width, int height);
  void set_list_panel_visible(bool visible);

  // Index of the pane containing the client point, 0 when none does.
  int index_at(int x, int y) const;
  // Makes pane `index` the active one (an index outside the list selects the first pane);
  // true when the active pane changed.
  bool select(int index);

  // The active pane; the list is laid out first when it is still empty.
  Viewport& active();
  const Viewport* active_or_null() const;
  int active_index() const { return active_index_; }

  std::vector<Viewport>& viewports() { return viewports_; }
  const std::vector<Viewport>& viewports() const { return viewports_; }
  int layout() const { return layout_; }
  int client_width() const { return client_width_; }
  int client_height() const { return client_height_; }
  bool list_panel_visible() const { return list_panel_visible_; }
  int list_panel_width() const { return list_panel_width_; }

 private:
  int area_width() const;
  void resolve_active();

  int client_width_ = 1200;
  int client_height_ = 800;
  int layout_ = 1;
  std::vector<Viewport> viewports_;
  int active_index_ = 0;
  bool list_panel_visible_ = false;
  int list_panel_width_ = 220;
};

}  // namespace lumeno
