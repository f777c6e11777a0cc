#include "ui/viewer.h"

namespace lumeno {

namespace {
const wchar_t kUnlockFirst[] = L"请先按 L 解锁视角";
const wchar_t kNightOn[] = L"已切换到夜间模式";
const wchar_t kDayOn[] = L"已切换到日间模式";
constexpr int kToastMs = 3000;
}  // namespace

Viewer::Viewer(ViewerHost& host) : status(host), host_(host) {}

AppContext Viewer::context() {
  return AppContext{document, panes,    navigator, display,       navigation,      status,
                    host_,    commands, tools,     pane_overlays, destroy_handlers};
}

void Viewer::set_layout(int new_layout) {
  if (!panes.set_layout(new_layout)) return;
  // Fresh cameras sit at distance 5 from the centre; with a model that is usually inside it.
  if (document.model.loaded) fit_panes();
  host_.invalidate();
}

void Viewer::toggle_list_panel() {
  panes.set_list_panel_visible(!panes.list_panel_visible());
  host_.invalidate();
}

void Viewer::select_pane_at(int x, int y) {
  if (!panes.select(panes.index_at(x, y))) return;
  host_.update_menu_state();
  host_.invalidate();
}

void Viewer::fit_panes() {
  const ViewBounds b = bounds();
  for (Viewport& v : panes.viewports()) fit_camera(v.camera, b);
}

void Viewer::fit_view() {
  if (!document.model.loaded) return;
  fit_panes();
  host_.invalidate();
}

void Viewer::set_standard_view(NavCubeDir dir) {
  Camera& camera = active_camera();
  if (camera.view_locked) {
    show_toast(kUnlockFirst, kToastMs);
    return;
  }
  if (!standard_view_angles(dir, camera.pitch, camera.yaw)) return;
  host_.invalidate();
}

void Viewer::apply_scene_camera(const SceneInfo& scene) {
  if (!scene.has_camera) return;
  apply_scene_to_camera(active_camera(), scene, bounds().centre());
  host_.invalidate();
}

int Viewer::hit_test_navigator(int x, int y) const {
  return display.show_navigator ? navigator.hit_test(x, y) : -1;
}

void Viewer::toggle_theme() {
  display.night_theme = !display.night_theme;
  show_toast(display.night_theme ? kNightOn : kDayOn, kToastMs);
  host_.invalidate();
}

void Viewer::on_size(int width, int height) {
  if (!panes.resize(width, height)) return;
  host_.invalidate();
}

void Viewer::on_timer(unsigned id) {
  if (id == kToastTimer) {
    status.on_toast_timer();
  } else if (id == kStatusTimer) {
    status.on_status_timer();
  } else if (id == kLoadTimer) {
    on_load_timer();
  } else if (InputTool* tool = tools.active()) {
    tool->on_timer(id);
  }
}

void Viewer::on_destroy() {
  // No worker may outlive the window: the SDK is unloaded after it.
  cancel_load();
  loader_.stop();
  // Copied: a handler may not register more, but nothing stops it from trying.
  const std::vector<std::function<void()>> handlers = destroy_handlers;
  for (const auto& handler : handlers)
    if (handler) handler();
}

}  // namespace lumeno
