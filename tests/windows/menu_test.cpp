// The real menu bar of the main window, read back through the Win32 menu functions: the items of
// the menu model, check marks after toggles, relabelled items and the layer popup after loads.
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

// The real window, its SDK bound to the full stand-in; the window saves its settings beside the
// test program when it closes, so every test starts from the defaults.
class MenuBar : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(SketchUpAPI::instance().load(wintest::standin_folder("full").c_str()));
  }
  static void TearDownTestSuite() { SketchUpAPI::instance().unload(); }
  static void forget_settings() {
    DeleteFileW((lumeno::get_exe_directory() + L"\\Tessary.ini").c_str());
  }
  void SetUp() override {
    forget_settings();
    ASSERT_TRUE(window_.create(GetModuleHandleW(nullptr), SW_HIDE));
    ASSERT_EQ(GetMenu(window_.hwnd), window_.main_menu);
  }
  void TearDown() override {
    if (window_.hwnd != nullptr) DestroyWindow(window_.hwnd);
    UnregisterClassW(ViewerWindow::kClassName, GetModuleHandleW(nullptr));
    forget_settings();
  }
  void command(unsigned id) { SendMessageW(window_.hwnd, WM_COMMAND, id, 0); }
  void key(unsigned vk) { SendMessageW(window_.hwnd, WM_KEYDOWN, vk, 0); }
  bool checked(unsigned id) {
    return (GetMenuState(window_.main_menu, id, MF_BYCOMMAND) & MF_CHECKED) != 0;
  }
  HMENU layers() { return GetSubMenu(window_.main_menu, 2); }
  void open_model_with_layers(const std::string& layers_json) {
    const std::wstring path = folder_ / L"layers.skp";
    ASSERT_TRUE(wintest::write_file(
        path, R"({"layers":)" + layers_json +
                  R"(,"entities":{"edges":[{"start":[0,0,0],"end":[1,0,0]}]}})"));
    ASSERT_TRUE(window_.viewer.open_file(path));  // synchronous: the menus are built on return
  }

  wintest::TempFolder folder_{L"menu"};
  ViewerWindow window_;
};

TEST_F(MenuBar, TheWindowsMenuIsTheMenuModelAndItsMarksFollow) {
  expect_menu(window_.main_menu,
              lumeno::menu_bar(window_.viewer.commands, window_.input.key_bindings), "bar");
  // Before any model: one grayed placeholder in the layer popup.
  EXPECT_EQ(item_text(layers(), 0), L"（请先打开模型）");
  EXPECT_TRUE(GetMenuState(layers(), 0, MF_BYPOSITION) & MF_GRAYED);
  // A unit item carries a radio mark that moves with the command; a key moves a check mark.
  command(1422);
  EXPECT_TRUE(checked(1422));
  EXPECT_FALSE(checked(1421));
  key('K');
  EXPECT_FALSE(checked(1401));
}

// The layer popup is rebuilt for each model and its marks follow the toggles; the walk item is
// relabelled while walking.
TEST_F(MenuBar, LayerPopupAndWalkItemFollowTheModelAndTheCommands) {
  open_model_with_layers(R"([{"name":""},{"name":""},{"name":"","visible":false}])");
  expect_menu(layers(), lumeno::layer_menu(window_.viewer.document.model), "layers");
  command(1201);
  EXPECT_FALSE(checked(1201));
  EXPECT_GT(window_.viewer.document.revision, 1u);
  command(1201);
  EXPECT_TRUE(checked(1201));
  command(1434);
  EXPECT_EQ(item_text(window_.main_menu, 1434, MF_BYCOMMAND), L"停止行走");
  key(VK_ESCAPE);
  EXPECT_EQ(item_text(window_.main_menu, 1434, MF_BYCOMMAND), L"行走");
}

}  // namespace
