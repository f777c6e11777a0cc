#include "measure/measure_feature.h"

#include "core/command_ids.h"
#include "measure/measure_units.h"

namespace lumeno {

MeasureFeature::MeasureFeature(MeasureSink& out, Panes& panes, const AxisNavigator& navigator,
                               ViewerHost& host, ToolStack& tools, PointPicker& picker)
    : out_(out),
      tools_(tools),
      measurement_(*this),
      tool_(measurement_, panes, navigator, host, picker) {}

MeasureFeature::~MeasureFeature() { tools_.remove(&tool_); }

void MeasureFeature::invalidate() {
  const bool measuring = measurement_.measure_mode != MeasureMode::None;
  if (measuring && !tools_.contains(&tool_)) tools_.push(&tool_);
  if (!measuring) tools_.remove(&tool_);
  out_.invalidate();
}

void MeasureFeature::show_toast(const std::wstring& text, int duration_ms) {
  out_.show_toast(text, duration_ms);
}

std::vector<Command> MeasureFeature::commands() {
  Measurement& m = measurement_;
  std::vector<Command> list;
  list.push_back({ID_MEASURE_DISTANCE, "measure_dist", L"测距", 0x54,
                  [&m] { m.start_measure_distance(); }, nullptr, nullptr, nullptr});
  list.push_back({ID_MEASURE_CONTINUOUS, "", L"连续测距", 0, [&m] { m.start_measure_continuous(); },
                  nullptr, nullptr, nullptr});
  list.push_back({ID_MEASURE_AREA, "measure_area", L"测面积", 0x41,
                  [&m] { m.start_measure_area(); }, nullptr, nullptr, nullptr});
  list.push_back({ID_CLEAR_MEASUREMENTS, "", L"清除测量", 0, [&m] { m.clear_measurements(); },
                  nullptr, nullptr, nullptr});
  list.push_back({ID_SHOW_MEASUREMENTS, "", L"显示测量", 0, [&m] { m.toggle_show_measurements(); },
                  [&m] { return m.show_measurements; }, nullptr, nullptr});
  const wchar_t* unit_names[kUnitCount] = {L"毫米", L"米", L"英尺", L"英寸"};
  for (int unit = 0; unit < kUnitCount; ++unit) {
    list.push_back({ID_UNIT_MM + static_cast<unsigned>(unit), "", unit_names[unit], 0,
                    [&m, unit] { m.set_measure_unit(unit); },
                    [&m, unit] { return m.measure_unit == unit; }, nullptr, nullptr});
  }
  list.push_back({ID_BAR_MEASURE, "", L"↔ 测距", 0, [&m] { m.start_measure_distance(); }, nullptr,
                  nullptr, nullptr});
  return list;
}

}  // namespace lumeno
