#include "ui/viewer_window.h"

#include <shellapi.h>

namespace {
constexpr int kIconResource = 101;
}

ViewerWindow::ViewerWindow() = default;

ViewerWindow::~ViewerWindow() = default;

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
                                 CW_USEDEFAULT, client_width, client_height, nullptr, nullptr,
                                 instance, this);
  if (created == nullptr) return false;

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

void ViewerWindow::open_file(const std::wstring& path) { current_file = path; }

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
      on_destroy();
      PostQuitMessage(0);
      return 0;
    case WM_SIZE: {
      const int width = LOWORD(lparam);
      const int height = HIWORD(lparam);
      if (width != 0 && height != 0) on_size(width, height);
      return 0;
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      SwapBuffers(dc);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_TIMER:
      on_timer(wparam);
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wparam, lparam);
  }
}

void ViewerWindow::on_create() { DragAcceptFiles(hwnd, TRUE); }

void ViewerWindow::on_size(int width, int height) {
  client_width = width;
  client_height = height;
  InvalidateRect(hwnd, nullptr, FALSE);
}

void ViewerWindow::on_timer(UINT_PTR) {}

void ViewerWindow::on_destroy() {}
