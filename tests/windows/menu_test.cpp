// The real menu bar of the main window, read back through the Win32 menu functions: texts,
// identifiers, order, check marks after toggles, and the layer popup after loading models.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/windows/bound_sdk_fixture.h"
#include "tests/windows/win_test_util.h"
#include "ui/viewer_window.h"

namespace {

struct Expected {
  const wchar_t* text;  // null: a separator
  unsigned id;
  bool checked;
};

// The menus as a user must find them.
const std::vector<Expected> kFile = {
    {L"打开模型(&O)\tO", 1001, false}, {nullptr, 0, false}, {L"用 SketchUp 打开", 1002, false},
    {nullptr, 0, false},               {L"另存低版本", 1003, false}};
const std::vector<Expected> kView = {
    {L"适配窗口\tF", 1400, false},     {nullptr, 0, false},
    {L"显示边线\tK", 1401, true},      {L"显示材质\tM", 1402, true},
    {L"光照\tG", 1403, true},          {L"阴影\tS", 1404, false},
    {L"反转阴影方向\tH", 1405, false}, {nullptr, 0, false},
    {L"透视/正交\tF8", 1406, true},    {L"视角...", 1407, false},
    {L"缩放穿透", 1408, false},        {L"性能模式\tP", 1409, false},
    {nullptr, 0, false},               {L"单窗口\t1", 1410, false},
    {L"左右分屏\t2", 1411, false},     {L"一大两小\t3", 1412, false},
    {L"四窗口\t4", 1413, false},       {nullptr, 0, false},
    {L"锁定视角\tL", 1414, false},     {L"打开/关闭列表\tF3", 1415, false},
    {nullptr, 0, false},               {L"模型信息", 1429, false}};
const std::vector<Expected> kSettings = {{L"偏好设置...", 1435, false},
                                         {L"行走设置...", 1436, false},
                                         {L"快捷键设置...", 1437, false},
                                         {nullptr, 0, false},
                                         {L"清理 viewer 缓存", 1438, false}};
const std::vector<Expected> kHelp = {{L"使用说明", 1444, false}, {L"关于", 1445, false}};

std::wstring item_text(HMENU menu, int position) {
  wchar_t text[256] = {};
  GetMenuStringW(menu, position, text, 256, MF_BYPOSITION);
  return text;
}

bool is_checked(HMENU menu, int position) {
  return (GetMenuState(menu, position, MF_BYPOSITION) & MF_CHECKED) != 0;
}

void expect_popup(HMENU popup, const std::vector<Expected>& expected, const char* name) {
  ASSERT_NE(popup, nullptr) << name;
  ASSERT_EQ(GetMenuItemCount(popup), static_cast<int>(expected.size())) << name;
  for (size_t i = 0; i < expected.size(); ++i) {
    const int p = static_cast<int>(i);
    const UINT state = GetMenuState(popup, p, MF_BYPOSITION);
    if (expected[i].text == nullptr) {
      EXPECT_TRUE(state & MF_SEPARATOR) << name << " " << i;
      continue;
    }
    EXPECT_EQ(item_text(popup, p), expected[i].text) << name << " " << i;
    EXPECT_EQ(GetMenuItemID(popup, p), expected[i].id) << name << " " << i;
    EXPECT_EQ(is_checked(popup, p), expected[i].checked) << name << " " << i;
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
  HMENU layers() { return GetSubMenu(window_->main_menu, 2); }
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

TEST_F(MenuBar, ItemsTextsIdentifiersOrderAndInitialMarks) {
  HMENU bar = window_->main_menu;
  ASSERT_EQ(GetMenuItemCount(bar), 11);
  const wchar_t* popups[] = {L"文件(&F)", L"视图(&V)", L"图层(&L)", L"设置(&T)"};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(item_text(bar, i), popups[i]) << i;
  expect_popup(GetSubMenu(bar, 0), kFile, "file");
  expect_popup(GetSubMenu(bar, 1), kView, "view");
  expect_popup(GetSubMenu(bar, 3), kSettings, "settings");
  EXPECT_EQ(item_text(bar, 10), L"帮助(&H)");
  expect_popup(GetSubMenu(bar, 10), kHelp, "help");

  const Expected bar_items[] = {{L"☀ 日间", 1430, false}, {L"▣ 适配", 1431, false},
                                {L"◇ 透视", 1432, false}, {L"视角", 1407, false},
                                {L"↔ 测距", 1433, false}, {L"行走", 1434, false}};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(GetSubMenu(bar, 4 + i), nullptr) << i;
    EXPECT_EQ(item_text(bar, 4 + i), bar_items[i].text) << i;
    EXPECT_EQ(GetMenuItemID(bar, 4 + i), bar_items[i].id) << i;
  }

  // Before any model: one grayed placeholder.
  ASSERT_EQ(GetMenuItemCount(layers()), 1);
  EXPECT_EQ(item_text(layers(), 0), L"（请先打开模型）");
  EXPECT_TRUE(GetMenuState(layers(), 0, MF_BYPOSITION) & MF_GRAYED);
  EXPECT_EQ(GetMenuItemID(layers(), 0), 0u);
}

TEST_F(MenuBar, MarksFollowCommandsAndKeys) {
  command(1401);
  EXPECT_FALSE(checked(1401));
  key('K');
  EXPECT_TRUE(checked(1401));
  key('M');
  EXPECT_FALSE(checked(1402));
  key('G');
  EXPECT_FALSE(checked(1403));
  command(1404);
  EXPECT_TRUE(checked(1404));
  key(VK_F8);
  EXPECT_FALSE(checked(1406));
  command(1432);  // the bar's projection item toggles the same mark
  EXPECT_TRUE(checked(1406));
  command(1408);
  EXPECT_TRUE(checked(1408));
  key('P');
  EXPECT_TRUE(checked(1409));
  // Reversed light, the lock and the layouts carry no mark.
  key('H');
  key('L');
  command(1413);
  EXPECT_FALSE(checked(1405));
  EXPECT_FALSE(checked(1414));
  EXPECT_FALSE(checked(1413));
}

TEST_F(MenuBar, ThemeCommandRelabelsTheBarItem) {
  command(1430);
  EXPECT_EQ(item_text(window_->main_menu, 4), L"☾ 夜间");
  command(1430);
  EXPECT_EQ(item_text(window_->main_menu, 4), L"☀ 日间");
}

TEST_F(MenuBar, LayerPopupForNoLayers) {
  open_model_with_layers("[]");
  ASSERT_EQ(GetMenuItemCount(layers()), 1);
  EXPECT_EQ(item_text(layers(), 0), L"（无图层）");
  EXPECT_TRUE(GetMenuState(layers(), 0, MF_BYPOSITION) & MF_GRAYED);
}

TEST_F(MenuBar, LayerPopupForThreeUnnamedLayersAndToggling) {
  open_model_with_layers(R"([{"name":""},{"name":""},{"name":"","visible":false}])");
  ASSERT_EQ(GetMenuItemCount(layers()), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(item_text(layers(), i), L"图层 " + std::to_wstring(i));
    EXPECT_EQ(GetMenuItemID(layers(), i), 1200u + i);
  }
  EXPECT_TRUE(is_checked(layers(), 0));
  EXPECT_TRUE(is_checked(layers(), 1));
  EXPECT_FALSE(is_checked(layers(), 2));
  command(1201);
  EXPECT_FALSE(is_checked(layers(), 1));
  EXPECT_FALSE(window_->viewer.display_list_valid);
  command(1201);
  EXPECT_TRUE(is_checked(layers(), 1));
}

TEST_F(MenuBar, LayerPopupStopsAtTwoHundredOfTwoHundredFifty) {
  std::string json = "[";
  for (int i = 0; i < 250; ++i) json += std::string(i ? "," : "") + "{\"name\":\"L" + std::to_string(i) + "\"}";
  json += "]";
  open_model_with_layers(json);
  ASSERT_EQ(GetMenuItemCount(layers()), 200);
  EXPECT_EQ(item_text(layers(), 0), L"L0");
  EXPECT_EQ(GetMenuItemID(layers(), 199), 1399u);
  EXPECT_EQ(item_text(layers(), 199), L"L199");
}

}  // namespace
