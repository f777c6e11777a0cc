// Input tools: modes such as walking or measuring that see the window's mouse, wheel, key and
// timer events before navigation does. The window keeps a small stack of them; the top one is
// the active tool. A handler returns true when it took the event, and navigation then does not
// see it; false passes the event on.
#pragma once

#include <algorithm>
#include <vector>

namespace lumeno {

class InputTool {
 public:
  virtual ~InputTool() = default;

  // Client coordinates; buttons are the kButton* codes of ui/input.h (the Win32 MK_ values).
  virtual bool on_mouse_down(unsigned /*button*/, int /*x*/, int /*y*/) { return false; }
  virtual bool on_mouse_up(unsigned /*button*/, int /*x*/, int /*y*/) { return false; }
  virtual bool on_mouse_move(int /*x*/, int /*y*/) { return false; }
  virtual bool on_mouse_wheel(int /*delta*/, int /*x*/, int /*y*/) { return false; }
  // WM_KEYDOWN's virtual key. Escape, Enter and Tab reach the active tool first.
  virtual bool on_key_down(unsigned /*key*/) { return false; }
  // Window timer ticks not handled by the viewer itself.
  virtual bool on_timer(unsigned /*id*/) { return false; }
};

class ToolStack {
 public:
  // Makes `tool` the active one (moving it to the top when it is already on the stack).
  void push(InputTool* tool) {
    remove(tool);
    tools_.push_back(tool);
  }
  // Takes `tool` off the stack wherever it is; the one below it becomes active.
  void remove(InputTool* tool) { tools_.erase(std::remove(tools_.begin(), tools_.end(), tool), tools_.end()); }
  bool contains(const InputTool* tool) const {
    return std::find(tools_.begin(), tools_.end(), tool) != tools_.end();
  }
  // The active tool, or null.
  InputTool* active() const { return tools_.empty() ? nullptr : tools_.back(); }

 private:
  std::vector<InputTool*> tools_;
};

}  // namespace lumeno
