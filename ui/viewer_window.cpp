#include "ui/viewer_window.h"

#include <commdlg.h>
#include <shellapi.h>

#include "ui/commands.h"
#include "ui/frame.h"
#include "ui/gl_context_win32.h"
#include "ui/viewer_files.h"

namespace {

constexpr int kIconResource = 101;

void append_items(HMENU menu, const std::vector<lumeno::MenuItem>& items) {
  for (const lumeno::MenuItem& item : items) {
    switch (item.kind) {
      case lumeno::MenuItemKind::Separator:
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        break;
      case lumeno::MenuItemKind::Popup: {
        HMENU popup = CreatePopupMenu();
        append_items(popup, item.items);
        AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup),
                    item.text.c_str());
        break;
      }
      case lumeno::MenuItemKind::Command:
        AppendMenuW(menu,
                    MF_STRING | (item.checked ? MF_CHECKED : MF_UNCHECKED) |
                        (item.grayed ? MF_GRAYED : MF_ENABLED),
                    item.id, item.text.c_str());
        if (item.radio) {
          MENUITEMINFOW info = {};
          info.cbSize = sizeof info;
          info.fMask = MIIM_FTYPE;
          info.fType = MFT_STRING | MFT_RADIOCHECK;
          SetMenuItemInfoW(menu, item.id, FALSE, &info);
        }
        break;
    }
  }
}

// Screen position of a wheel message to client coordinates.
POINT wheel_point(HWND window, LPARAM lparam) {
  POINT point = {static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
  ScreenToClient(window, &point);
  return point;
}

}  // namespace

ViewerWindow::ViewerWindow()
    : viewer(*this), input(viewer, *this, *this), context(viewer.context()) {}

ViewerWindow::~ViewerWindow() { cleanup_opengl(); }

bool ViewerWindow::create(HINSTANCE module_instance, int show_command) {
  instance = module_instance;

  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof(WNDCLASSEXW);
  wc.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
  wc.lpfnWndProc = WndProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kIconResource));
  if (wc.hIcon == nullptr) wc.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
  wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), 0));
  if (wc.hIconSm == nullptr) wc.hIconSm = wc.hIcon;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  wc.lpszClassName = kClassName;
  if (RegisterClassExW(&wc) == 0) return false;

  HWND created = CreateWindowExW(WS_EX_ACCEPTFILES, kClassName, L"Lumeno",
                                 WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                                 CW_USEDEFAULT, viewer.panes.client_width(),
                                 viewer.panes.client_height(),
                                 nullptr, nullptr, instance, this);
  if (created == nullptr) return false;

  // The features register their commands, tools and drawing; then their keys are bound and the
  // menus built.
  // Walk mode registers its destroy step before the settings file does, so the walking speed is
  // stored before the settings are saved; the settings are read here as well.
  measure = lumeno::make_measure(context, renderer, &glyphs);
  walk = lumeno::make_walk(context, walk_settings, hwnd, [this] {
    if (settings) settings->feature.save_settings();
  });
  walk->controller->set_stop_measuring(
      [this] { measure->feature().measurement().abandon_measure(); });
  settings = lumeno::make_settings(context, walk_settings, hwnd);
  input.init_default_keybindings();
  create_menu();
  init_opengl();
  viewer.panes.init();
  // The marks follow the state the window starts with.
  update_menu_state();

  ShowWindow(hwnd, show_command);
  UpdateWindow(hwnd);
  return true;
}

int ViewerWindow::run() {
  MSG msg = {};
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

LRESULT CALLBACK ViewerWindow::WndProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  ViewerWindow* self = nullptr;
  if (message == WM_NCCREATE) {
    auto* create_struct = reinterpret_cast<CREATESTRUCTW*>(lparam);
    self = static_cast<ViewerWindow*>(create_struct->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    if (self != nullptr) self->hwnd = window;
  } else {
    self = reinterpret_cast<ViewerWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  }
  if (self == nullptr) return DefWindowProcW(window, message, wparam, lparam);
  return self->handle_message(message, wparam, lparam);
}

LRESULT ViewerWindow::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      on_create();
      return 0;
    case WM_DESTROY:
      viewer.on_destroy();
      on_destroy();
      PostQuitMessage(0);
      return 0;
    case WM_SIZE: {
      const int width = LOWORD(lparam);
      const int height = HIWORD(lparam);
      if (width != 0 && height != 0) on_size(width, height);
      return 0;
    }
    case WM_PAINT:
      on_paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_TIMER:
      on_timer(wparam);
      return 0;
    case WM_DROPFILES:
      on_drop_files(reinterpret_cast<HDROP>(wparam));
      return 0;
    case WM_KEYDOWN:
      input.on_key_message(static_cast<unsigned>(wparam));
      return 0;
    case WM_COMMAND:
      input.on_command(LOWORD(wparam));
      return 0;
    case WM_MOUSEMOVE:
      input.on_mouse_move(static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam)));
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      const unsigned button = message == WM_LBUTTONDOWN   ? lumeno::kButtonLeft
                              : message == WM_RBUTTONDOWN ? lumeno::kButtonRight
                                                          : lumeno::kButtonMiddle;
      input.on_mouse_down(button, static_cast<short>(LOWORD(lparam)),
                          static_cast<short>(HIWORD(lparam)));
      SetCapture(hwnd);
      return 0;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      const unsigned button = message == WM_LBUTTONUP   ? lumeno::kButtonLeft
                              : message == WM_RBUTTONUP ? lumeno::kButtonRight
                                                        : lumeno::kButtonMiddle;
      input.on_mouse_up(button, static_cast<short>(LOWORD(lparam)),
                        static_cast<short>(HIWORD(lparam)));
      ReleaseCapture();
      return 0;
    }
    case WM_MOUSEWHEEL: {
      const POINT point = wheel_point(hwnd, lparam);
      input.on_mouse_wheel(GET_WHEEL_DELTA_WPARAM(wparam), point.x, point.y);
      return 0;
    }
    default:
      return DefWindowProcW(hwnd, message, wparam, lparam);
  }
}

void ViewerWindow::on_create() { DragAcceptFiles(hwnd, TRUE); }

void ViewerWindow::on_size(int width, int height) {
  viewer.on_size(width, height);
}

void ViewerWindow::on_timer(UINT_PTR id) { viewer.on_timer(static_cast<unsigned>(id)); }

void ViewerWindow::on_destroy() { cleanup_opengl(); }

void ViewerWindow::on_paint() {
  PAINTSTRUCT ps;
  BeginPaint(hwnd, &ps);
  if (gl_context != nullptr) render();
  SwapBuffers(window_dc != nullptr ? window_dc : ps.hdc);
  EndPaint(hwnd, &ps);
}

void ViewerWindow::init_opengl() {
  create_gl_context(hwnd, window_dc, gl_context);
  if (gl_context == nullptr) return;
  renderer.start();
  if (!glyphs.font_ready) glyphs.init(window_dc);
}

void ViewerWindow::cleanup_opengl() {
  if (gl_context != nullptr) {
    glyphs.cleanup();
    renderer.stop();
  }
  release_gl_context(hwnd, window_dc, gl_context);
}

void ViewerWindow::render() { renderer.render(lumeno::build_frame(viewer, &glyphs)); }

void ViewerWindow::on_drop_files(HDROP drop) {
  wchar_t path[MAX_PATH] = {};
  DragQueryFileW(drop, 0, path, MAX_PATH);
  DragFinish(drop);
  if (lumeno::accepts_dropped_path(path)) open_file(path);
}

void ViewerWindow::show_open_dialog() {
  wchar_t path[MAX_PATH] = {};
  const std::wstring filter = lumeno::open_dialog_filter();
  OPENFILENAMEW ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = hwnd;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = lumeno::kOpenDialogFilterIndex;
  ofn.lpstrFile = path;
  ofn.nMaxFile = MAX_PATH;
  ofn.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
  if (GetOpenFileNameW(&ofn)) open_file(path);
}

void ViewerWindow::invalidate() {
  if (hwnd != nullptr) InvalidateRect(hwnd, nullptr, FALSE);
}

void ViewerWindow::set_timer(unsigned id, unsigned interval_ms) {
  if (hwnd != nullptr) SetTimer(hwnd, id, interval_ms, nullptr);
}

void ViewerWindow::kill_timer(unsigned id) {
  if (hwnd != nullptr) KillTimer(hwnd, id);
}

uint32_t ViewerWindow::tick_count() { return GetTickCount(); }

void ViewerWindow::set_window_title(const std::wstring& title) {
  if (hwnd != nullptr) SetWindowTextW(hwnd, title.c_str());
}

int ViewerWindow::message_box(const std::wstring& text, const std::wstring& caption,
                              unsigned flags) {
  return MessageBoxW(hwnd, text.c_str(), caption.c_str(), flags);
}

void ViewerWindow::create_menu() {
  main_menu = CreateMenu();
  menu_items = lumeno::menu_bar(viewer.commands, input.key_bindings);
  append_items(main_menu, menu_items);
  if (hwnd != nullptr) SetMenu(hwnd, main_menu);
}

void ViewerWindow::rebuild_scene_menu() {
  if (main_menu == nullptr) return;
  HMENU layers = GetSubMenu(main_menu, static_cast<int>(lumeno::kLayerMenuPosition));
  if (layers == nullptr) return;
  while (GetMenuItemCount(layers) > 0) DeleteMenu(layers, 0, MF_BYPOSITION);
  append_items(layers, lumeno::layer_menu(viewer.document.model));
  if (hwnd != nullptr) DrawMenuBar(hwnd);
}

void ViewerWindow::update_menu_state() {
  if (main_menu == nullptr) return;
  for (const lumeno::MenuState& state :
       lumeno::menu_states(menu_items, viewer.commands, viewer.document.model)) {
    if (state.relabel) {
      ModifyMenuW(main_menu, state.id, MF_BYCOMMAND | MF_STRING, state.id, state.text.c_str());
    }
    EnableMenuItem(main_menu, state.id, MF_BYCOMMAND | (state.enabled ? MF_ENABLED : MF_GRAYED));
    if (state.has_mark) {
      CheckMenuItem(main_menu, state.id,
                    MF_BYCOMMAND | (state.checked ? MF_CHECKED : MF_UNCHECKED));
    }
  }
  if (hwnd != nullptr) DrawMenuBar(hwnd);
}

bool ViewerWindow::shift_down() { return GetKeyState(VK_SHIFT) < 0; }

bool ViewerWindow::ctrl_down() { return GetKeyState(VK_CONTROL) < 0; }

void ViewerWindow::open_url(const std::wstring& url) {
  ShellExecuteW(hwnd, L"open", url.c_str(), nullptr, nullptr, SW_SHOW);
}
