// One registry of the commands a key binding, a menu item or a menu-bar item can start. The
// built-in commands register where they live (ui/); every feature registers its own from its
// folder at start-up. Menus refer to identifiers, key bindings to action names; both resolve
// here, so a key and its menu item cannot drift apart.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace lumeno {

struct Command {
  unsigned id = 0;           // menu identifier; 0 for a command only a key reaches
  std::string action;        // key-binding action name; empty when no key can be bound to it
  std::wstring text;         // the command's name as lists of commands show it
  uint32_t default_key = 0;  // virtual key bound at start (Shift and Ctrl up); 0 for none
  std::function<void()> run;
  std::function<bool()> checked;        // null: the item carries no check mark
  std::function<bool()> enabled;        // null: always enabled
  std::function<std::wstring()> label;  // null: the item keeps its text; else relabelled on refresh
};

// A command from its parts; `enabled` is left null (always enabled).
Command make_command(unsigned id, std::string action, std::wstring text, uint32_t default_key,
                     std::function<void()> run, std::function<bool()> checked = {},
                     std::function<std::wstring()> label = {});

// Identifiers first..last run `run` with the identifier minus `first` (scenes, layers).
struct CommandRange {
  unsigned first = 0;
  unsigned last = 0;
  std::function<void(int index)> run;
};

class CommandRegistry {
 public:
  // Adds a command. A command whose identifier (when not 0) or action name (when not empty) is
  // already registered replaces the earlier one, so a feature can take over a built-in entry.
  void add(Command command);
  void add_range(CommandRange range);

  // The command for a menu identifier (0 never matches), for an action name, or null.
  const Command* find(unsigned id) const;
  const Command* find_action(const std::string& action) const;
  const CommandRange* find_range(unsigned id) const;

  // Runs the command or range entry for `id`; false when nothing is registered for it or it is
  // disabled.
  bool run(unsigned id) const;
  // Runs the command of an action name; false for a name nobody registered or a disabled one.
  bool run_action(const std::string& action) const;

  // In registration order.
  const std::vector<Command>& commands() const { return commands_; }

 private:
  std::vector<Command> commands_;
  std::vector<CommandRange> ranges_;
};

}  // namespace lumeno
