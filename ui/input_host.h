// What input handling needs besides the Viewer and its ViewerHost.
//
// InputHost: services of the window the commands use now (key state, the open dialog, the web
// page). The Win32 shell implements it with GetKeyState, its open dialog and ShellExecuteW;
// tests use a recording fake.
//
// FeatureHooks: operations of walk mode, measurement, the dialogs, export and the hand-off to
// SketchUp, which live outside this layer. Each is empty until its feature is built and wired;
// an empty hook means the key, click or command does nothing at all.
#pragma once

#include <functional>
#include <string>

namespace lumeno {

class InputHost {
 public:
  virtual ~InputHost() = default;

  // Whether Shift or Ctrl is held right now (GetKeyState negative).
  virtual bool shift_down() = 0;
  virtual bool ctrl_down() = 0;
  // The open dialog; a chosen file goes to the viewer's load sequence.
  virtual void show_open_dialog() = 0;
  // Opens a web address in the user's browser (verb "open", shown normally).
  virtual void open_url(const std::wstring& url) = 0;
};

struct FeatureHooks {
  // --- Walk mode ------------------------------------------------------------------------------
  // Whether walk mode is running: the mouse then only chooses the pane, the wheel changes the
  // walking speed and the only key is Escape.
  std::function<bool()> walk_active;
  // The walking speed the wheel changes during walk mode.
  std::function<float&()> walk_speed;
  std::function<void()> toggle_walk_mode;           // menu bar "行走", Escape while walking
  std::function<void()> show_walk_settings_dialog;  // "行走设置..."

  // --- Measurement ----------------------------------------------------------------------------
  // Whether a measurement tool is running (any mode but None), and whether it is the area tool.
  std::function<bool()> measuring;
  std::function<bool()> measuring_area;
  // A left click during a measurement: picks the model point under the client point and adds it;
  // true when a point was added.
  std::function<bool(int x, int y)> add_point_at;
  std::function<void()> close_measure;  // Enter during an area measurement
  std::function<void()> end_measure;    // Escape during any measurement
  std::function<void()> start_measure_distance;
  std::function<void()> start_measure_continuous;
  std::function<void()> start_measure_area;
  std::function<void()> clear_measurements;
  std::function<void()> toggle_show_measurements;  // inverts the flag; menus and repaint follow

  // --- Dialogs, export, hand-off --------------------------------------------------------------
  std::function<void()> open_in_sketchup;
  std::function<void()> show_save_lower_version_dialog;
  std::function<void()> show_view_angle_dialog;
  std::function<void()> show_preferences_dialog;
  std::function<void()> show_shortcut_dialog;
  std::function<void()> show_about_dialog;
};

}  // namespace lumeno
