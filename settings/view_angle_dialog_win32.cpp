#include "settings/view_angle_dialog_win32.h"

#include <string>

#include "core/modal_window_win32.h"
#include "settings/info_texts.h"
#include "settings/lenient_number.h"

namespace lumeno {
namespace {

constexpr int kWidth = 280;
constexpr int kHeight = 122;
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
  auto* state = static_cast<ViewAngleState*>(modal_state(hwnd, message, lparam));
  if (message == WM_CREATE) {
    const HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    const std::wstring value = view_angle_edit_text(state != nullptr ? state->fov : 0.0f);
    make_control(hwnd, L"STATIC", L"视角", 12, 16, 54, 22, 0, 0, 0, font);
    HWND edit = make_control(hwnd, L"EDIT", value.c_str(), 68, 12, 150, 26,
                             WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, kViewAngleEditId, font);
    make_control(hwnd, L"STATIC", L"度", 224, 16, 24, 22, 0, 0, 0, font);
    make_control(hwnd, L"BUTTON", L"确定", 68, 54, 70, 26, BS_DEFPUSHBUTTON | WS_TABSTOP, 0, IDOK,
                 font);
    make_control(hwnd, L"BUTTON", L"取消", 148, 54, 70, 26, BS_PUSHBUTTON | WS_TABSTOP, 0, IDCANCEL,
                 font);
    if (state != nullptr) state->edit = edit;
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    return 0;
  }
  const auto accept = [state] {
    if (state == nullptr || state->edit == nullptr) return;
    wchar_t text[kEditTextSize + 1] = {};
    GetWindowTextW(state->edit, text, kEditTextSize + 1);
    state->typed = read_number(text);
    state->accepted = true;
  };
  if (handle_modal_close(hwnd, message, wparam, accept)) return 0;
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

}  // namespace

DialogOutcome run_view_angle_dialog(HWND owner, float fov, double* typed) {
  register_modal_class(kViewAngleDialogClass, ViewAngleDialogProc);
  ViewAngleState state = {fov, 0.0, false, nullptr};
  const bool shown = run_modal(owner, [&] {
    return create_modal_window(owner, kViewAngleDialogClass, L"数值", kWidth, kHeight, &state);
  });
  if (!shown) return DialogOutcome::Failed;
  if (!state.accepted) return DialogOutcome::Cancelled;
  *typed = state.typed;
  return DialogOutcome::Accepted;
}

}  // namespace lumeno
