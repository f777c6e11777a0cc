// The main window: owns the viewer for the whole run, its top-level window, the message table,
// the message loop and the timers.
#pragma once

#include <windows.h>

#include <string>

#include "model/skp_model.h"

class ViewerWindow {
 public:
  static constexpr UINT_PTR TOAST_TIMER = 1;
  static constexpr UINT_PTR STATUS_TIMER = 2;
  static constexpr UINT_PTR WALK_TIMER = 3;
  static constexpr const wchar_t* kClassName = L"TessaryNativeWnd";

  ViewerWindow();
  ~ViewerWindow();
  ViewerWindow(const ViewerWindow&) = delete;
  ViewerWindow& operator=(const ViewerWindow&) = delete;

  bool create(HINSTANCE instance, int show_command);
  int run();
  void open_file(const std::wstring& path);

  static LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam);

  void on_create();
  void on_size(int width, int height);
  void on_timer(UINT_PTR id);
  void on_destroy();

  HWND hwnd = nullptr;
  HDC window_dc = nullptr;
  HGLRC gl_context = nullptr;
  HINSTANCE instance = nullptr;
  int client_width = 1200;
  int client_height = 800;

  SkpModel model;
  std::wstring current_file;
};
