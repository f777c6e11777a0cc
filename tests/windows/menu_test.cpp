// The real menu bar of the main window, read back through the Win32 menu functions: it shows
// the menu model item for item (the model itself is proven by the native suite), its marks
// follow commands and keys, and the layer popup is refilled after loading models.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/windows/bound_sdk_fixture.h"
#include "tests/windows/win_test_util.h"
#include "ui/menu_model.h"
#include "ui/viewer_window.h"

namespace {

using lumeno::MenuItem;
using lumeno::MenuItemKind;

std::wstring item_text(HMENU menu, int position) {
  wchar_t text[256] = {};
  GetMenuStringW(menu, position, text, 256, MF_BYPOSITION);
  return text;
}

// `menu` holds exactly `items`: texts, identifiers, separators, marks, grayed items, popups.
void expect_menu(HMENU menu, const std::vector<MenuItem>& items, const std::wstring& where) {
  ASSERT_EQ(GetMenuItemCount(menu), static_cast<int>(items.size())) << where;
  for (int p = 0; p < static_cast<int>(items.size()); ++p) {
    const MenuItem& want = items[static_cast<size_t>(p)];
    const UINT state = GetMenuState(menu, p, MF_BYPOSITION);
    const std::wstring at = where + L"/" + std::to_wstring(p);
    if (want.kind == MenuItemKind::Separator) {
      EXPECT_TRUE(state & MF_SEPARATOR) << at;
      continue;
    }
    EXPECT_EQ(item_text(menu, p), want.text) << at;
    if (want.kind == MenuItemKind::Popup) {
      HMENU popup = GetSubMenu(menu, p);
      ASSERT_NE(popup, nullptr) << at;
      expect_menu(popup, want.items, at);
      continue;
    }
    EXPECT_EQ(GetSubMenu(menu, p), nullptr) << at;
    EXPECT_EQ(GetMenuItemID(menu, p), want.id) << at;
    EXPECT_EQ((state & MF_CHECKED) != 0, want.checked) << at;
    EXPECT_EQ((state & MF_GRAYED) != 0, want.grayed) << at;
  }
}

class MenuBar : public BoundSdkTest {
 protected:
  MenuBar() : folder_(L"menu") {}
  void SetUp() override {
    window_ = new ViewerWindow();
    ASSERT_TRUE(window_->create(GetModuleHandleW(nullptr), SW_HIDE));
    ASSERT_NE(window_->main_menu, nullptr);
    EXPECT_EQ(GetMenu(window_->hwnd), window_->main_menu);
  }
  void TearDown() override {
    if (window_->hwnd != nullptr) DestroyWindow(window_->hwnd);
    delete window_;
    UnregisterClassW(ViewerWindow::kClassName, GetModuleHandleW(nullptr));
  }
  void command(unsigned id) { SendMessageW(window_->hwnd, WM_COMMAND, id, 0); }
  void key(unsigned vk) { SendMessageW(window_->hwnd, WM_KEYDOWN, vk, 0); }
  bool checked(unsigned id) {
    return (GetMenuState(window_->main_menu, id, MF_BYCOMMAND) & MF_CHECKED) != 0;
  }
  HMENU layers() { return GetSubMenu(window_->main_menu, lumeno::kLayerMenuPosition); }
  void open_model_with_layers(const std::string& layers_json) {
    const std::wstring path = folder_ / L"layers.skp";
    ASSERT_TRUE(wintest::write_file(
        path, R"({"layers":)" + layers_json +
                  R"(,"entities":{"edges":[{"start":[0,0,0],"end":[1,0,0]}]}})"));
    ASSERT_TRUE(window_->open_file(path));
  }

  wintest::TempFolder folder_;
  ViewerWindow* window_ = nullptr;
};

TEST_F(MenuBar, ShowsTheMenuModel) { expect_menu(window_->main_menu, lumeno::menu_bar(), L""); }

TEST_F(MenuBar, MarksFollowCommandsAndKeys) {
  // Each step flips the mark of `id`; a key reaches the same command as the menu.
  const struct {
    bool by_key;
    unsigned code, id;
  } steps[] = {{false, 1401, 1401}, {true, 'K', 1401},   {true, 'M', 1402},
               {true, 'G', 1403},   {false, 1404, 1404}, {true, VK_F8, 1406},
               {false, 1432, 1406}, {false, 1408, 1408}, {true, 'P', 1409}};
  for (const auto& s : steps) {
    const bool before = checked(s.id);
    s.by_key ? key(s.code) : command(s.code);
    EXPECT_NE(checked(s.id), before) << s.code;
  }
  // Reversed light, the lock and the layouts carry no mark.
  key('H');
  key('L');
  command(1413);
  for (unsigned id : {1405u, 1414u, 1413u}) EXPECT_FALSE(checked(id)) << id;
}

TEST_F(MenuBar, ThemeCommandRelabelsTheBarItem) {
  for (bool night : {true, false}) {
    command(1430);
    EXPECT_EQ(item_text(window_->main_menu, 4), lumeno::theme_item_text(night));
  }
}

TEST_F(MenuBar, LayerPopupIsRefilledForEachModelAndToggles) {
  std::string many = "[";
  for (int i = 0; i < 250; ++i)
    many += std::string(i ? "," : "") + R"({"name":"L)" + std::to_string(i) + R"("})";
  many += "]";
  for (const std::string& json :
       {std::string("[]"), many,
        std::string(R"([{"name":""},{"name":""},{"name":"","visible":false}])")}) {
    open_model_with_layers(json);
    expect_menu(layers(), lumeno::layer_menu(window_->viewer.model), L"layers");
  }
  EXPECT_EQ(GetMenuItemCount(layers()), 3);
  command(1201);
  EXPECT_FALSE(checked(1201));
  EXPECT_FALSE(window_->viewer.display_list_valid);
  command(1201);
  EXPECT_TRUE(checked(1201));
}

}  // namespace
