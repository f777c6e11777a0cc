#include "measure/measurement.h"

#include "measure/measure_geometry.h"
#include "measure/measure_units.h"

namespace lumeno {

const wchar_t kDistancePrompt[] = L"测距模式：点击两个点（Esc 退出）";
const wchar_t kContinuousPrompt[] = L"连续测距：依次点击多个点（Esc 退出）";
const wchar_t kAreaPrompt[] = L"测面积：点击多边形顶点，Enter 结束";
const wchar_t kMeasureEnded[] = L"测量结束";
const wchar_t kDistancePrefix[] = L"距离: ";
const wchar_t kAreaPrefix[] = L"面积: ";
const wchar_t kMissedModel[] = L"未点中模型表面";

void Measurement::start(MeasureMode mode, const wchar_t* prompt) {
  measure_mode = mode;
  clear_current();
  sink_.show_toast(prompt, kMeasureToastMs);
  sink_.invalidate();
}

void Measurement::start_measure_distance() { start(MeasureMode::Distance, kDistancePrompt); }
void Measurement::start_measure_continuous() { start(MeasureMode::Continuous, kContinuousPrompt); }
void Measurement::start_measure_area() { start(MeasureMode::Area, kAreaPrompt); }

void Measurement::end_measure() {
  if (current_measure.points.size() >= 2) {
    current_measure.area = 0.0;
    current_measure.closed = false;
    measurements.push_back(current_measure);
  }
  clear_current();
  measure_mode = MeasureMode::None;
  sink_.show_toast(kMeasureEnded, kMeasureToastMs);
  sink_.invalidate();
}

void Measurement::close_measure() {
  MeasureResult& r = current_measure;
  if (r.points.size() >= 3) {
    r.closed = true;
    r.area = outline_area(r.points);
    const double closing = segment_length(r.points.back(), r.points.front());
    r.segment_lengths.push_back(closing);
    r.total_length += closing;
    measurements.push_back(r);
    sink_.show_toast(kAreaPrefix + format_measure_area(r.area), kMeasureToastMs);
  }
  clear_current();
  measure_mode = MeasureMode::None;
  sink_.invalidate();
}

void Measurement::clear_measurements() {
  measurements.clear();
  clear_current();
  sink_.invalidate();
}

void Measurement::abandon_measure() {
  measure_mode = MeasureMode::None;
  sink_.invalidate();
}

void Measurement::add_measure_point(float x, float y, float z) {
  MeasureResult& r = current_measure;
  r.points.push_back({x, y, z});
  if (r.points.size() >= 2) {
    const double d = segment_length(r.points[r.points.size() - 2], r.points.back());
    r.segment_lengths.push_back(d);
    r.total_length += d;
    if (measure_mode == MeasureMode::Distance) {
      measurements.push_back(r);
      clear_current();
      sink_.show_toast(kDistancePrefix + format_measure_value(d), kMeasureToastMs);
    }
  }
  sink_.invalidate();
}

void Measurement::report_miss() { sink_.show_toast(kMissedModel, kMissToastMs); }

void Measurement::toggle_show_measurements() {
  show_measurements = !show_measurements;
  sink_.invalidate();
}

void Measurement::set_measure_unit(int unit) {
  if (unit >= 0 && unit < kUnitCount) measure_unit = unit;
}

std::wstring Measurement::format_measure_value(double length) const {
  return lumeno::format_measure_value(length, measure_unit);
}

std::wstring Measurement::format_measure_area(double area) const {
  return lumeno::format_measure_area(area, measure_unit);
}

}  // namespace lumeno
