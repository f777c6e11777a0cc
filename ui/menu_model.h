// The menu bar as data: every popup, item, separator, identifier and initial check mark in order,
// the layer menu's items for a model, and the check marks for the viewer's state. The Win32 shell
// turns these into menus (create_menu), refills the layer popup (rebuild_scene_menu) and applies
// the marks (update_menu_state); it adds nothing of its own.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class SkpModel;

namespace lumeno {

class Viewer;

enum class MenuItemKind { Command, Separator, Popup };

struct MenuItem {
  MenuItemKind kind = MenuItemKind::Command;
  std::wstring text;     // exactly as shown; "\t" separates the key label, "&" marks a mnemonic
  unsigned id = 0;       // command identifier; 0 for separators, popups and placeholders
  bool checked = false;  // the check mark the item starts with
  bool grayed = false;   // a placeholder that cannot be chosen
  std::vector<MenuItem> items;  // a popup's items
};

// The bar, left to right: popups and the command items placed directly on it.
std::vector<MenuItem> menu_bar();

// The layer popup's position on the bar, its limit and its placeholders.
constexpr size_t kLayerMenuPosition = 2;
constexpr size_t kMaxLayerMenuItems = 200;
extern const wchar_t kOpenModelFirstItem[];  // before the first load
extern const wchar_t kNoLayersItem[];        // a model without layers

// The layer popup's items after a load: one item per layer (at most 200) with identifier
// ID_LAYER_FIRST + index, checked while the layer is visible; the grayed "no layers" item for a
// model without layers.
std::vector<MenuItem> layer_menu(const SkpModel& model);
// A layer's item text: its name, or "图层 " and its index for an unnamed layer. Ampersands are
// doubled so a name shows as written instead of underlining the next letter, and tabs become
// spaces so no part of a name is taken for a key label.
std::wstring layer_item_text(const std::string& utf8_name, size_t index);

struct MenuMark {
  unsigned id;
  bool checked;
};
// The check marks for the viewer's state: the display toggles, the active pane's projection,
// zoom-through, performance mode, and every listed layer's visibility.
std::vector<MenuMark> menu_marks(const Viewer& viewer);

// Texts of the bar items that change: the theme item ("☀ 日间" by day, "☾ 夜间" at night) and the
// walk item ("行走", "停止行走" while walking).
std::wstring theme_item_text(bool night);
std::wstring walk_item_text(bool walking);

}  // namespace lumeno
