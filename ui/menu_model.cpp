#include "ui/menu_model.h"

#include <algorithm>

#include "core/bounded_format.h"
#include "model/skp_model.h"
#include "render/layout.h"
#include "ui/commands.h"
#include "ui/text_convert.h"
#include "ui/viewer.h"

namespace lumeno {

const wchar_t kOpenModelFirstItem[] = L"（请先打开模型）";
const wchar_t kNoLayersItem[] = L"（无图层）";

namespace {

MenuItem command(const wchar_t* text, unsigned id, bool checked = false) {
  MenuItem item;
  item.text = text;
  item.id = id;
  item.checked = checked;
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

}  // namespace

std::vector<MenuItem> menu_bar() {
  const bool kMark = true;
  std::vector<MenuItem> file = {
      command(L"打开模型(&O)\tO", ID_OPEN_MODEL),        separator(),
      command(L"用 SketchUp 打开", ID_OPEN_IN_SKETCHUP), separator(),
      command(L"另存低版本", ID_SAVE_LOWER_VERSION),
  };
  std::vector<MenuItem> view = {
      command(L"适配窗口\tF", ID_FIT_VIEW),
      separator(),
      command(L"显示边线\tK", ID_SHOW_EDGES, kMark),
      command(L"显示材质\tM", ID_SHOW_MATERIALS, kMark),
      command(L"光照\tG", ID_LIGHTING, kMark),
      command(L"阴影\tS", ID_SHADOWS),
      command(L"反转阴影方向\tH", ID_REVERSE_SHADOW),
      separator(),
      command(L"透视/正交\tF8", ID_PERSPECTIVE, kMark),
      command(L"视角...", ID_VIEW_ANGLE),
      command(L"缩放穿透", ID_ZOOM_THROUGH),
      command(L"性能模式\tP", ID_PERFORMANCE),
      separator(),
      command(L"单窗口\t1", ID_LAYOUT_1),
      command(L"左右分屏\t2", ID_LAYOUT_2),
      command(L"一大两小\t3", ID_LAYOUT_3),
      command(L"四窗口\t4", ID_LAYOUT_4),
      separator(),
      command(L"锁定视角\tL", ID_LOCK_VIEW),
      command(L"打开/关闭列表\tF3", ID_TOGGLE_LIST),
      separator(),
      command(L"模型信息", ID_MODEL_INFO),
  };
  std::vector<MenuItem> layers = {placeholder(kOpenModelFirstItem)};
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
      popup(L"设置(&T)", std::move(settings)),
      command(theme_item_text(false).c_str(), ID_TOGGLE_THEME),
      command(L"▣ 适配", ID_BAR_FIT),
      command(L"◇ 透视", ID_BAR_PERSPECTIVE),
      command(L"视角", ID_VIEW_ANGLE),
      command(L"↔ 测距", ID_BAR_MEASURE),
      command(walk_item_text(false).c_str(), ID_WALK),
      popup(L"帮助(&H)", std::move(help)),
  };
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

std::vector<MenuMark> menu_marks(const Viewer& viewer) {
  // The active pane as commands resolve it; a viewer not laid out yet has the default camera.
  const int active = resolve_active_index(viewer.active_viewport_index, viewer.viewports.size());
  const bool perspective = active < 0
                               ? Camera().perspective
                               : viewer.viewports[static_cast<size_t>(active)].camera.perspective;

  std::vector<MenuMark> marks = {
      {ID_SHOW_EDGES, viewer.show_edges},
      {ID_SHOW_MATERIALS, viewer.show_materials},
      {ID_LIGHTING, viewer.show_lighting},
      {ID_SHADOWS, viewer.show_shadows},
      {ID_PERSPECTIVE, perspective},
      {ID_ZOOM_THROUGH, viewer.zoom_through},
      {ID_PERFORMANCE, viewer.performance_mode},
  };
  const std::vector<LayerInfo>& layers = viewer.model.layers;
  const size_t count = std::min(layers.size(), kMaxLayerMenuItems);
  for (size_t i = 0; i < count; ++i) {
    marks.push_back({ID_LAYER_FIRST + static_cast<unsigned>(i), layers[i].visible});
  }
  return marks;
}

std::wstring theme_item_text(bool night) { return night ? L"☾ 夜间" : L"☀ 日间"; }

std::wstring walk_item_text(bool walking) { return walking ? L"停止行走" : L"行走"; }

}  // namespace lumeno
