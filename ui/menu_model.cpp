#include "ui/menu_model.h"

#include <algorithm>

#include "core/bounded_format.h"
#include "core/command_registry.h"
#include "model/skp_model.h"
#include "ui/commands.h"
#include "ui/text_convert.h"

namespace lumeno {

const wchar_t kOpenModelFirstItem[] = L"（请先打开模型）";
const wchar_t kNoLayersItem[] = L"（无图层）";

namespace {

MenuItem command(const wchar_t* text, unsigned id) {
  MenuItem item;
  item.text = text;
  item.id = id;
  return item;
}

MenuItem radio(const wchar_t* text, unsigned id) {
  MenuItem item = command(text, id);
  item.radio = true;
  return item;
}

MenuItem separator() {
  MenuItem item;
  item.kind = MenuItemKind::Separator;
  return item;
}

MenuItem placeholder(const wchar_t* text) {
  MenuItem item;
  item.text = text;
  item.grayed = true;
  return item;
}

MenuItem popup(const wchar_t* text, std::vector<MenuItem> items) {
  MenuItem item;
  item.kind = MenuItemKind::Popup;
  item.text = text;
  item.items = std::move(items);
  return item;
}

// The layout of the bar: texts as shown, without key labels.
std::vector<MenuItem> bar_layout() {
  std::vector<MenuItem> file = {
      command(L"打开模型(&O)", ID_OPEN_MODEL),        separator(),
      command(L"用 SketchUp 打开", ID_OPEN_IN_SKETCHUP), separator(),
      command(L"另存低版本", ID_SAVE_LOWER_VERSION),
  };
  std::vector<MenuItem> view = {
      command(L"适配窗口", ID_FIT_VIEW),
      separator(),
      command(L"显示边线", ID_SHOW_EDGES),
      command(L"显示材质", ID_SHOW_MATERIALS),
      command(L"光照", ID_LIGHTING),
      command(L"阴影", ID_SHADOWS),
      command(L"反转阴影方向", ID_REVERSE_SHADOW),
      separator(),
      command(L"透视/正交", ID_PERSPECTIVE),
      command(L"视角...", ID_VIEW_ANGLE),
      command(L"缩放穿透", ID_ZOOM_THROUGH),
      command(L"性能模式", ID_PERFORMANCE),
      separator(),
      command(L"单窗口", ID_LAYOUT_1),
      command(L"左右分屏", ID_LAYOUT_2),
      command(L"一大两小", ID_LAYOUT_3),
      command(L"四窗口", ID_LAYOUT_4),
      separator(),
      command(L"锁定视角", ID_LOCK_VIEW),
      command(L"打开/关闭列表", ID_TOGGLE_LIST),
      separator(),
      command(L"模型信息", ID_MODEL_INFO),
  };
  std::vector<MenuItem> layers = {placeholder(kOpenModelFirstItem)};
  std::vector<MenuItem> measure = {
      command(L"测距", ID_MEASURE_DISTANCE),
      command(L"连续测距", ID_MEASURE_CONTINUOUS),
      command(L"测面积", ID_MEASURE_AREA),
      separator(),
      command(L"清除测量", ID_CLEAR_MEASUREMENTS),
      command(L"显示测量", ID_SHOW_MEASUREMENTS),
      separator(),
      radio(L"毫米", ID_UNIT_MM),
      radio(L"米", ID_UNIT_M),
      radio(L"英尺", ID_UNIT_FT),
      radio(L"英寸", ID_UNIT_IN),
  };
  std::vector<MenuItem> settings = {
      command(L"偏好设置...", ID_PREFERENCES),      command(L"行走设置...", ID_WALK_SETTINGS),
      command(L"快捷键设置...", ID_SHORTCUTS),      separator(),
      command(L"清理 viewer 缓存", ID_CLEAR_CACHE),
  };
  std::vector<MenuItem> help = {
      command(L"使用说明", ID_HELP_WEBSITE),
      command(L"关于", ID_ABOUT),
  };
  return {
      popup(L"文件(&F)", std::move(file)),
      popup(L"视图(&V)", std::move(view)),
      popup(L"图层(&L)", std::move(layers)),  // kLayerMenuPosition
      popup(L"测量(&E)", std::move(measure)),
      popup(L"设置(&T)", std::move(settings)),
      command(theme_item_text(false).c_str(), ID_TOGGLE_THEME),
      command(L"▣ 适配", ID_BAR_FIT),
      command(L"◇ 透视", ID_BAR_PERSPECTIVE),
      command(L"视角", ID_VIEW_ANGLE),
      command(L"↔ 测距", ID_BAR_MEASURE),
      command(L"行走", ID_WALK),
      popup(L"帮助(&H)", std::move(help)),
  };
}

// The key bound to a command's action, or 0.
uint32_t bound_key(const Command& command, const std::vector<KeyBinding>& bindings) {
  if (command.action.empty()) return 0;
  for (const KeyBinding& b : bindings)
    if (b.action == command.action && !b.shift && !b.ctrl) return b.key;
  return 0;
}

MenuState state_of(const Command* command, unsigned id) {
  MenuState state;
  state.id = id;
  if (command == nullptr) return state;
  state.enabled = !command->enabled || command->enabled();
  state.has_mark = static_cast<bool>(command->checked);
  state.checked = state.has_mark && command->checked();
  state.relabel = static_cast<bool>(command->label);
  if (state.relabel) state.text = command->label();
  return state;
}

void finish_items(std::vector<MenuItem>& items, const CommandRegistry& commands,
                  const std::vector<KeyBinding>& bindings) {
  for (MenuItem& item : items) {
    if (item.kind == MenuItemKind::Popup) {
      finish_items(item.items, commands, bindings);
      continue;
    }
    if (item.kind != MenuItemKind::Command || item.id == 0) continue;
    const Command* c = commands.find(item.id);
    const MenuState state = state_of(c, item.id);
    item.grayed = !state.enabled;
    item.checked = state.checked;
    if (state.relabel) item.text = state.text;
    const std::wstring label = c != nullptr ? key_label(bound_key(*c, bindings)) : L"";
    if (!label.empty()) item.text += L"\t" + label;
  }
}

void collect_states(const std::vector<MenuItem>& items, const CommandRegistry& commands,
                    std::vector<MenuState>& out) {
  for (const MenuItem& item : items) {
    if (item.kind == MenuItemKind::Popup) {
      collect_states(item.items, commands, out);
    } else if (item.kind == MenuItemKind::Command && item.id != 0) {
      out.push_back(state_of(commands.find(item.id), item.id));
    }
  }
}

}  // namespace

std::vector<MenuItem> menu_bar(const CommandRegistry& commands,
                               const std::vector<KeyBinding>& bindings) {
  std::vector<MenuItem> bar = bar_layout();
  finish_items(bar, commands, bindings);
  return bar;
}

std::wstring key_label(uint32_t key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
    return std::wstring(1, static_cast<wchar_t>(key));
  if (key >= 0x70 && key <= 0x7B) return L"F" + std::to_wstring(key - 0x70 + 1);  // VK_F1..F12
  return std::wstring();
}

std::wstring layer_item_text(const std::string& utf8_name, size_t index) {
  if (utf8_name.empty()) {
    return format_wide(L"图层 %llu", static_cast<unsigned long long>(index));
  }
  std::wstring text;
  for (wchar_t c : utf8_to_wide(utf8_name)) {
    if (c == L'&') {
      text += L"&&";
    } else if (c == L'\t') {
      text += L' ';
    } else {
      text += c;
    }
  }
  return text;
}

std::vector<MenuItem> layer_menu(const SkpModel& model) {
  std::vector<MenuItem> items;
  if (model.layers.empty()) {
    items.push_back(placeholder(kNoLayersItem));
    return items;
  }
  const size_t count = std::min(model.layers.size(), kMaxLayerMenuItems);
  items.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    MenuItem item;
    item.text = layer_item_text(model.layers[i].name, i);
    item.id = ID_LAYER_FIRST + static_cast<unsigned>(i);
    item.checked = model.layers[i].visible;
    items.push_back(std::move(item));
  }
  return items;
}

std::vector<MenuState> menu_states(const std::vector<MenuItem>& bar,
                                   const CommandRegistry& commands, const SkpModel& model) {
  std::vector<MenuState> states;
  collect_states(bar, commands, states);
  const size_t count = std::min(model.layers.size(), kMaxLayerMenuItems);
  for (size_t i = 0; i < count; ++i) {
    MenuState layer;
    layer.id = ID_LAYER_FIRST + static_cast<unsigned>(i);
    layer.enabled = true;
    layer.has_mark = true;
    layer.checked = model.layers[i].visible;
    states.push_back(layer);
  }
  return states;
}

std::wstring theme_item_text(bool night) { return night ? L"☾ 夜间" : L"☀ 日间"; }

}  // namespace lumeno
