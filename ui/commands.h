// The command identifiers of the menus and the one table of commands.
//
// Every operation a key binding, a menu item or a menu-bar item can start is one entry of the
// table below: its menu identifier (0 for an action only a key reaches), its key-binding action
// name (null for one only a menu reaches) and its handler. Keys (through their action names) and
// menu commands (through their identifiers) are both looked up here, so a key and its menu item
// cannot drift apart. The scene and layer identifiers are ranges with their own handlers.
#pragma once

#include <string>
#include <vector>

#include "core/command_ids.h"

namespace lumeno {

class ViewerInput;

// The product web site the help item opens.
extern const wchar_t kProductWebSite[];

// Toasts of the commands (3000 ms each).
extern const wchar_t kSectionNotice[];
extern const wchar_t kViewLockedToast[];
extern const wchar_t kViewUnlockedToast[];
extern const wchar_t kScenePrefix[];
constexpr int kCommandToastMs = 3000;

using CommandHandler = void (*)(ViewerInput&);

struct CommandDef {
  unsigned id;             // menu identifier; 0 when only a key reaches the action
  const char* action;      // key-binding action name; null when only a menu reaches it
  CommandHandler handler;  // null: the identifier is known and does nothing
};

using RangeHandler = void (*)(ViewerInput&, int index);

struct CommandRange {
  unsigned first;
  unsigned last;
  RangeHandler handler;  // receives the identifier minus `first`
};

// The whole table, in identifier order (key-only actions at the end).
const std::vector<CommandDef>& command_table();
// The scene and layer ranges.
const std::vector<CommandRange>& command_ranges();

// The entry for a menu identifier, or null (identifier 0 never matches).
const CommandDef* find_command(unsigned id);
// The entry for an action name, or null.
const CommandDef* find_action(const std::string& action);
// The range holding `id`, or null.
const CommandRange* find_command_range(unsigned id);

}  // namespace lumeno
