// The menu bar as data: every item in order, the layer menu for a model, the check marks.
#include "ui/menu_model.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "model/skp_model.h"
#include "tests/native/input/input_fixture.h"
#include "ui/commands.h"

namespace lumeno {
namespace {

using MenuTest = test::InputTest;

// Every command item, depth-first.
void for_each_command(const std::vector<MenuItem>& items,
                      const std::function<void(const MenuItem&)>& visit) {
  for (const MenuItem& item : items) {
    if (item.kind == MenuItemKind::Popup) for_each_command(item.items, visit);
    if (item.kind == MenuItemKind::Command) visit(item);
  }
}

TEST_F(MenuTest, KeyLabelsComeFromTheBindingsAndUnregisteredItemsAreGrayed) {
  const std::vector<MenuItem> bar = menu_bar(viewer.commands, input.key_bindings);
  ASSERT_GT(bar.size(), kLayerMenuPosition + 1);
  EXPECT_EQ(bar[kLayerMenuPosition].text + bar[kLayerMenuPosition + 1].text, L"图层(&L)测量(&E)");
  for_each_command(bar, [&](const MenuItem& item) {
    if (item.id == 0) return;
    const Command* c = viewer.commands.find(item.id);
    EXPECT_EQ(item.grayed, c == nullptr) << item.id;
    const size_t tab = item.text.find(L'\t');
    if (tab == std::wstring::npos) return;
    // The label names the key that runs this item's command.
    ASSERT_NE(c, nullptr) << item.id;
    std::wstring keys;
    for (const KeyBinding& k : input.key_bindings)
      if (k.action == c->action) keys += key_label(k.key);
    EXPECT_EQ(item.text.substr(tab + 1), keys) << item.id;
  });

  // A feature's command enables its item with its key.
  viewer.commands.add(make_command(ID_MEASURE_DISTANCE, "measure_dist", L"测距", 'T', [] {}));
  input.init_default_keybindings();
  const MenuItem item =
      menu_bar(viewer.commands, input.key_bindings)[kLayerMenuPosition + 1].items[0];
  EXPECT_TRUE(item.text == L"测距\tT" && !item.grayed);
  EXPECT_EQ(key_label(0x70) + key_label(kKeyEscape), L"F1");  // Escape has no label
}

TEST_F(MenuTest, StatesFollowTheCommandsTheActivePaneAndTheLayers) {
  auto states = [this] {
    std::wstring text;
    const std::vector<MenuItem> bar = menu_bar(viewer.commands, input.key_bindings);
    for (const MenuState& m : menu_states(bar, viewer.commands, viewer.document.model)) {
      if (m.has_mark) text += std::to_wstring(m.id) + (m.checked ? L"+ " : L"- ");
      if (m.relabel) text += m.text + L" ";
      if (!m.enabled) text += L"x";
    }
    return text;
  };
  // File: open, then the two items of the settings feature, not registered here.
  const std::wstring before = states();
  EXPECT_EQ(before.substr(0, 2), L"xx");
  EXPECT_NE(before.find(L"1401+ 1402+ 1403+ 1404- 1406+ x1408- 1409- "), std::wstring::npos);
  EXPECT_NE(before.find(L"☀ 日间 "), std::wstring::npos);
  viewer.set_layout(2);
  viewer.panes.viewports()[1].camera.perspective = viewer.display.show_edges = false;
  viewer.panes.select(1);
  viewer.navigation.zoom_through = viewer.display.night_theme = true;
  viewer.document.model.layers.resize(250);
  viewer.document.model.layers[0].visible = false;
  const std::wstring after = states();
  EXPECT_NE(after.find(L"1401- 1402+ 1403+ 1404- 1406- x1408+ 1409- "), std::wstring::npos);
  EXPECT_NE(after.find(L"☾ 夜间"), std::wstring::npos);
  // Layer marks, no more than 200.
  EXPECT_TRUE(after.find(L"1200- 1201+ ") != std::wstring::npos &&
              after.find(L"1400+") == std::wstring::npos);
}

TEST(LayerMenu, PlaceholdersNamesAndTheLimitOf200) {
  // One line per item: "<text>|<id>|<marks>".
  auto lines = [](const SkpModel& model) {
    std::vector<std::wstring> out;
    for_each_command(layer_menu(model), [&](const MenuItem& item) {
      out.push_back(item.text + L"|" + std::to_wstring(item.id) + (item.checked ? L"|v" : L"") +
                    (item.grayed ? L"|gray" : L""));
    });
    return out;
  };
  SkpModel model;
  EXPECT_EQ(lines(model), std::vector<std::wstring>{L"（无图层）|0|gray"});

  model.layers.resize(5);
  model.layers[1].name = "墙体";
  model.layers[2].visible = false;
  model.layers[3].name = "R&D\tplan";  // shown as written, no mnemonic, no key label
  model.layers[4].name = "bad \xff name";
  EXPECT_EQ(lines(model),
            (std::vector<std::wstring>{L"图层 0|1200|v", L"墙体|1201|v", L"图层 2|1202",
                                       L"R&&D plan|1203|v", L"bad \uFFFD name|1204|v"}));

  model.layers.assign(250, LayerInfo());
  model.layers[199].visible = false;
  ASSERT_EQ(lines(model).size(), 200u);
  EXPECT_EQ(lines(model).back(), L"图层 199|1399");
}

}  // namespace
}  // namespace lumeno
