// Measurement as one feature: the state, its input tool and its commands. The tool is on the
// tool stack exactly while a measuring mode is on. Toasts and repaints go to the sink the window
// provides (see gl/measure_entry.h for the window's side).
#pragma once

#include <vector>

#include "core/command_registry.h"
#include "measure/measure_tool.h"
#include "measure/measurement.h"

namespace lumeno {

class MeasureFeature : private MeasureSink {
 public:
  MeasureFeature(MeasureSink& out, Panes& panes, const AxisNavigator& navigator, ViewerHost& host,
                 ToolStack& tools, PointPicker& picker);
  ~MeasureFeature() override;
  MeasureFeature(const MeasureFeature&) = delete;
  MeasureFeature& operator=(const MeasureFeature&) = delete;

  Measurement& measurement() { return measurement_; }
  const Measurement& measurement() const { return measurement_; }
  MeasureTool& tool() { return tool_; }

  // Commands 1416-1424 and the bar item 1433, for the registry.
  std::vector<Command> commands();

 private:
  // Every change of the state ends here: the tool follows the mode, then the window repaints.
  void invalidate() override;
  void show_toast(const std::wstring& text, int duration_ms) override;

  MeasureSink& out_;
  ToolStack& tools_;
  Measurement measurement_;
  MeasureTool tool_;
};

}  // namespace lumeno
