// Fakes for the measurement tests: a sink that records toasts, a picker with scripted answers.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "measure/measurement.h"
#include "measure/point_picker.h"

struct RecordingSink : lumeno::MeasureSink {
  void show_toast(const std::wstring& text, int ms) override {
    toasts.push_back(text), last_ms = ms;
  }
  void invalidate() override {}
  std::vector<std::wstring> toasts;
  int last_ms = 0;
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
