#include "settings/view_angle_dialog_win32.h"

#include <string>

#include "settings/info_texts.h"
#include "settings/lenient_number.h"

namespace lumeno {
namespace {

constexpr int kWidth = 280;
constexpr int kHeight = 122;
constexpr int kIconResource = 101;
constexpr int kEditTextSize = 64;

// Handed to the dialog as its creation parameter.
struct ViewAngleState {
  float fov;      // in: the camera's field of view
  double typed;   // out: the number typed (kept wide so a huge entry clamps to the maximum)
  bool accepted;  // true only after OK
  HWND edit;      // the edit control
};

HWND make_control(HWND parent, const wchar_t* cls, const wchar_t* text, int x, int y, int w, int h,
                  DWORD style, DWORD ex_style, int id, HFONT font) {
  HWND control = CreateWindowExW(ex_style, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h,
                                 parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleW(nullptr), nullptr);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  return control;
}

LRESULT CALLBACK ViewAngleDialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* state = reinterpret_cast<ViewAngleState*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  switch (message) {
    case WM_CREATE: {
      const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
      state = static_cast<ViewAngleState*>(create->lpCreateParams);
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
      const HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
      const std::wstring value = view_angle_edit_text(state != nullptr ? state->fov : 0.0f);
      make_control(hwnd, L"STATIC", L"视角", 12, 16, 54, 22, 0, 0, 0, font);
      HWND edit =
          make_control(hwnd, L"EDIT", value.c_str(), 68, 12, 150, 26, WS_TABSTOP | ES_AUTOHSCROLL,
                       WS_EX_CLIENTEDGE, kViewAngleEditId, font);
      make_control(hwnd, L"STATIC", L"度", 224, 16, 24, 22, 0, 0, 0, font);
      make_control(hwnd, L"BUTTON", L"确定", 68, 54, 70, 26, BS_DEFPUSHBUTTON | WS_TABSTOP, 0, IDOK,
                   font);
      make_control(hwnd, L"BUTTON", L"取消", 148, 54, 70, 26, BS_PUSHBUTTON | WS_TABSTOP, 0,
                   IDCANCEL, font);
      if (state != nullptr) state->edit = edit;
      SetFocus(edit);
      SendMessageW(edit, EM_SETSEL, 0, -1);
      return 0;
    }
    case WM_COMMAND:
      if (LOWORD(wparam) == IDOK) {
        if (state != nullptr && state->edit != nullptr) {
          wchar_t text[kEditTextSize + 1] = {};
          GetWindowTextW(state->edit, text, kEditTextSize + 1);
          state->typed = read_number(text);
          state->accepted = true;
        }
        DestroyWindow(hwnd);
        return 0;
      }
      if (LOWORD(wparam) == IDCANCEL) {
        DestroyWindow(hwnd);
        return 0;
      }
      break;
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

void register_class_once(HINSTANCE instance) {
  static bool registered = false;
  if (registered) return;
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = ViewAngleDialogProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kIconResource));
  wc.hIconSm = wc.hIcon;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  wc.lpszClassName = kViewAngleDialogClass;
  registered = RegisterClassExW(&wc) != 0;
}

}  // namespace

DialogOutcome run_view_angle_dialog(HWND owner, float fov, double* typed) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  register_class_once(instance);
  RECT frame = {};
  GetWindowRect(owner, &frame);
  ViewAngleState state = {fov, 0.0, false, nullptr};
  const int x = frame.left + (frame.right - frame.left - kWidth) / 2;
  const int y = frame.top + (frame.bottom - frame.top - kHeight) / 2;

  EnableWindow(owner, FALSE);
  HWND dialog = CreateWindowExW(WS_EX_DLGMODALFRAME, kViewAngleDialogClass, L"数值",
                                WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU, x, y, kWidth,
                                kHeight, owner, nullptr, instance, &state);
  if (dialog == nullptr) {
    EnableWindow(owner, TRUE);
    return DialogOutcome::Failed;
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
  if (!state.accepted) return DialogOutcome::Cancelled;
  *typed = state.typed;
  return DialogOutcome::Accepted;
}

}  // namespace lumeno
