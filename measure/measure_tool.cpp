#include "measure/measure_tool.h"

#include "measure/measurement.h"
#include "measure/point_picker.h"
#include "render/navigator.h"
#include "render/panes.h"
#include "core/viewer_host.h"

namespace lumeno {

bool MeasureTool::on_mouse_down(unsigned button, int x, int y) {
  if (button != kMeasureLeftButton || measurement_.measure_mode == MeasureMode::None) return false;
  if (navigator_.hit_test(x, y) >= 0) return false;

  panes_.select(panes_.index_at(x, y));
  host_.update_menu_state();  // the lock mark follows the active pane
  host_.invalidate();

  MeasurePoint point;
  if (picker_.pick(panes_.active(), panes_.client_height(), x, y, point))
    measurement_.add_measure_point(point.x, point.y, point.z);
  else
    measurement_.report_miss();
  return true;
}

bool MeasureTool::on_key_down(unsigned key) {
  if (key == kMeasureKeyEscape && measurement_.measure_mode != MeasureMode::None) {
    measurement_.end_measure();
    return true;
  }
  if (key == kMeasureKeyEnter && measurement_.measure_mode == MeasureMode::Area) {
    measurement_.close_measure();
    return true;
  }
  return false;
}

}  // namespace lumeno
