#include "render/navigator.h"

#include <cmath>

namespace lumeno {

namespace {

struct AxisEnd {
  float axis[3];
  float color[3];
  float size;
  const char* axis_label;
  const wchar_t* face_label;
  NavCubeDir dir;
};

// For Y and Z a click puts the eye on the clicked end's side; for X on the opposite side (the
// +X disc turns the view to look along +X).
const AxisEnd kAxisEnds[kNavItemCount] = {
    {{1, 0, 0}, {0.9f, 0.25f, 0.3f}, 11.0f, "X", L"右", Left},
    {{0, 1, 0}, {0.2f, 0.8f, 0.2f}, 11.0f, "Y", L"后", Back},
    {{0, 0, 1}, {0.18f, 0.58f, 1.0f}, 11.0f, "Z", L"顶", Top},
    {{-1, 0, 0}, {0.55f, 0.35f, 0.35f}, 8.0f, "-X", L"左", Right},
    {{0, -1, 0}, {0.35f, 0.55f, 0.35f}, 8.0f, "-Y", L"前", Front},
    {{0, 0, -1}, {0.35f, 0.45f, 0.6f}, 8.0f, "-Z", L"底", Bottom},
};

float dot(const float a[3], const float b[3]) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

// Exchange sort over 0..5: for each position i and every later j, swap when `out_of_order`
// says the item at i belongs after the item at j. Ties keep index order.
template <typename Compare>
NavOrder exchange_sort(const std::array<NavItem, kNavItemCount>& items, Compare out_of_order) {
  NavOrder order = {0, 1, 2, 3, 4, 5};
  for (int i = 0; i < kNavItemCount - 1; ++i) {
    for (int j = i + 1; j < kNavItemCount; ++j) {
      if (out_of_order(items[order[i]].depth, items[order[j]].depth)) {
        const int t = order[i];
        order[i] = order[j];
        order[j] = t;
      }
    }
  }
  return order;
}

}  // namespace

void AxisNavigator::update(const Camera& camera, int client_width) {
  nav_center_x = static_cast<float>(client_width) - kNavRadius - kNavMargin;
  nav_center_y = kNavCenterY;
  nav_radius = kNavRadius;

  const float p = camera.pitch * (3.1415927f / 180.0f);
  const float y = camera.yaw * (3.1415927f / 180.0f);
  const float cp = std::cos(p), sp = std::sin(p), cy = std::cos(y), sy = std::sin(y);
  const float right[3] = {cy, sy, 0.0f};
  const float up[3] = {-sp * sy, sp * cy, cp};
  const float eye[3] = {cp * sy, -cp * cy, sp};

  for (int i = 0; i < kNavItemCount; ++i) {
    const AxisEnd& end = kAxisEnds[i];
    NavItem& item = nav_items[i];
    item.screen_x = nav_center_x + dot(end.axis, right) * kNavAxisScale;
    item.screen_y = nav_center_y - dot(end.axis, up) * kNavAxisScale;
    item.depth = dot(end.axis, eye);
    item.size = end.size;
    for (int c = 0; c < 3; ++c) item.color[c] = end.color[c];
    item.axis_label = end.axis_label;
    item.face_label = end.face_label;
    item.dir = end.dir;
    item.is_negative = i > 2;
    item.hovered = i == hovered_nav_item;
  }
}

int AxisNavigator::hit_test(int x, int y) const {
  // Before the first rebuild there are no discs to hit.
  if (!(nav_radius > 0.0f)) return -1;
  const float dx = static_cast<float>(x) - nav_center_x;
  const float dy = static_cast<float>(y) - nav_center_y;
  if (std::sqrt(dx * dx + dy * dy) > nav_radius + 20.0f) return -1;
  for (int index : hit_order()) {
    const NavItem& item = nav_items[index];
    const float ix = static_cast<float>(x) - item.screen_x;
    const float iy = static_cast<float>(y) - item.screen_y;
    if (std::sqrt(ix * ix + iy * iy) <= item.size + kNavHitSlack) return index;
  }
  return -1;
}

NavOrder AxisNavigator::draw_order() const {
  return exchange_sort(nav_items, [](float a, float b) { return a > b; });
}

NavOrder AxisNavigator::hit_order() const {
  return exchange_sort(nav_items, [](float a, float b) { return a < b; });
}

void AxisNavigator::label_position(int index, float& x, float& y) const {
  const NavItem& item = nav_items[index];
  x = item.screen_x + (item.screen_x - nav_center_x) * 0.3f + 2.0f;
  y = item.screen_y + (item.screen_y - nav_center_y) * 0.3f - 5.0f;
}

const wchar_t* projection_name(bool perspective) { return perspective ? L"透视" : L"轴测"; }

}  // namespace lumeno
