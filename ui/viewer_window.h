// The main window: the Win32 shell around the portable Viewer. It owns the top-level window, the
// GL context and font, turns window messages into calls on the Viewer, and serves the Viewer's
// requests (repaint, timers, title, message boxes, menus) through ViewerHost.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

#include "render/gl/renderer.h"
#include "ui/input.h"
#include "ui/menu_model.h"
#include "ui/viewer.h"
#include "core/viewer_host.h"
#include "measure/gl/measure_entry.h"
#include "settings/settings_win32.h"
#include "walk/walk_settings.h"
#include "walk/walk_win32.h"
#include "ui/win32_glyph_source.h"

class ViewerWindow : public lumeno::ViewerHost, public lumeno::InputHost {
 public:
  static constexpr UINT_PTR TOAST_TIMER = lumeno::kToastTimer;
  static constexpr UINT_PTR STATUS_TIMER = lumeno::kStatusTimer;
  static constexpr UINT_PTR WALK_TIMER = lumeno::kWalkTimer;
  static constexpr const wchar_t* kClassName = L"TessaryNativeWnd";

  ViewerWindow();
  ~ViewerWindow() override;
  ViewerWindow(const ViewerWindow&) = delete;
  ViewerWindow& operator=(const ViewerWindow&) = delete;

  bool create(HINSTANCE instance, int show_command);
  int run();

  static LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam);

  void on_create();
  void on_size(int width, int height);
  void on_timer(UINT_PTR id);
  void on_destroy();
  void on_paint();

  // GL start and stop on this window (context, fixed state, font lists).
  void init_opengl();
  void cleanup_opengl();
  void render();

  // Opening files: all roads end in the Viewer's load sequence, run on a worker thread.
  void open_file(const std::wstring& path) { viewer.begin_open_file(path); }
  void on_drop_files(HDROP drop);

  // The menu bar, built from its layout, the commands and the key bindings; its marks, grayed
  // items, changing texts and the layer popup follow the viewer's state.
  void create_menu();

  // ViewerHost
  void invalidate() override;
  void set_timer(unsigned id, unsigned interval_ms) override;
  void kill_timer(unsigned id) override;
  uint32_t tick_count() override;
  void set_window_title(const std::wstring& title) override;
  int message_box(const std::wstring& text, const std::wstring& caption, unsigned flags) override;
  void rebuild_scene_menu() override;
  void update_menu_state() override;

  // InputHost
  bool shift_down() override;
  bool ctrl_down() override;
  void show_open_dialog() override;
  void open_url(const std::wstring& url) override;

  HWND hwnd = nullptr;
  HDC window_dc = nullptr;
  HGLRC gl_context = nullptr;
  HINSTANCE instance = nullptr;
  HMENU main_menu = nullptr;
  std::vector<lumeno::MenuItem> menu_items;  // the bar as built, for the state refresh

  lumeno::Viewer viewer;
  lumeno::ViewerInput input;
  GlRenderer renderer;
  Win32GlyphSource glyphs;
  // What the features were given at start-up; lives as long as they do.
  lumeno::AppContext context;
  // The features, each in its own folder; made in create(), in this order.
  lumeno::WalkSettings walk_settings;  // shared by walk mode and the settings file
  std::unique_ptr<lumeno::MeasureModule> measure;
  std::unique_ptr<lumeno::WalkFeature> walk;
  std::unique_ptr<lumeno::SettingsComponent> settings;
};
