#include "render/panes.h"

#include "render/layout.h"

namespace lumeno {

void Panes::init() {
  viewports_.resize(1);
  viewports_[0].label = "透视";
  viewports_[0].is_main = true;
  relayout();
}

int Panes::area_width() const {
  return layout_area_width(client_width_, list_panel_visible_, list_panel_width_);
}

void Panes::resolve_active() {
  const int index = resolve_active_index(active_index_, viewports_.size());
  active_index_ = index < 0 ? 0 : index;
}

void Panes::relayout() {
  relayout_panes(viewports_, layout_, area_width(), client_height_);
  resolve_active();
}

bool Panes::set_layout(int new_layout) {
  if (layout_pane_count(new_layout) == 0) return false;
  layout_ = new_layout;
  viewports_ = layout_panes(layout_, area_width(), client_height_);
  resolve_active();
  return true;
}

bool Panes::resize(int width, int height) {
  if (width <= 0 || height <= 0) return false;
  client_width_ = width;
  client_height_ = height;
  relayout();
  return true;
}

void Panes::set_list_panel_visible(bool visible) {
  list_panel_visible_ = visible;
  relayout();
}

int Panes::index_at(int x, int y) const { return viewport_at(viewports_, x, y); }

bool Panes::select(int index) {
  const int previous = active_index_;
  active_index_ = index;
  resolve_active();
  return active_index_ != previous;
}

Viewport& Panes::active() {
  // The list is only empty before window creation lays it out; resolve to a real pane anyway.
  if (viewports_.empty()) relayout();
  return viewports_[static_cast<size_t>(active_index_)];
}

const Viewport* Panes::active_or_null() const {
  if (viewports_.empty()) return nullptr;
  return &viewports_[static_cast<size_t>(active_index_)];
}

}  // namespace lumeno
