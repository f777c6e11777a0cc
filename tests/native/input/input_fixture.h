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
  void SetUp() override { viewer.panes.init(); }

  // A tool that records what reaches it and takes what `takes` says.
  struct ProbeTool : InputTool {
    bool on_mouse_down(unsigned, int x, int y) override { return seen("down", x, y); }
    bool on_mouse_up(unsigned, int x, int y) override { return seen("up", x, y); }
    bool on_mouse_move(int x, int y) override { return seen("move", x, y); }
    bool on_mouse_wheel(int delta, int, int) override { return seen("wheel", delta, 0); }
    bool on_key_down(unsigned key) override { return seen("key", static_cast<int>(key), 0); }
    bool on_timer(unsigned id) override { return seen("timer", static_cast<int>(id), 0); }
    bool seen(const char* what, int a, int b) {
      events.push_back(std::string(what) + " " + std::to_string(a) + "," + std::to_string(b));
      return takes;
    }
    bool takes = true;
    std::vector<std::string> events;
  };

  // A loaded model with the box (0, 0, 0)-(30, 40, 120): diagonal 130, fitted distance 195.
  void give_model() {
    SkpModel& m = viewer.document.model;
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
    viewer.document.model.scenes.assign(count, SceneInfo());
    for (size_t i = 0; i < count; ++i)
      viewer.document.model.scenes[i].name = "S" + std::to_string(i);
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
  Camera& active_camera() { return viewer.panes.active().camera; }
  const Viewport& pane_at(size_t index) { return viewer.panes.viewports().at(index); }

  // A pane's rectangle and camera as text.
  std::string pane(size_t index) {
    const Viewport& p = pane_at(index);
    const Camera& c = p.camera;
    std::ostringstream s;
    s << p.x << "," << p.y << " " << p.width << "x" << p.height << " d " << c.distance << " p "
      << c.pitch << " y " << c.yaw << " o " << c.target_offset[0] << "," << c.target_offset[1]
      << "," << c.target_offset[2] << " fov " << c.fov << " " << c.perspective << c.view_locked;
    return s.str();
  }

  // Every piece of state input could change, as text; without `feedback`, the menu refreshes,
  // the repaint count and the toast are left out.
  std::string snapshot(bool feedback = true) {
    std::ostringstream s;
    const Viewer& v = viewer;
    const DisplayOptions& d = v.display;
    s << d.show_edges << d.show_materials << d.show_lighting << d.show_shadows << d.reverse_shadow
      << d.performance_mode << d.night_theme << v.navigation.zoom_through
      << v.panes.list_panel_visible() << " layout " << v.panes.layout() << " active "
      << v.panes.active_index() << " revision " << v.document.revision << " scene "
      << v.document.current_scene << " buttons " << input.left_button_down
      << input.right_button_down << input.middle_button_down << "\n";
    for (size_t i = 0; i < v.panes.viewports().size(); ++i) s << pane(i) << "\n";
    for (const LayerInfo& l : v.document.model.layers) s << l.visible;
    s << "\nrebuild " << host.menu_rebuilds << " boxes " << host.boxes.size() << " titles "
      << host.titles.size() << " open " << host.open_dialogs << " urls " << host.urls.size();
    if (feedback) {
      s << " menu " << host.menu_updates << " repaint " << host.invalidations << " toast '"
        << wide_to_utf8(v.status.toast_text) << "'";
    }
    return s.str();
  }

  RecordingInputHost host;
  Viewer viewer{host};
  ViewerInput input{viewer, host, host};
};

}  // namespace test
}  // namespace lumeno
