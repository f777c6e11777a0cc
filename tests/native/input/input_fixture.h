// The input and viewer tests' fixture: a recording host, a viewer with its input, hand-filled
// models, and a snapshot of everything a command could change ("does nothing" checked as a whole).
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
    const float top[3] = {30.0f, 40.0f, 120.0f};
    for (int i = 0; i < 3; ++i) m.bbox_min[i] = 0.0f, m.bbox_max[i] = top[i];
    m.loaded = true;
  }
  // A menu command when `id` is set, else a key with modifiers.
  void fire(unsigned id, unsigned key, bool shift = false, bool ctrl = false) {
    host.shift = shift;
    host.ctrl = ctrl;
    id != 0 ? input.on_command(id) : input.on_key_down(key);
    host.shift = host.ctrl = false;
  }
  Camera& active_camera() { return viewer.panes.active().camera; }
  const Viewport& pane_at(size_t index) { return viewer.panes.viewports().at(index); }

  // A pane's rectangle and camera as text.
  std::string pane(size_t index) {
    const Viewport& p = pane_at(index);
    const Camera& c = p.camera;
    std::ostringstream s;
    s << p.x << "," << p.y << " " << p.width << "x" << p.height << " " << c.distance << " "
      << c.pitch << " " << c.yaw << " " << c.target_offset[0] << "," << c.target_offset[1] << ","
      << c.target_offset[2] << " " << c.fov << c.perspective << c.view_locked;
    return s.str();
  }

  // All state input could change, as text; `feedback` adds menu refreshes, repaints and the toast.
  std::string snapshot(bool feedback = true) {
    std::ostringstream s;
    const DisplayOptions& d = viewer.display;
    s << d.show_edges << d.show_materials << d.show_lighting << d.show_shadows << d.reverse_shadow
      << d.performance_mode << d.night_theme << viewer.navigation.zoom_through
      << viewer.panes.list_panel_visible() << viewer.panes.layout() << viewer.panes.active_index()
      << " " << viewer.document.revision << " " << viewer.document.current_scene << " "
      << input.left_button_down << input.right_button_down << input.middle_button_down;
    for (size_t i = 0; i < viewer.panes.viewports().size(); ++i) s << "\n" << pane(i);
    for (const LayerInfo& l : viewer.document.model.layers) s << l.visible;
    s << " " << host.menu_rebuilds << " " << host.boxes.size() << " " << host.titles.size() << " "
      << host.open_dialogs << " " << host.urls.size();
    if (feedback)
      s << " " << host.menu_updates << " " << host.invalidations
        << wide_to_utf8(viewer.status.toast_text);
    return s.str();
  }

  RecordingInputHost host;
  Viewer viewer{host};
  ViewerInput input{viewer, host, host};
};

}  // namespace test
}  // namespace lumeno
