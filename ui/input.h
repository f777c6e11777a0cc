// User input on the viewer: mouse navigation, keys and menu commands.
//
// ViewerInput turns the window's mouse, key and command messages into operations on the Viewer.
// The active input tool (walk mode, a measurement) sees every event first; what it leaves goes to
// navigation: the left button pans, the right and middle buttons orbit (or pan a locked pane),
// the wheel zooms or, with Shift, changes the field of view; keys run their bindings and then the
// fixed keys. Keys (through their action names) and menu commands (through their identifiers)
// run the commands of the viewer's registry; after each one the menu marks are refreshed and the
// window repainted once.
//
// The Win32 shell owns one ViewerInput beside its Viewer, forwards WM_KEYDOWN, WM_COMMAND and the
// mouse messages to it (taking and releasing the mouse capture itself) and implements InputHost.
//
// Member functions live in input.cpp (mouse), commands.cpp (keys, commands, the built-in
// commands) and commands_scenes.cpp (scenes and layers).
#pragma once

#include <string>
#include <vector>

#include "core/viewer_host.h"
#include "render/camera.h"
#include "ui/key_bindings.h"
#include "ui/viewer.h"

namespace lumeno {

// Mouse button codes of the press and release handlers (the Win32 MK_ values).
constexpr unsigned kButtonLeft = 1;
constexpr unsigned kButtonRight = 2;
constexpr unsigned kButtonMiddle = 16;

// Navigation factors.
constexpr float kPanFactor = 0.002f;           // per pixel, times the camera distance
constexpr float kOrbitDegreesPerPixel = 0.5f;  // times rotate_sensitivity
constexpr float kWheelZoomIn = 0.9f;           // one notch away from the user
constexpr float kWheelZoomOut = 1.1f;          // one notch towards the user
constexpr float kZoomFloor = 0.01f;            // closest wheel distance without zoom-through
constexpr float kFovPerWheelUnit = 0.01f;      // degrees per wheel unit: 1.2 per 120-unit notch
constexpr float kMinWheelFov = 5.0f;
constexpr float kMaxWheelFov = 120.0f;
constexpr float kArrowPan = 0.02f;       // times the distance, per arrow key press
constexpr float kArrowPanShift = 0.05f;  // the same with Shift held

// Whether a camera distance may be stored: finite and above 0. A distance of 0 could never grow
// again by multiplying, and an infinite one makes the view matrices meaningless.
bool usable_distance(float distance);

// Services of the window the built-in commands use besides ViewerHost.
class InputHost {
 public:
  virtual ~InputHost() = default;
  // Whether Shift or Ctrl is held right now (GetKeyState negative).
  virtual bool shift_down() = 0;
  virtual bool ctrl_down() = 0;
  // The open dialog; a chosen file goes to the viewer's load sequence.
  virtual void show_open_dialog() = 0;
  // Opens a web address in the user's browser (verb "open", shown normally).
  virtual void open_url(const std::wstring& url) = 0;
};

class ViewerInput {
 public:
  // Registers the built-in commands in the viewer's registry and binds their default keys.
  ViewerInput(Viewer& viewer, ViewerHost& host, InputHost& input_host);
  ViewerInput(const ViewerInput&) = delete;
  ViewerInput& operator=(const ViewerInput&) = delete;

  // --- Mouse (input.cpp) ----------------------------------------------------------------------
  // Client coordinates. The wheel's position is not used (the window passes what it has).
  void on_mouse_down(unsigned button, int x, int y);
  void on_mouse_up(unsigned button, int x, int y);
  void on_mouse_move(int x, int y);
  void on_mouse_wheel(int delta, int x, int y);

  // --- Keys and commands (commands.cpp) -------------------------------------------------------
  // WM_KEYDOWN as the window receives it: the active tool first, then on_key_down.
  void on_key_message(unsigned key);
  // The bindings with the current Shift and Ctrl state, then the fixed keys.
  void on_key_down(unsigned key);
  // Runs the command of the first binding matching key, Shift and Ctrl exactly.
  void process_keybinding(unsigned key, bool shift, bool ctrl);
  // A menu or menu-bar command; identifiers nobody registered are ignored.
  void on_command(unsigned id);
  // Runs a named action; false for a name nobody registered.
  bool run_action(const std::string& action);
  // Binds every registered command's default key (after the features have registered theirs).
  void init_default_keybindings();

  // --- Scenes and layers (commands_scenes.cpp) -------------------------------------------------
  // Shows scene `index` (its camera, when it has one, and a toast with its name); an index
  // without a scene does nothing.
  void goto_scene(int index);
  void next_scene();
  void prev_scene();
  // Switches layer `index` on or off; what is derived from the model is rebuilt. An index
  // without a layer does nothing.
  void toggle_layer(int index);

  Viewer& viewer() { return viewer_; }
  ViewerHost& host() { return host_; }
  InputHost& input_host() { return input_host_; }

  // --- State ----------------------------------------------------------------------------------
  bool left_button_down = false;  // a drag with that button is in progress
  bool right_button_down = false;
  bool middle_button_down = false;
  int last_mouse_x = 0;  // last position seen by a press or a move, client pixels
  int last_mouse_y = 0;
  std::vector<KeyBinding> key_bindings;  // searched in order, the first match wins

 private:
  // After a command: the marks follow the state and the window repaints once.
  void refresh();
  void pan(Camera& camera, float dx, float dy);
  void orbit(Camera& camera, float dx, float dy);

  Viewer& viewer_;
  ViewerHost& host_;
  InputHost& input_host_;
};

// The built-in commands (commands.cpp): file, view, layout, theme, help, scenes and layers.
void register_builtin_commands(ViewerInput& input);

}  // namespace lumeno
