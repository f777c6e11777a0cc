#include "render/layout.h"

#include <algorithm>

namespace lumeno {

namespace {

struct PaneRule {
  const char* label;
  bool is_main;
  float pitch;
  float yaw;
};

constexpr PaneRule kPerspective{"Perspective", true, 30.0f, -45.0f};
constexpr PaneRule kTop{"Top", false, 89.0f, 0.0f};
constexpr PaneRule kFront{"Front", false, 0.0f, 0.0f};
constexpr PaneRule kRight{"Right", false, 0.0f, 90.0f};
constexpr PaneRule kView1{"View 1", true, 30.0f, -45.0f};
constexpr PaneRule kView2{"View 2", false, 30.0f, -45.0f};

Viewport make_pane(const PaneRule& rule, int x, int y, int width, int height) {
  Viewport v;
  v.x = x;
  v.y = y;
  v.width = width;
  v.height = height;
  v.label = rule.label;
  v.is_main = rule.is_main;
  v.camera.pitch = rule.pitch;
  v.camera.yaw = rule.yaw;
  return v;
}

}  // namespace

int layout_pane_count(int layout) {
  switch (layout) {
    case 1: return 1;
    case 2: return 2;
    case 3: return 3;
    case 4: return 4;
    default: return 0;
  }
}

int layout_area_width(int client_width, bool list_panel_visible, int list_panel_width) {
  int w = client_width;
  if (list_panel_visible) w -= std::max(0, list_panel_width);
  return std::max(0, w);
}

std::vector<Viewport> layout_panes(int layout, int width, int height) {
  const int w = std::max(0, width);
  const int h = std::max(0, height);
  const int half_w = w / 2;
  const int half_h = h / 2;
  std::vector<Viewport> panes;
  switch (layout) {
    case 2:
      panes.push_back(make_pane(kView1, 0, 0, half_w, h));
      panes.push_back(make_pane(kView2, half_w, 0, w - half_w, h));
      break;
    case 3: {
      // (2 * W) / 3 in 64 bits: 2 * W must not overflow for the widest int.
      const int two_thirds = static_cast<int>((2LL * w) / 3);
      panes.push_back(make_pane(kPerspective, 0, 0, two_thirds, h));
      panes.push_back(make_pane(kTop, two_thirds, 0, w - two_thirds, half_h));
      panes.push_back(make_pane(kFront, two_thirds, half_h, w - two_thirds, h - half_h));
      break;
    }
    case 4:
      panes.push_back(make_pane(kTop, 0, 0, half_w, half_h));
      panes.push_back(make_pane(kFront, half_w, 0, w - half_w, half_h));
      panes.push_back(make_pane(kRight, 0, half_h, half_w, h - half_h));
      panes.push_back(make_pane(kPerspective, half_w, half_h, w - half_w, h - half_h));
      break;
    default:
      panes.push_back(make_pane(kPerspective, 0, 0, w, h));
      break;
  }
  return panes;
}

void relayout_panes(std::vector<Viewport>& viewports, int layout, int width, int height) {
  std::vector<Viewport> panes = layout_panes(layout, width, height);
  bool same_layout = viewports.size() == panes.size();
  for (size_t i = 0; same_layout && i < panes.size(); ++i) {
    same_layout = viewports[i].label == panes[i].label;
  }
  if (same_layout) {
    for (size_t i = 0; i < panes.size(); ++i) panes[i].camera = viewports[i].camera;
  }
  viewports.swap(panes);
}

int viewport_at(const std::vector<Viewport>& viewports, int x, int y) {
  for (size_t i = 0; i < viewports.size(); ++i) {
    const Viewport& v = viewports[i];
    // In 64 bits: x + width must not overflow near the int limit.
    const long long right = static_cast<long long>(v.x) + v.width;
    const long long bottom = static_cast<long long>(v.y) + v.height;
    if (v.x <= x && x < right && v.y <= y && y < bottom) return static_cast<int>(i);
  }
  return 0;
}

int resolve_active_index(int index, size_t pane_count) {
  if (pane_count == 0) return -1;
  if (index >= 0 && static_cast<size_t>(index) < pane_count) return index;
  return 0;
}

}  // namespace lumeno
