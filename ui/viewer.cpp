#include "ui/viewer.h"

#include "render/layout.h"

namespace lumeno {

namespace {
const wchar_t kUnlockFirst[] = L"请先按 L 解锁视角";
const wchar_t kNightOn[] = L"已切换到夜间模式";
const wchar_t kDayOn[] = L"已切换到日间模式";
constexpr int kToastMs = 3000;
}  // namespace

Viewer::Viewer(ViewerHost& host) : status(host), host_(host) {}

void Viewer::init_viewports() {
  viewports.resize(1);
  viewports[0].label = "透视";
  viewports[0].is_main = true;
  update_viewport_layout();
}

void Viewer::update_viewport_layout() {
  const int width = layout_area_width(client_width, list_panel_visible, list_panel_width);
  relayout_panes(viewports, layout, width, client_height);
  if (active_viewport_index >= static_cast<int>(viewports.size())) active_viewport_index = 0;
}

void Viewer::set_layout(int new_layout) {
  if (layout_pane_count(new_layout) == 0) return;
  layout = new_layout;
  const int width = layout_area_width(client_width, list_panel_visible, list_panel_width);
  viewports = layout_panes(layout, width, client_height);
  if (active_viewport_index >= static_cast<int>(viewports.size())) active_viewport_index = 0;
  // Fresh cameras sit at distance 5 from the centre; with a model that is usually inside it.
  if (model.loaded) fit_panes();
  host_.invalidate();
}

void Viewer::toggle_list_panel() {
  list_panel_visible = !list_panel_visible;
  update_viewport_layout();
  host_.invalidate();
}

int Viewer::get_viewport_at(int x, int y) const { return viewport_at(viewports, x, y); }

Viewport& Viewer::active_viewport() {
  // The list is only empty before window creation lays it out; resolve to a real pane anyway.
  if (viewports.empty()) update_viewport_layout();
  return viewports[static_cast<size_t>(
      resolve_active_index(active_viewport_index, viewports.size()))];
}

void Viewer::fit_panes() {
  const ViewBounds b = bounds();
  for (Viewport& v : viewports) fit_camera(v.camera, b);
}

void Viewer::fit_view() {
  if (!model.loaded) return;
  fit_panes();
  host_.invalidate();
}

void Viewer::set_standard_view(NavCubeDir dir) {
  Camera& camera = active_viewport().camera;
  if (camera.view_locked) {
    show_toast(kUnlockFirst, kToastMs);
    return;
  }
  if (!standard_view_angles(dir, camera.pitch, camera.yaw)) return;
  host_.invalidate();
}

void Viewer::apply_scene_camera(const SceneInfo& scene) {
  if (!scene.has_camera) return;
  apply_scene_to_camera(active_viewport().camera, scene, bounds().centre());
  host_.invalidate();
}

void Viewer::update_axis_navigator() {
  navigator.update(active_viewport().camera, client_width);
}

void Viewer::toggle_theme() {
  night_theme = !night_theme;
  show_toast(night_theme ? kNightOn : kDayOn, kToastMs);
  host_.update_theme_item(night_theme);
  host_.invalidate();
}

void Viewer::on_size(int width, int height) {
  if (width <= 0 || height <= 0) return;
  client_width = width;
  client_height = height;
  update_viewport_layout();
  host_.invalidate();
}

void Viewer::on_timer(unsigned id) {
  if (id == kToastTimer) {
    status.on_toast_timer();
  } else if (id == kStatusTimer) {
    status.on_status_timer();
  }
}

}  // namespace lumeno
