// The input tool on the tool stack while a measuring mode is on. A left press goes to the axis
// navigator first (the tool passes it on so navigation turns the view), else it makes the pane
// under the cursor active and adds the point picked there. Taking the press means navigation
// never starts a left drag, so the view does not pan while measuring. Enter closes an area,
// Escape ends the mode.
#pragma once

#include "core/input_tool.h"

namespace lumeno {

struct AxisNavigator;
class Measurement;
class Panes;
class PointPicker;
class ViewerHost;

constexpr unsigned kMeasureLeftButton = 1;  // MK_LBUTTON
constexpr unsigned kMeasureKeyEnter = 13;   // VK_RETURN
constexpr unsigned kMeasureKeyEscape = 27;  // VK_ESCAPE

class MeasureTool : public InputTool {
 public:
  MeasureTool(Measurement& measurement, Panes& panes, const AxisNavigator& navigator,
              ViewerHost& host, PointPicker& picker)
      : measurement_(measurement),
        panes_(panes),
        navigator_(navigator),
        host_(host),
        picker_(picker) {}

  bool on_mouse_down(unsigned button, int x, int y) override;
  bool on_key_down(unsigned key) override;

 private:
  Measurement& measurement_;
  Panes& panes_;
  const AxisNavigator& navigator_;
  ViewerHost& host_;
  PointPicker& picker_;
};

}  // namespace lumeno
