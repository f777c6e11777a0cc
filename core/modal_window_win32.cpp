#include "core/modal_window_win32.h"

namespace lumeno {
namespace {

constexpr int kProgramIconResource = 101;

}  // namespace

void register_modal_class(const wchar_t* class_name, WNDPROC proc) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExW(instance, class_name, &wc)) return;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kProgramIconResource));
  wc.hIconSm = wc.hIcon;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  wc.lpszClassName = class_name;
  RegisterClassExW(&wc);
}

HWND create_modal_window(HWND owner, const wchar_t* class_name, const wchar_t* caption, int width,
                         int height, void* state) {
  RECT frame = {};
  GetWindowRect(owner != nullptr ? owner : GetDesktopWindow(), &frame);
  const int x = frame.left + (frame.right - frame.left - width) / 2;
  const int y = frame.top + (frame.bottom - frame.top - height) / 2;
  return CreateWindowExW(WS_EX_DLGMODALFRAME, class_name, caption,
                         WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU, x, y, width, height,
                         owner, nullptr, GetModuleHandleW(nullptr), state);
}

bool run_modal(HWND owner, const std::function<HWND()>& create) {
  EnableWindow(owner, FALSE);
  HWND dialog = create();
  if (dialog == nullptr) {
    EnableWindow(owner, TRUE);
    return false;
  }
  MSG msg;
  while (IsWindow(dialog)) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      // The application is quitting: hand the quit back to the main loop.
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
      DestroyWindow(dialog);
      break;
    }
    if (!IsDialogMessageW(dialog, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  EnableWindow(owner, TRUE);
  SetForegroundWindow(owner);
  return true;
}

void* modal_state(HWND hwnd, UINT message, LPARAM lparam) {
  if (message == WM_CREATE) {
    void* state = reinterpret_cast<const CREATESTRUCTW*>(lparam)->lpCreateParams;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    return state;
  }
  return reinterpret_cast<void*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

bool handle_modal_close(HWND hwnd, UINT message, WPARAM wparam,
                        const std::function<void()>& accept) {
  const bool ok = message == WM_COMMAND && LOWORD(wparam) == IDOK;
  const bool cancel = message == WM_CLOSE || (message == WM_COMMAND && LOWORD(wparam) == IDCANCEL);
  if (!ok && !cancel) return false;
  if (ok) accept();
  DestroyWindow(hwnd);
  return true;
}

}  // namespace lumeno
