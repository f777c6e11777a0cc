#include "core/command_registry.h"

#include <algorithm>

namespace lumeno {

Command make_command(unsigned id, std::string action, std::wstring text, uint32_t default_key,
                     std::function<void()> run, std::function<bool()> checked,
                     std::function<std::wstring()> label) {
  Command c;
  c.id = id;
  c.action = std::move(action);
  c.text = std::move(text);
  c.default_key = default_key;
  c.run = std::move(run);
  c.checked = std::move(checked);
  c.label = std::move(label);
  return c;
}

void CommandRegistry::add(Command command) {
  const unsigned id = command.id;
  const std::string action = command.action;
  auto same = [id, &action](const Command& c) {
    return (id != 0 && c.id == id) || (!action.empty() && c.action == action);
  };
  const auto existing = std::find_if(commands_.begin(), commands_.end(), same);
  if (existing != commands_.end()) {
    *existing = std::move(command);
    // A replacement may take over both the identifier of one entry and the action of another.
    commands_.erase(std::remove_if(std::next(existing), commands_.end(), same), commands_.end());
    return;
  }
  commands_.push_back(std::move(command));
}

void CommandRegistry::add_range(CommandRange range) { ranges_.push_back(std::move(range)); }

const Command* CommandRegistry::find(unsigned id) const {
  if (id == 0) return nullptr;
  for (const Command& c : commands_)
    if (c.id == id) return &c;
  return nullptr;
}

const Command* CommandRegistry::find_action(const std::string& action) const {
  if (action.empty()) return nullptr;
  for (const Command& c : commands_)
    if (c.action == action) return &c;
  return nullptr;
}

const CommandRange* CommandRegistry::find_range(unsigned id) const {
  for (const CommandRange& r : ranges_)
    if (id >= r.first && id <= r.last) return &r;
  return nullptr;
}

namespace {
bool run_command(const Command* command) {
  if (command == nullptr || (command->enabled && !command->enabled())) return false;
  // Copied: a command may register or replace commands while it runs.
  const std::function<void()> run = command->run;
  if (run) run();
  return true;
}
}  // namespace

bool CommandRegistry::run(unsigned id) const {
  if (const CommandRange* range = find_range(id)) {
    const std::function<void(int)> run = range->run;
    if (run) run(static_cast<int>(id - range->first));
    return true;
  }
  return run_command(find(id));
}

bool CommandRegistry::run_action(const std::string& action) const {
  return run_command(find_action(action));
}

}  // namespace lumeno
