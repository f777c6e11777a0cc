// The menu bar as data: every item in order, the layer menu for a model, the check marks.
#include "ui/menu_model.h"

#include <gtest/gtest.h>

#include <string>

#include "model/skp_model.h"
#include "tests/native/ui/recording_host.h"
#include "ui/commands.h"
#include "ui/viewer.h"

namespace lumeno {
namespace {

// One line per item, depth-first: "<popup>/<text>|<id>|<marks>", separators as "-".
std::vector<std::wstring> flatten(const std::vector<MenuItem>& items, const std::wstring& path) {
  std::vector<std::wstring> lines;
  for (const MenuItem& item : items) {
    switch (item.kind) {
      case MenuItemKind::Separator:
        lines.push_back(path + L"-");
        break;
      case MenuItemKind::Popup: {
        lines.push_back(path + item.text + L" >");
        const std::vector<std::wstring> inner = flatten(item.items, path + item.text + L"/");
        lines.insert(lines.end(), inner.begin(), inner.end());
        break;
      }
      case MenuItemKind::Command:
        lines.push_back(path + item.text + L"|" + std::to_wstring(item.id) +
                        (item.checked ? L"|v" : L"") + (item.grayed ? L"|gray" : L""));
        break;
    }
  }
  return lines;
}

TEST(MenuBar, EveryItemTextIdentifierAndInitialMarkInOrder) {
  const std::vector<std::wstring> want = {
      L"文件(&F) >",
      L"文件(&F)/打开模型(&O)\tO|1001",
      L"文件(&F)/-",
      L"文件(&F)/用 SketchUp 打开|1002",
      L"文件(&F)/-",
      L"文件(&F)/另存低版本|1003",
      L"视图(&V) >",
      L"视图(&V)/适配窗口\tF|1400",
      L"视图(&V)/-",
      L"视图(&V)/显示边线\tK|1401|v",
      L"视图(&V)/显示材质\tM|1402|v",
      L"视图(&V)/光照\tG|1403|v",
      L"视图(&V)/阴影\tS|1404",
      L"视图(&V)/反转阴影方向\tH|1405",
      L"视图(&V)/-",
      L"视图(&V)/透视/正交\tF8|1406|v",
      L"视图(&V)/视角...|1407",
      L"视图(&V)/缩放穿透|1408",
      L"视图(&V)/性能模式\tP|1409",
      L"视图(&V)/-",
      L"视图(&V)/单窗口\t1|1410",
      L"视图(&V)/左右分屏\t2|1411",
      L"视图(&V)/一大两小\t3|1412",
      L"视图(&V)/四窗口\t4|1413",
      L"视图(&V)/-",
      L"视图(&V)/锁定视角\tL|1414",
      L"视图(&V)/打开/关闭列表\tF3|1415",
      L"视图(&V)/-",
      L"视图(&V)/模型信息|1429",
      L"图层(&L) >",
      L"图层(&L)/（请先打开模型）|0|gray",
      L"设置(&T) >",
      L"设置(&T)/偏好设置...|1435",
      L"设置(&T)/行走设置...|1436",
      L"设置(&T)/快捷键设置...|1437",
      L"设置(&T)/-",
      L"设置(&T)/清理 viewer 缓存|1438",
      L"☀ 日间|1430",
      L"▣ 适配|1431",
      L"◇ 透视|1432",
      L"视角|1407",
      L"↔ 测距|1433",
      L"行走|1434",
      L"帮助(&H) >",
      L"帮助(&H)/使用说明|1444",
      L"帮助(&H)/关于|1445",
  };
  const std::vector<MenuItem> bar = menu_bar();
  EXPECT_EQ(flatten(bar, L""), want);
  ASSERT_GT(bar.size(), kLayerMenuPosition);
  EXPECT_EQ(bar[kLayerMenuPosition].text, L"图层(&L)");
}

TEST(MenuBar, EveryCommandItemReachesTheCommandTable) {
  std::vector<MenuItem> pending = menu_bar();
  while (!pending.empty()) {
    const MenuItem item = pending.back();
    pending.pop_back();
    pending.insert(pending.end(), item.items.begin(), item.items.end());
    if (item.kind == MenuItemKind::Command && !item.grayed) {
      EXPECT_NE(find_command(item.id), nullptr) << item.id;
    }
  }
}

TEST(LayerMenu, PlaceholdersNamesAndTheLimitOf200) {
  SkpModel model;
  const std::vector<std::wstring> none = {L"（无图层）|0|gray"};
  EXPECT_EQ(flatten(layer_menu(model), L""), none);

  model.layers.resize(3);
  EXPECT_EQ(flatten(layer_menu(model), L""),
            (std::vector<std::wstring>{L"图层 0|1200|v", L"图层 1|1201|v", L"图层 2|1202|v"}));

  model.layers.resize(5);
  model.layers[1].name = "墙体";
  model.layers[2].visible = false;
  model.layers[3].name = "R&D\tplan";  // shown as written, no mnemonic, no key label
  model.layers[4].name = "bad \xff name";
  EXPECT_EQ(flatten(layer_menu(model), L""),
            (std::vector<std::wstring>{L"图层 0|1200|v", L"墙体|1201|v", L"图层 2|1202",
                                       L"R&&D plan|1203|v", L"bad \uFFFD name|1204|v"}));

  model.layers.assign(250, LayerInfo());
  model.layers[199].visible = false;
  const std::vector<std::wstring> lines = flatten(layer_menu(model), L"");
  ASSERT_EQ(lines.size(), 200u);
  EXPECT_EQ(lines[100], L"图层 100|1300|v");
  EXPECT_EQ(lines[199], L"图层 199|1399");
}

TEST(MenuMarks, FollowTheViewerAndTheActivePane) {
  test::RecordingHost host;
  Viewer viewer(host);

  auto marks_of = [&viewer] {
    std::wstring text;
    for (const MenuMark& m : menu_marks(viewer)) {
      text += std::to_wstring(m.id) + (m.checked ? L"+ " : L"- ");
    }
    return text;
  };
  // Before the panes exist, the default camera's projection.
  EXPECT_EQ(marks_of(), L"1401+ 1402+ 1403+ 1404- 1406+ 1408- 1409- ");

  viewer.init_viewports();
  viewer.set_layout(2);
  viewer.viewports[1].camera.perspective = false;
  viewer.show_edges = false;
  viewer.show_shadows = true;
  viewer.zoom_through = true;
  viewer.performance_mode = true;
  viewer.reverse_shadow = true;  // no mark
  viewer.active_viewport_index = 1;
  viewer.model.layers.resize(2);
  viewer.model.layers[0].visible = false;
  EXPECT_EQ(marks_of(), L"1401- 1402+ 1403+ 1404+ 1406- 1408+ 1409+ 1200- 1201+ ");

  // An index beyond the panes resolves to the first.
  viewer.active_viewport_index = 5;
  EXPECT_EQ(menu_marks(viewer)[4].id, ID_PERSPECTIVE);
  EXPECT_TRUE(menu_marks(viewer)[4].checked);

  // At most 200 layer marks.
  viewer.model.layers.resize(250);
  const std::vector<MenuMark> marks = menu_marks(viewer);
  EXPECT_EQ(marks.size(), 7u + 200u);
  EXPECT_EQ(marks.back().id, ID_LAYER_LAST);
}

}  // namespace
}  // namespace lumeno
