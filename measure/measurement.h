// Measurement state and rules: the mode, the measurement being clicked, the finished ones, the
// display unit and whether they are shown. Feedback (toasts, repaints) goes through a small sink
// the window implements; tests record it.
#pragma once

#include <string>
#include <vector>

#include "measure/measure_types.h"

namespace lumeno {

class MeasureSink {
 public:
  virtual ~MeasureSink() = default;
  virtual void show_toast(const std::wstring& text, int duration_ms) = 0;
  virtual void invalidate() = 0;
};

constexpr int kMeasureToastMs = 3000;
constexpr int kMissToastMs = 1500;

extern const wchar_t kDistancePrompt[];
extern const wchar_t kContinuousPrompt[];
extern const wchar_t kAreaPrompt[];
extern const wchar_t kMeasureEnded[];
extern const wchar_t kDistancePrefix[];
extern const wchar_t kAreaPrefix[];
extern const wchar_t kMissedModel[];

class Measurement {
 public:
  explicit Measurement(MeasureSink& sink) : sink_(sink) {}

  void start_measure_distance();
  void start_measure_continuous();
  void start_measure_area();
  // Esc: keeps a chain of two or more points as an open measurement, drops a single point.
  void end_measure();
  // Enter in area mode: keeps an outline of three or more points with its area, drops a shorter
  // one silently; the mode ends either way.
  void close_measure();
  // Drops every measurement and the current one; the mode stays.
  void clear_measurements();
  // Leaves the mode without keeping the current measurement (walk mode takes over).
  void abandon_measure();

  void add_measure_point(float x, float y, float z);
  // A click that hit nothing: no point, a short toast, the mode stays.
  void report_miss();

  // Commands 1420-1424.
  void toggle_show_measurements();
  void set_measure_unit(int unit);

  std::wstring format_measure_value(double length) const;
  std::wstring format_measure_area(double area) const;

  MeasureMode measure_mode = MeasureMode::None;
  int measure_unit = 0;  // 0 mm, 1 m, 2 ft, 3 in
  std::vector<MeasureResult> measurements;
  MeasureResult current_measure;
  bool show_measurements = true;

 private:
  void start(MeasureMode mode, const wchar_t* prompt);
  void clear_current() { current_measure = MeasureResult(); }

  MeasureSink& sink_;
};

}  // namespace lumeno
