// The walk settings dialog under Wine: its controls, OK with typed values, Cancel and the close
// box.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "walk/walk_dialog_win32.h"

namespace lumeno {
namespace {

std::wstring text_of(HWND w) {
  wchar_t buffer[256] = {};
  GetWindowTextW(w, buffer, 256);
  return buffer;
}

HWND make_owner() {
  return CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 800,
                         600, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

TEST(WalkDialog, BuildsEveryControlAsTheWindowShowsIt) {
  struct Expect {
    const wchar_t* cls;
    const wchar_t* text;
    RECT rect;  // x, y, width, height
    DWORD style;
    int id;
  } expected[] = {
      {L"Static", L"默认速度", {12, 16, 92, 22}, 0, 0},
      {L"Edit", L"2.50", {108, 12, 92, 26}, WS_TABSTOP | ES_AUTOHSCROLL, 0},
      {L"Static", L"鼠标灵敏度", {12, 48, 92, 22}, 0, 0},
      {L"Edit", L"0.33", {108, 44, 92, 26}, WS_TABSTOP | ES_AUTOHSCROLL, 0},
      {L"Static", L"人物高度", {12, 80, 92, 22}, 0, 0},
      {L"Edit", L"1.65", {108, 76, 92, 26}, WS_TABSTOP | ES_AUTOHSCROLL, 0},
      {L"Static", L"跨越高度", {12, 112, 92, 22}, 0, 0},
      {L"Edit", L"0.00", {108, 108, 92, 26}, WS_TABSTOP | ES_AUTOHSCROLL, 0},
      {L"Button", L"行走模式", {12, 146, 300, 104}, BS_GROUPBOX, 0},
      {L"Button",
       L"自由穿行（无地面/碰撞约束，适合穿过未开门洞）",
       {24, 168, 276, 22},
       BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP,
       1002},
      {L"Button",
       L"贴地行走（地面吸附/重力，无墙体碰撞）",
       {24, 194, 276, 22},
       BS_AUTORADIOBUTTON | WS_TABSTOP,
       1003},
      {L"Button",
       L"碰撞漫游（贴地 + 基础防穿透）",
       {24, 220, 276, 22},
       BS_AUTORADIOBUTTON | WS_TABSTOP,
       1004},
      {L"Static",
       L"单位按模型单位近似处理；速度可在行走中用滚轮或 +/- 调整，Tab 可临时切换模式。",
       {12, 258, 300, 34},
       0,
       0},
      {L"Button", L"确定", {82, 304, 72, 28}, BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK},
      {L"Button", L"取消", {166, 304, 72, 28}, BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL},
  };
  WalkDialogState state;
  state.speed = 2.5f, state.mouse_sensitivity = 0.333f, state.person_height = 1.65f;
  state.step_height = 0.0f, state.mode = 2;
  HWND dialog = create_walk_settings_window(nullptr, &state, 50, 50);
  ASSERT_NE(nullptr, dialog);
  EXPECT_EQ(L"行走设置", text_of(dialog));
  RECT outer;
  GetWindowRect(dialog, &outer);
  EXPECT_EQ(345, outer.right - outer.left);
  EXPECT_EQ(380, outer.bottom - outer.top);

  HWND child = GetWindow(dialog, GW_CHILD);
  for (const Expect& e : expected) {
    SCOPED_TRACE(testing::Message() << static_cast<const void*>(e.text) << " " << e.rect.top);
    ASSERT_NE(nullptr, child);
    wchar_t cls[64] = {};
    GetClassNameW(child, cls, 64);
    EXPECT_EQ(0, lstrcmpiW(e.cls, cls));
    EXPECT_TRUE(text_of(child) == e.text);
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(e.rect.left, r.left);
    EXPECT_EQ(e.rect.top, r.top);
    EXPECT_EQ(e.rect.right, r.right - r.left);
    EXPECT_EQ(e.rect.bottom, r.bottom - r.top);
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(child, GWL_STYLE));
    EXPECT_EQ(WS_CHILD | WS_VISIBLE | e.style, style & (WS_CHILD | WS_VISIBLE | e.style));
    EXPECT_EQ(e.id, GetDlgCtrlID(child));
    child = GetWindow(child, GW_HWNDNEXT);
  }
  EXPECT_EQ(BST_UNCHECKED, SendMessageW(state.radios[0], BM_GETCHECK, 0, 0));
  EXPECT_EQ(BST_CHECKED, SendMessageW(state.radios[2], BM_GETCHECK, 0, 0));

  // OK reads what was typed; text that is no number reads as 0.
  SetWindowTextW(state.edits[0], L"200");
  SetWindowTextW(state.edits[1], L"0.01");
  SetWindowTextW(state.edits[2], L"高");
  SendMessageW(state.radios[2], BM_SETCHECK, BST_UNCHECKED, 0);
  SendMessageW(state.radios[0], BM_SETCHECK, BST_CHECKED, 0);
  SendMessageW(dialog, WM_COMMAND, IDOK, 0);
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_TRUE(state.accepted);
  EXPECT_EQ(200.0f, state.speed);
  EXPECT_FLOAT_EQ(0.01f, state.mouse_sensitivity);
  EXPECT_EQ(0.0f, state.person_height);
  EXPECT_EQ(0.0f, state.step_height);
  EXPECT_EQ(0, state.mode);
}

// Closes the open dialog from inside its modal loop the way a user would.
UINT g_close_message = 0;
WPARAM g_close_param = 0;
void CALLBACK close_dialog(HWND, UINT, UINT_PTR id, DWORD) {
  HWND dialog = FindWindowW(L"QuorrantWalkSettingsDialog", nullptr);
  if (dialog == nullptr) return;
  KillTimer(nullptr, id);
  HWND speed = GetWindow(GetWindow(dialog, GW_CHILD), GW_HWNDNEXT);
  SetWindowTextW(speed, L"12.5");
  PostMessageW(dialog, g_close_message, g_close_param, 0);
}

TEST(WalkDialog, OkReturnsTheTypedValuesAndCancelOrTheCloseBoxChangeNothing) {
  struct Case {
    UINT message;
    WPARAM param;
    bool accepted;
  } cases[] = {{WM_COMMAND, IDOK, true}, {WM_COMMAND, IDCANCEL, false}, {WM_CLOSE, 0, false}};
  HWND owner = make_owner();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message * 10 + c.param);
    g_close_message = c.message, g_close_param = c.param;
    SetTimer(nullptr, 0, 30, close_dialog);
    WalkDialogValues values;
    values.speed = 3.0f;
    EXPECT_EQ(c.accepted, run_walk_settings_dialog(owner, values));
    EXPECT_EQ(c.accepted ? 12.5f : 3.0f, values.speed);
    EXPECT_TRUE(IsWindowEnabled(owner));
  }
  DestroyWindow(owner);
}

}  // namespace
}  // namespace lumeno
