// Named key bindings: a virtual key with the required state of Shift and Ctrl, mapped to the name
// of an action ("edges", "layout_2"). The actions themselves are entries of the command table
// (ui/commands.h); this file only holds the bindings and the virtual-key codes input uses.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lumeno {

struct KeyBinding {
  uint32_t key = 0;    // Win32 virtual-key code
  bool shift = false;  // applies only with Shift held (false: only with Shift up)
  bool ctrl = false;   // applies only with Ctrl held (false: only with Ctrl up)
  std::string action;
};

// Virtual-key codes of the keys handled outside the bindings, with the Win32 values (the Win32
// names are macros in <windows.h>, so they are not reused here).
constexpr uint32_t kKeyTab = 0x09;
constexpr uint32_t kKeyEnter = 0x0D;
constexpr uint32_t kKeyEscape = 0x1B;
constexpr uint32_t kKeyLeft = 0x25;
constexpr uint32_t kKeyUp = 0x26;
constexpr uint32_t kKeyRight = 0x27;
constexpr uint32_t kKeyDown = 0x28;
constexpr uint32_t kKeyAdd = 0x6B;       // keypad plus
constexpr uint32_t kKeySubtract = 0x6D;  // keypad minus
constexpr uint32_t kKeyOemPlus = 0xBB;   // main keyboard plus
constexpr uint32_t kKeyOemMinus = 0xBD;  // main keyboard minus

// The 18 bindings the viewer starts with, in search order; none needs Shift or Ctrl.
std::vector<KeyBinding> default_key_bindings();

// The first binding whose key, Shift and Ctrl all equal the arguments, or null.
const KeyBinding* find_key_binding(const std::vector<KeyBinding>& bindings, uint32_t key,
                                   bool shift, bool ctrl);

}  // namespace lumeno
