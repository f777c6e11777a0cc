// User input on the viewer: mouse navigation, keys and menu commands.
//
// ViewerInput turns the window's mouse, key and command messages into operations on the Viewer:
// the left button pans, the right and middle buttons orbit (or pan a locked pane), the wheel
// zooms or, with Shift, changes the field of view; keys run their bindings and then the fixed
// keys; menu and menu-bar commands run through the same command table as the bindings
// (ui/commands.h). Scenes are stepped through here and layers switched on and off.
//
// The Win32 shell owns one ViewerInput beside its Viewer, forwards WM_KEYDOWN, WM_COMMAND and the
// mouse messages to it (taking and releasing the mouse capture itself) and implements InputHost.
//
// Member functions live in input.cpp (mouse), commands.cpp (keys, commands, toggles) and
// commands_scenes.cpp (scenes and layers).
#pragma once

#include <string>
#include <vector>

#include "render/camera.h"
#include "ui/input_host.h"
#include "ui/key_bindings.h"
#include "ui/viewer.h"
#include "ui/viewer_host.h"

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
constexpr float kWalkSpeedStep = 0.1f;
constexpr float kMinWalkSpeed = 0.1f;
constexpr float kMaxWalkSpeed = 80.0f;
constexpr int kWalkSpeedToastMs = 900;

// Whether a camera distance may be stored: finite and above 0. A distance of 0 could never grow
// again by multiplying, and an infinite one makes the view matrices meaningless.
bool usable_distance(float distance);

// The walking speed after one wheel turn during walk mode: 0.1 faster for a turn away from the
// user, 0.1 slower otherwise, kept within [0.1, 80]. A zero delta leaves it as it is.
float step_walk_speed(float speed, int delta);
// The toast for a walking speed, "行走速度：%.1f" cut at 63 characters.
std::wstring walk_speed_toast(float speed);

class ViewerInput {
 public:
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
  // WM_KEYDOWN as the window receives it: during walk mode only Escape (which leaves walk mode),
  // otherwise on_key_down.
  void on_key_message(unsigned key);
  // The bindings with the current Shift and Ctrl state, then the fixed keys.
  void on_key_down(unsigned key);
  // Runs the action of the first binding matching key, Shift and Ctrl exactly.
  void process_keybinding(unsigned key, bool shift, bool ctrl);
  // A menu or menu-bar command; unknown identifiers are ignored.
  void on_command(unsigned id);
  // Runs a named action of the command table; false for a name it does not know.
  bool run_action(const std::string& action);
  // Replaces key_bindings with the defaults.
  void init_default_keybindings();

  // --- Scenes and layers (commands_scenes.cpp) -------------------------------------------------
  // Shows scene `index` (its camera, when it has one, and a toast with its name); an index
  // without a scene does nothing.
  void goto_scene(int index);
  void next_scene();
  void prev_scene();
  // Switches layer `index` on or off and marks the display lists stale; an index without a
  // layer does nothing.
  void toggle_layer(int index);

  // --- Operations the command table runs (commands.cpp) ---------------------------------------
  // Inverts a display flag; the check marks are refreshed and the window repainted.
  void toggle_flag(bool& flag);
  void toggle_perspective();
  void toggle_view_lock();
  // A layout command: the layout's panes with fresh cameras (fitted to a loaded model).
  void set_layout(int layout);
  void set_measure_unit(int unit);
  // Runs a feature hook when its feature is present.
  static void call(const std::function<void()>& hook) {
    if (hook) hook();
  }

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
  int current_scene = -1;                // the scene last chosen; -1 before any
  FeatureHooks hooks;

 private:
  bool walk_active() const { return hooks.walk_active && hooks.walk_active(); }
  bool measuring() const { return hooks.measuring && hooks.measuring(); }
  // Changes the active pane; the perspective check mark follows it.
  void select_pane_at(int x, int y);
  void pan(Camera& camera, float dx, float dy);
  void orbit(Camera& camera, float dx, float dy);

  Viewer& viewer_;
  ViewerHost& host_;
  InputHost& input_host_;
};

}  // namespace lumeno
