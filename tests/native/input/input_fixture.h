// Shared pieces of the input tests: a host recording what input asks of the window (on top of the
// viewer's recording host), a fixture with a viewer and its input, hand-filled models, and a
// snapshot of everything a command could change, so "does nothing" is checked as a whole.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/native/ui/recording_host.h"
#include "ui/input.h"
#include "ui/text_convert.h"

namespace lumeno {
namespace test {

class RecordingInputHost : public RecordingHost, public InputHost {
 public:
  bool shift_down() override { return shift; }
  bool ctrl_down() override { return ctrl; }
  void show_open_dialog() override { ++open_dialogs; }
  void open_url(const std::wstring& url) override { urls.push_back(url); }

  bool shift = false, ctrl = false;
  int open_dialogs = 0;
  std::vector<std::wstring> urls;
};

class InputTest : public ::testing::Test {
 protected:
  void SetUp() override { viewer.init_viewports(); }

  // A loaded model with the box (0, 0, 0)-(30, 40, 120): diagonal 130, fitted distance 195.
  void give_model() {
    SkpModel& m = viewer.model;
    m.triangles.assign(1, Triangle());
    m.vertex_count = 3;
    m.bbox_min[0] = m.bbox_min[1] = m.bbox_min[2] = 0.0f;
    m.bbox_max[0] = 30.0f;
    m.bbox_max[1] = 40.0f;
    m.bbox_max[2] = 120.0f;
    m.loaded = true;
  }
  // Scenes "S0", "S1", ... without cameras.
  void give_scenes(size_t count) {
    viewer.model.scenes.assign(count, SceneInfo());
    for (size_t i = 0; i < count; ++i) viewer.model.scenes[i].name = "S" + std::to_string(i);
  }
  // A key (with modifiers) or, when `id` is set, a menu command.
  void fire(unsigned id, unsigned key, bool shift = false, bool ctrl = false) {
    host.shift = shift;
    host.ctrl = ctrl;
    if (id != 0) {
      input.on_command(id);
    } else {
      input.on_key_down(key);
    }
    host.shift = host.ctrl = false;
  }
  Camera& active_camera() { return viewer.active_viewport().camera; }

  // A pane's rectangle and camera as text.
  std::string pane(size_t index) {
    const Viewport& p = viewer.viewports.at(index);
    const Camera& c = p.camera;
    std::ostringstream s;
    s << p.x << "," << p.y << " " << p.width << "x" << p.height << " d " << c.distance << " p "
      << c.pitch << " y " << c.yaw << " o " << c.target_offset[0] << "," << c.target_offset[1]
      << "," << c.target_offset[2] << " fov " << c.fov << " " << c.perspective << c.view_locked;
    return s.str();
  }

  // Every piece of state input could change, as text; without `feedback`, the repaint count and
  // the toast are left out.
  std::string snapshot(bool feedback = true) {
    std::ostringstream s;
    const Viewer& v = viewer;
    s << v.show_edges << v.show_materials << v.show_lighting << v.show_shadows << v.reverse_shadow
      << v.performance_mode << v.night_theme << v.zoom_through << v.list_panel_visible << " unit "
      << v.measure_unit << " layout " << v.layout << " active " << v.active_viewport_index
      << " lists " << v.display_list_valid << " scene " << input.current_scene << " buttons "
      << input.left_button_down << input.right_button_down << input.middle_button_down << "\n";
    for (size_t i = 0; i < v.viewports.size(); ++i) s << pane(i) << "\n";
    for (const LayerInfo& l : v.model.layers) s << l.visible;
    s << "\nmenu " << host.menu_updates << " rebuild " << host.menu_rebuilds << " boxes "
      << host.boxes.size() << " titles " << host.titles.size() << " theme "
      << host.theme_items.size() << " open " << host.open_dialogs << " urls " << host.urls.size();
    if (feedback) {
      s << " repaint " << host.invalidations << " toast '" << wide_to_utf8(v.status.toast_text)
        << "'";
    }
    return s.str();
  }

  RecordingInputHost host;
  Viewer viewer{host};
  ViewerInput input{viewer, host, host};
};

}  // namespace test
}  // namespace lumeno
