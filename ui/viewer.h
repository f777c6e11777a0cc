// The portable core of the main window. It is made of parts with one job each: the document
// (model, path, scene, revision), the panes with their cameras, the display and navigation
// options, the navigator, the title status and toasts, and the registries features plug into
// (commands, input tools, pane overlays, destroy handlers). Its own operations are the ones that
// span several parts (fitting, standard views, scene cameras, layouts, timers, size changes,
// opening files). The Win32 shell owns one Viewer, forwards its messages to it and serves it
// through ViewerHost; the renderer reads the frame built from it (ui/frame.h).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/app_context.h"
#include "core/command_registry.h"
#include "core/input_tool.h"
#include "core/status_toast.h"
#include "core/viewer_host.h"
#include "model/document.h"
#include "render/camera.h"
#include "render/camera_math.h"
#include "render/display_options.h"
#include "render/navigator.h"
#include "render/panes.h"
#include "ui/model_loader.h"

namespace lumeno {

class Viewer {
 public:
  explicit Viewer(ViewerHost& host);
  Viewer(const Viewer&) = delete;
  Viewer& operator=(const Viewer&) = delete;

  // What features receive when they register.
  AppContext context();

  // --- Panes and cameras --------------------------------------------------------------------
  // A layout command (1-4): the panes of the table with fresh cameras, fitted to the model when
  // one is loaded; repaints. Any other value is ignored.
  void set_layout(int new_layout);
  // Shows or hides the list strip at the right edge and lays the panes out again.
  void toggle_list_panel();
  // The box the cameras look at (see view_bounds).
  ViewBounds bounds() const { return view_bounds(document.model); }
  Camera& active_camera() { return panes.active().camera; }
  // Makes the pane under the client point the active one; the perspective check mark and the
  // navigator follow it.
  void select_pane_at(int x, int y);

  // Fits every pane's camera to the model; nothing without a loaded model.
  void fit_view();
  // Turns the active camera to a standard view; a locked pane refuses with a toast.
  void set_standard_view(NavCubeDir dir);
  // Gives the active camera a scene's camera (only when the scene has one); ignores the lock.
  void apply_scene_camera(const SceneInfo& scene);

  // --- Navigator ----------------------------------------------------------------------------
  // Item under the client point, or -1 (always -1 while the navigator is hidden).
  int hit_test_navigator(int x, int y) const;

  // --- Status and toasts --------------------------------------------------------------------
  void show_toast(const std::wstring& text, int duration_ms) {
    status.show_toast(text, duration_ms);
  }

  // --- Display ------------------------------------------------------------------------------
  // Day <-> night, with its toast.
  void toggle_theme();

  // --- Window events ------------------------------------------------------------------------
  // Client size change; a zero width or height (minimised) changes nothing.
  void on_size(int width, int height);
  // Toast and status timers; any other identifier goes to the active input tool.
  void on_timer(unsigned id);
  // Window destruction: the features' destroy handlers, in registration order.
  void on_destroy();

  // --- Files (viewer_files.cpp) --------------------------------------------------------------
  // Remembers the path, converts it to UTF-8 and loads it.
  bool open_file(const std::wstring& path);
  // The load sequence: title texts, fit, status timer, failure box. Returns whether the model
  // loaded.
  bool open_file_utf8(const std::string& path);
  // The statistics box (or the "open a model first" box).
  void show_model_info();

  // --- Loading on a worker (viewer_loading.cpp) ---------------------------------------------
  // Starts loading `path` on a worker thread: the current model stays on screen, the title
  // shows the percentage, and the finished model is swapped in on this thread, followed by the
  // rest of the load sequence. A load already running is cancelled.
  void begin_open_file(const std::wstring& path);
  bool loading() const { return loader_.running(); }
  // Cancels the running load and keeps the current model; false when none runs.
  bool cancel_load();
  // The load timer: the percentage in the title, or the finished load taken over.
  void on_load_timer();
  // Blocks until the running load has ended and takes it over, as the load timer would.
  void wait_for_load();

  // --- Parts --------------------------------------------------------------------------------
  Document document;
  Panes panes;
  DisplayOptions display;
  NavigationOptions navigation;
  AxisNavigator navigator;  // item positions of the last draw, hover state
  StatusToast status;
  CommandRegistry commands;
  ToolStack tools;
  std::vector<PaneOverlay> pane_overlays;
  std::vector<std::function<void()>> destroy_handlers;

 private:
  void fit_panes();
  // The load sequence after the model has been loaded (or has failed): revision, fit, title,
  // menus, failure box, repaint.
  void finish_load(bool ok);

  ViewerHost& host_;
  ModelLoader loader_;
  std::wstring loading_path_;  // the file the running load reads
  int shown_percent_ = -1;     // the percentage in the title
};

}  // namespace lumeno
