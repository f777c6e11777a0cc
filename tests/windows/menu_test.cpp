// The real menu bar of the main window, read back through the Win32 menu functions: the items of
// the menu model with its marks after commands, the layer popup after a load, the walk item.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sdk/sketchup_api.h"
#include "tests/windows/win_test_util.h"
#include "ui/viewer_window.h"

namespace {

std::wstring item_text(HMENU menu, UINT item, UINT by = MF_BYPOSITION) {
  wchar_t text[256] = {};
  GetMenuStringW(menu, item, text, 256, by);
  return text;
}

// The Win32 menu holds exactly the items the menu model describes, with their marks and gray.
void expect_menu(HMENU menu, const std::vector<lumeno::MenuItem>& items, const std::string& where) {
  ASSERT_NE(menu, nullptr) << where;
  ASSERT_EQ(GetMenuItemCount(menu), static_cast<int>(items.size())) << where;
  for (size_t i = 0; i < items.size(); ++i) {
    const int p = static_cast<int>(i);
    const lumeno::MenuItem& item = items[i];
    const std::string at = where + "/" + std::to_string(i);
    const UINT state = GetMenuState(menu, p, MF_BYPOSITION);
    if (item.kind == lumeno::MenuItemKind::Separator) {
      EXPECT_TRUE(state & MF_SEPARATOR) << at;
      continue;
    }
    EXPECT_EQ(item_text(menu, p), item.text) << at;
    if (item.kind == lumeno::MenuItemKind::Popup) {
      expect_menu(GetSubMenu(menu, p), item.items, at);
      continue;
    }
    EXPECT_EQ(GetMenuItemID(menu, p), item.id) << at;
    EXPECT_EQ((state & MF_CHECKED) != 0, item.checked) << at;
    EXPECT_EQ((state & MF_GRAYED) != 0, item.grayed) << at;
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoW(menu, static_cast<UINT>(p), TRUE, &info);
    EXPECT_EQ((info.fType & MFT_RADIOCHECK) != 0, item.radio) << at;
  }
}

// The real window, its SDK bound to the full stand-in; it saves its settings beside the test
// program when it closes, so the file goes before and after.
TEST(MenuBar, FollowsTheMenuModelTheLoadedLayersAndTheWalk) {
  const std::wstring ini = lumeno::get_exe_directory() + L"\\Tessary.ini";
  ASSERT_TRUE(SketchUpAPI::instance().load(wintest::standin_folder("full").c_str()));
  DeleteFileW(ini.c_str());
  ViewerWindow window;
  ASSERT_TRUE(window.create(GetModuleHandleW(nullptr), SW_HIDE));
  ASSERT_EQ(GetMenu(window.hwnd), window.main_menu);
  const auto command = [&](unsigned id) { SendMessageW(window.hwnd, WM_COMMAND, id, 0); };
  command(1422);                                  // a unit: the radio mark moves
  SendMessageW(window.hwnd, WM_KEYDOWN, 'K', 0);  // edges: the check mark goes
  expect_menu(window.main_menu, lumeno::menu_bar(window.viewer.commands, window.input.key_bindings),
              "bar");
  EXPECT_TRUE(GetMenuState(window.main_menu, 1422, MF_BYCOMMAND) & MF_CHECKED);

  wintest::TempFolder folder(L"menu");
  ASSERT_TRUE(wintest::write_file(folder / L"layers.skp",
                                  R"({"layers":[{"name":""},{"name":"","visible":false}],)"
                                  R"("entities":{"edges":[{"start":[0,0,0],"end":[1,0,0]}]}})"));
  ASSERT_TRUE(window.viewer.open_file(folder / L"layers.skp"));  // menus are rebuilt on return
  expect_menu(GetSubMenu(window.main_menu, 2), lumeno::layer_menu(window.viewer.document.model),
              "layers");
  // The window hands its mouse messages to the viewer: a right drag orbits the active pane.
  const float yaw = window.viewer.active_camera().yaw;
  SendMessageW(window.hwnd, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(200, 200));
  SendMessageW(window.hwnd, WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(260, 200));
  SendMessageW(window.hwnd, WM_RBUTTONUP, 0, MAKELPARAM(260, 200));
  EXPECT_NE(window.viewer.active_camera().yaw, yaw);
  command(1434);
  EXPECT_EQ(item_text(window.main_menu, 1434, MF_BYCOMMAND), L"停止行走");
  SendMessageW(window.hwnd, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(item_text(window.main_menu, 1434, MF_BYCOMMAND), L"行走");

  DestroyWindow(window.hwnd);
  UnregisterClassW(ViewerWindow::kClassName, GetModuleHandleW(nullptr));
  DeleteFileW(ini.c_str());
  SketchUpAPI::instance().unload();
}

}  // namespace
