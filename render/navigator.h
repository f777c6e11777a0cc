// The axis navigator's geometry: six discs for the world axis ends, placed where the active
// camera sees those directions in a circle at the top right of the client area, their depth
// order and the hit test. Drawing lives with the GL code; it reads these values.
#pragma once

#include <array>
#include <string>

#include "render/camera.h"

// One axis end of the navigator.
struct NavItem {
  float screen_x = 0.0f;  // disc centre, client pixels, y downwards
  float screen_y = 0.0f;
  float size = 0.0f;      // disc radius: 11 for positive ends, 8 for negative ends
  float color[3] = {0.0f, 0.0f, 0.0f};
  std::string axis_label;  // "X", "Y", "Z", "-X", "-Y", "-Z"; stored, not drawn
  std::wstring face_label;  // view face name drawn beside the disc
  NavCubeDir dir = Front;   // view a click selects
  bool is_negative = false;
  bool hovered = false;
  float depth = 0.0f;  // axis . direction to the eye; larger is nearer the viewer
};

namespace lumeno {

constexpr int kNavItemCount = 6;
constexpr float kNavRadius = 55.0f;
constexpr float kNavMargin = 20.0f;   // centre is radius + margin from the right edge
constexpr float kNavCenterY = 75.0f;
constexpr float kNavAxisScale = 0.75f * kNavRadius;  // 41.25 px for a unit axis on screen
constexpr float kNavHitSlack = 4.0f;   // a disc is hit within size + 4 px

// Index order of six items.
using NavOrder = std::array<int, kNavItemCount>;

struct AxisNavigator {
  std::array<NavItem, kNavItemCount> nav_items;
  float nav_center_x = 0.0f;
  float nav_center_y = 0.0f;
  float nav_radius = 0.0f;
  bool nav_hover = false;
  int hovered_nav_item = -1;

  // Rebuilds centre, radius and the six items from `camera` for a client area `client_width`
  // wide (the full width, list strip included); marks the hovered item.
  void update(const Camera& camera, int client_width);

  // Index of the item under the client point, or -1. Uses the positions of the last update;
  // -1 before the first one.
  int hit_test(int x, int y) const;

  // Items by depth, farthest first: the drawing order, nearest disc on top.
  NavOrder draw_order() const;
  // Items by depth, nearest first: the order the hit test visits.
  NavOrder hit_order() const;

  // Where an item's face label goes: pushed 30 % further out from the centre.
  void label_position(int index, float& x, float& y) const;
};

// Name drawn under the navigator for the active camera's projection.
const wchar_t* projection_name(bool perspective);

}  // namespace lumeno
