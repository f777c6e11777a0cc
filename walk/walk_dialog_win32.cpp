#include "walk/walk_dialog_win32.h"

#include <cstdlib>

#include "core/bounded_format.h"
#include "core/modal_window_win32.h"

namespace lumeno {

namespace {

const wchar_t kClassName[] = L"QuorrantWalkSettingsDialog";
constexpr int kWidth = 345;
constexpr int kHeight = 380;
constexpr size_t kNumberChars = 64;

struct ControlDef {
  const wchar_t* cls;
  const wchar_t* text;  // null: the edit's value
  int x, y, w, h;
  DWORD style;
  DWORD ex_style;
  int id;
};

constexpr DWORD kEditStyle = WS_TABSTOP | ES_AUTOHSCROLL;

const ControlDef kControls[] = {
    {L"STATIC", L"默认速度", 12, 16, 92, 22, 0, 0, 0},
    {L"EDIT", nullptr, 108, 12, 92, 26, kEditStyle, WS_EX_CLIENTEDGE, 0},
    {L"STATIC", L"鼠标灵敏度", 12, 48, 92, 22, 0, 0, 0},
    {L"EDIT", nullptr, 108, 44, 92, 26, kEditStyle, WS_EX_CLIENTEDGE, 0},
    {L"STATIC", L"人物高度", 12, 80, 92, 22, 0, 0, 0},
    {L"EDIT", nullptr, 108, 76, 92, 26, kEditStyle, WS_EX_CLIENTEDGE, 0},
    {L"STATIC", L"跨越高度", 12, 112, 92, 22, 0, 0, 0},
    {L"EDIT", nullptr, 108, 108, 92, 26, kEditStyle, WS_EX_CLIENTEDGE, 0},
    {L"BUTTON", L"行走模式", 12, 146, 300, 104, BS_GROUPBOX, 0, 0},
    {L"BUTTON", L"自由穿行（无地面/碰撞约束，适合穿过未开门洞）", 24, 168, 276, 22,
     BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, 0, kWalkRadioFree},
    {L"BUTTON", L"贴地行走（地面吸附/重力，无墙体碰撞）", 24, 194, 276, 22,
     BS_AUTORADIOBUTTON | WS_TABSTOP, 0, kWalkRadioGround},
    {L"BUTTON", L"碰撞漫游（贴地 + 基础防穿透）", 24, 220, 276, 22, BS_AUTORADIOBUTTON | WS_TABSTOP,
     0, kWalkRadioCollision},
    {L"STATIC", L"单位按模型单位近似处理；速度可在行走中用滚轮或 +/- 调整，Tab 可临时切换模式。",
     12, 258, 300, 34, 0, 0, 0},
    {L"BUTTON", L"确定", 82, 304, 72, 28, BS_DEFPUSHBUTTON | WS_TABSTOP, 0, IDOK},
    {L"BUTTON", L"取消", 166, 304, 72, 28, BS_PUSHBUTTON | WS_TABSTOP, 0, IDCANCEL},
};

float* edit_value(WalkDialogState& s, int index) {
  float* values[4] = {&s.speed, &s.mouse_sensitivity, &s.person_height, &s.step_height};
  return values[index];
}

void create_controls(HWND dialog, WalkDialogState& s) {
  const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE));
  const HGDIOBJ font = GetStockObject(DEFAULT_GUI_FONT);
  int edit = 0, radio = 0;
  for (const ControlDef& c : kControls) {
    wchar_t number[kNumberChars] = {};
    const wchar_t* text = c.text;
    if (text == nullptr) {
      format_bounded(number, kNumberChars, L"%.2f", static_cast<double>(*edit_value(s, edit)));
      text = number;
    }
    HWND control = CreateWindowExW(
        c.ex_style, c.cls, text, WS_CHILD | WS_VISIBLE | c.style, c.x, c.y, c.w, c.h, dialog,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), instance, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (c.text == nullptr) s.edits[edit++] = control;
    if (c.id >= kWalkRadioFree && c.id <= kWalkRadioCollision) s.radios[radio++] = control;
  }
  const int mode = s.mode <= 0 ? 0 : (s.mode >= 2 ? 2 : 1);
  SendMessageW(s.radios[mode], BM_SETCHECK, BST_CHECKED, 0);
  SetFocus(s.edits[0]);
  SendMessageW(s.edits[0], EM_SETSEL, 0, -1);
}

void read_controls(WalkDialogState& s) {
  for (int i = 0; i < 4; ++i) {
    wchar_t text[kNumberChars + 1] = {};
    GetWindowTextW(s.edits[i], text, static_cast<int>(kNumberChars));
    *edit_value(s, i) = static_cast<float>(_wtof(text));
  }
  if (SendMessageW(s.radios[0], BM_GETCHECK, 0, 0) == BST_CHECKED) {
    s.mode = 0;
  } else if (SendMessageW(s.radios[2], BM_GETCHECK, 0, 0) == BST_CHECKED) {
    s.mode = 2;
  } else {
    s.mode = 1;
  }
  s.accepted = true;
}

LRESULT CALLBACK WalkSettingsDialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* state = static_cast<WalkDialogState*>(modal_state(hwnd, msg, lp));
  if (msg == WM_CREATE) {
    if (state != nullptr) create_controls(hwnd, *state);
    return 0;
  }
  const auto accept = [state] {
    if (state != nullptr) read_controls(*state);
  };
  if (handle_modal_close(hwnd, msg, wp, accept)) return 0;
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

HWND create_walk_settings_window(HWND owner, WalkDialogState* state) {
  register_modal_class(kClassName, WalkSettingsDialogProc);
  return create_modal_window(owner, kClassName, L"行走设置", kWidth, kHeight, state);
}

bool run_walk_settings_dialog(HWND owner, WalkDialogValues& values) {
  WalkDialogState state;
  state.speed = values.speed;
  state.mouse_sensitivity = values.mouse_sensitivity;
  state.person_height = values.person_height;
  state.step_height = values.step_height;
  state.mode = values.mode <= 0 ? 0 : (values.mode >= 2 ? 2 : values.mode);
  if (!run_modal(owner, [&] { return create_walk_settings_window(owner, &state); })) {
    MessageBoxW(owner, L"无法打开行走设置窗口。", L"行走设置", MB_OK | MB_ICONERROR);
    return false;
  }
  if (!state.accepted) return false;
  values.speed = state.speed;
  values.mouse_sensitivity = state.mouse_sensitivity;
  values.person_height = state.person_height;
  values.step_height = state.step_height;
  values.mode = state.mode;
  return true;
}

}  // namespace lumeno
