// The menu bar as data: every popup, item, separator and identifier in order, with the key label
// of each item generated from the key bindings and its state (check mark, grayed, changing text)
// taken from the registered commands; the layer menu's items for a model. The Win32 shell turns
// these into menus (create_menu), refills the layer popup (rebuild_scene_menu) and applies the
// states (update_menu_state); it adds nothing of its own.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "ui/key_bindings.h"

class SkpModel;

namespace lumeno {

class CommandRegistry;

enum class MenuItemKind { Command, Separator, Popup };

struct MenuItem {
  MenuItemKind kind = MenuItemKind::Command;
  std::wstring text;     // exactly as shown; "\t" separates the key label, "&" marks a mnemonic
  unsigned id = 0;       // command identifier; 0 for separators, popups and placeholders
  bool checked = false;  // the check mark the item starts with
  bool grayed = false;   // cannot be chosen: a placeholder, or a command nobody registered
  bool radio = false;    // its mark is a radio bullet (one of a group)
  std::vector<MenuItem> items;  // a popup's items
};

// The bar, left to right: popups and the command items placed directly on it. An item whose
// command has a key binding shows the key after a tab; an item whose command is not registered
// is grayed; marks and texts start as the commands give them.
std::vector<MenuItem> menu_bar(const CommandRegistry& commands,
                               const std::vector<KeyBinding>& bindings);

// The label of a virtual key as menus show it ("K", "1", "F8"); empty for keys without one.
std::wstring key_label(uint32_t key);

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

// The state of one command item for the current state of the viewer.
struct MenuState {
  unsigned id = 0;
  bool enabled = false;  // registered and enabled
  bool has_mark = false;
  bool checked = false;
  bool relabel = false;  // the command gives the item's text
  std::wstring text;
};
// The states of every command item of `bar` (popups included) and of every listed layer item.
std::vector<MenuState> menu_states(const std::vector<MenuItem>& bar,
                                   const CommandRegistry& commands, const SkpModel& model);

// Text of the theme item of the bar: "☀ 日间" by day, "☾ 夜间" at night.
std::wstring theme_item_text(bool night);

}  // namespace lumeno
