// The walk settings dialog under Wine: its controls, OK with typed values, Cancel, the close box.
#include <gtest/gtest.h>

#include "tests/windows/win_test_util.h"
#include "walk/walk_dialog_win32.h"

namespace lumeno {
namespace {

TEST(WalkDialog, ControlsShowTheValues) {
  WalkDialogState state;
  state.speed = 2.5f, state.mouse_sensitivity = 0.333f, state.person_height = 1.65f;
  state.step_height = 0.0f, state.mode = 2;
  HWND dialog = create_walk_settings_window(nullptr, &state);
  ASSERT_NE(nullptr, dialog);
  EXPECT_EQ(L"行走设置", wintest::text_of(dialog));
  std::wstring controls;  // each control's text, and its identifier where it has one
  for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    controls += wintest::text_of(c) +
                (GetDlgCtrlID(c) ? L"#" + std::to_wstring(GetDlgCtrlID(c)) : L"") + L";";
  EXPECT_EQ(controls,  // the numbers with two decimals
            L"默认速度;2.50;鼠标灵敏度;0.33;人物高度;1.65;跨越高度;0.00;行走模式;"
            L"自由穿行（无地面/碰撞约束，适合穿过未开门洞）#1002;贴地行走（地面吸附/"
            L"重力，无墙体碰撞）#1003;"
            L"碰撞漫游（贴地 + 基础防穿透）#1004;"
            L"单位按模型单位近似处理；速度可在行走中用滚轮或 +/- 调整，Tab "
            L"可临时切换模式。;确定#1;取消#2;");
  const auto style = [&](int id) { return GetWindowLongPtrW(GetDlgItem(dialog, id), GWL_STYLE); };
  EXPECT_EQ(style(1002) & (WS_GROUP | BS_TYPEMASK), WS_GROUP | BS_AUTORADIOBUTTON);  // a group
  EXPECT_EQ(style(IDOK) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_EQ(BST_CHECKED, SendMessageW(state.radios[2], BM_GETCHECK, 0, 0));

  DestroyWindow(dialog);
}

TEST(WalkDialog, OkReturnsTheTypedValuesAndCancelOrTheCloseBoxChangeNothing) {
  const struct {
    UINT message;
    WPARAM param;
    bool accepted;
  } cases[] = {{WM_COMMAND, IDOK, true}, {WM_COMMAND, IDCANCEL, false}, {WM_CLOSE, 0, false}};
  HWND owner = wintest::make_owner();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message * 10 + c.param);
    wintest::when_window_appears(L"QuorrantWalkSettingsDialog", [&c](HWND dialog) {
      HWND control = GetWindow(dialog, GW_CHILD);  // label, edit, label, edit, ...
      for (const wchar_t* text : {L"200", L"0.01", L"高"}) {
        control = GetWindow(control, GW_HWNDNEXT);
        SetWindowTextW(control, text);
        control = GetWindow(control, GW_HWNDNEXT);
      }
      PostMessageW(dialog, c.message, c.param, 0);
    });
    WalkDialogValues values;  // OK returns what was typed, unclamped; no number reads as 0
    EXPECT_EQ(c.accepted, run_walk_settings_dialog(owner, values));
    EXPECT_EQ(c.accepted ? 200.0f : 3.0f, values.speed);
    EXPECT_FLOAT_EQ(c.accepted ? 0.01f : 0.15f, values.mouse_sensitivity);
    EXPECT_EQ(c.accepted ? 0.0f : 1.65f, values.person_height);
    EXPECT_TRUE(IsWindowEnabled(owner));
  }
  DestroyWindow(owner);
}

}  // namespace
}  // namespace lumeno
