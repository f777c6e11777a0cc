// The portable core of the main window: the model, the panes with their cameras, the display
// toggles, the navigator state, the title status and toasts, and the operations on them (fitting,
// standard views, scene cameras, layouts, timers, size changes, opening files). The Win32 shell
// owns one Viewer, forwards its messages to it and serves it through ViewerHost; the GL renderer
// reads its state for every frame.
//
// Input handling (mouse navigation, keys, menu commands) builds on the operations here.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/skp_model.h"
#include "render/camera.h"
#include "render/camera_math.h"
#include "render/navigator.h"
#include "render/viewport.h"
#include "ui/status_toast.h"
#include "ui/viewer_host.h"

namespace lumeno {

class Viewer {
 public:
  explicit Viewer(ViewerHost& host);
  Viewer(const Viewer&) = delete;
  Viewer& operator=(const Viewer&) = delete;

  // --- Start-up -----------------------------------------------------------------------------
  // Window creation, after the settings are loaded: one pane labelled "透视", then the panes of
  // `layout` with default cameras.
  void init_viewports();

  // --- Panes and cameras --------------------------------------------------------------------
  // Lays the panes out again for the current client size and list strip, keeping every pane's
  // camera (resize, list strip). Resets an active index beyond the list to 0.
  void update_viewport_layout();
  // A layout command (1-4): the panes of the table with fresh cameras, fitted to the model when
  // one is loaded; repaints. Any other value is ignored.
  void set_layout(int new_layout);
  // Shows or hides the list strip at the right edge and lays the panes out again.
  void toggle_list_panel();
  // Index of the pane containing the client point, 0 when none does.
  int get_viewport_at(int x, int y) const;
  // The pane at active_viewport_index when valid, otherwise the first one.
  Viewport& active_viewport();
  // The box the cameras look at (see view_bounds).
  ViewBounds bounds() const { return view_bounds(model); }

  // Fits every pane's camera to the model; nothing without a loaded model.
  void fit_view();
  // Turns the active camera to a standard view; a locked pane refuses with a toast.
  void set_standard_view(NavCubeDir dir);
  // Gives the active camera a scene's camera (only when the scene has one); ignores the lock.
  void apply_scene_camera(const SceneInfo& scene);

  // --- Navigator ----------------------------------------------------------------------------
  // Rebuilds the navigator from the active camera (before each draw).
  void update_axis_navigator();
  // Item under the client point, or -1; positions of the last rebuild.
  int hit_test_navigator(int x, int y) const { return navigator.hit_test(x, y); }

  // --- Status and toasts --------------------------------------------------------------------
  void set_title_status(const std::wstring& text) { status.set_title_status(text); }
  void show_toast(const std::wstring& text, int duration_ms) {
    status.show_toast(text, duration_ms);
  }

  // --- Display ------------------------------------------------------------------------------
  void invalidate_display_list() { display_list_valid = false; }
  // Day <-> night, with its toast and the relabelled bar item.
  void toggle_theme();

  // --- Window events ------------------------------------------------------------------------
  // Client size change; a zero width or height (minimised) changes nothing.
  void on_size(int width, int height);
  // Toast and status timers; other identifiers are not this object's and are ignored.
  void on_timer(unsigned id);

  // --- Files (viewer_files.cpp) --------------------------------------------------------------
  // Remembers the path, converts it to UTF-8 and loads it.
  bool open_file(const std::wstring& path);
  // The load sequence: title texts, fit, status timer, failure box. Returns whether the model
  // loaded.
  bool open_file_utf8(const std::string& path);
  // The statistics box (or the "open a model first" box).
  void show_model_info();

  // --- State --------------------------------------------------------------------------------
  int client_width = 1200;
  int client_height = 800;

  SkpModel model;
  bool display_list_valid = false;  // the renderer's lists match the model and layer visibility

  int layout = 1;
  std::vector<Viewport> viewports;
  int active_viewport_index = 0;
  bool list_panel_visible = false;
  int list_panel_width = 220;

  bool show_edges = true;
  bool show_materials = true;
  bool show_lighting = true;
  bool show_shadows = false;
  bool reverse_shadow = false;
  bool performance_mode = false;
  bool night_theme = false;

  // Navigation and measurement settings read by input, the menus and the settings file.
  float rotate_sensitivity = 1.0f;  // orbit speed factor
  bool zoom_through = false;        // the wheel may bring the camera arbitrarily close
  int measure_unit = 0;             // 0 millimetres, 1 metres, 2 feet, 3 inches

  AxisNavigator navigator;  // nav_items, centre, radius, show_navigator, nav_hover, hover index
  StatusToast status;       // toast_text, toast_start, toast_duration, status_time
  std::wstring current_file;

 private:
  void fit_panes();

  ViewerHost& host_;
};

}  // namespace lumeno
