// The registry operations the measurement tests use, for builds whose core/ does not yet
// implement CommandRegistry (CMake adds this file only then).
#include "core/command_registry.h"

namespace lumeno {

void CommandRegistry::add(Command command) { commands_.push_back(std::move(command)); }

const Command* CommandRegistry::find(unsigned id) const {
  for (const Command& c : commands_)
    if (id != 0 && c.id == id) return &c;
  return nullptr;
}

const Command* CommandRegistry::find_action(const std::string& action) const {
  for (const Command& c : commands_)
    if (!action.empty() && c.action == action) return &c;
  return nullptr;
}

bool CommandRegistry::run(unsigned id) const {
  const Command* c = find(id);
  if (c == nullptr || !c->run) return false;
  c->run();
  return true;
}

bool CommandRegistry::run_action(const std::string& action) const {
  const Command* c = find_action(action);
  if (c == nullptr || !c->run) return false;
  c->run();
  return true;
}

}  // namespace lumeno
