// Recording fakes for the measurement tests: toasts and repaints, the window host, a picker
// with scripted answers.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "measure/measurement.h"
#include "measure/point_picker.h"
#include "core/viewer_host.h"

struct Toast {
  std::wstring text;
  int ms;
};

struct RecordingSink : lumeno::MeasureSink {
  void show_toast(const std::wstring& text, int ms) override { toasts.push_back({text, ms}); }
  void invalidate() override { ++repaints; }
  std::vector<Toast> toasts;
  int repaints = 0;
};

struct FakeHost : lumeno::ViewerHost {
  void invalidate() override { ++repaints; }
  void set_timer(unsigned, unsigned) override {}
  void kill_timer(unsigned) override {}
  uint32_t tick_count() override { return 0; }
  void set_window_title(const std::wstring&) override {}
  int message_box(const std::wstring&, const std::wstring&, unsigned) override { return 1; }
  void rebuild_scene_menu() override {}
  void update_menu_state() override { ++menu_updates; }
  int repaints = 0;
  int menu_updates = 0;
};

// Answers clicks from a queue; an empty queue is a background click.
struct ScriptedPicker : lumeno::PointPicker {
  bool pick(const Viewport& pane, int, int, int, MeasurePoint& out) override {
    picked_in.push_back(pane.label);
    if (answers.empty()) return false;
    out = answers.front();
    answers.pop_front();
    return true;
  }
  std::deque<MeasurePoint> answers;
  std::vector<std::string> picked_in;
};
