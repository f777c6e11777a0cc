// The command table and the key and command dispatch built on it.
#include "ui/commands.h"

#include "ui/input.h"

namespace lumeno {

const wchar_t kSectionNotice[] = L"剖切功能（测试中）";
const wchar_t kViewLockedToast[] = L"视角已锁定";
const wchar_t kViewUnlockedToast[] = L"视角已解锁";
const wchar_t kScenePrefix[] = L"场景: ";

namespace {

// Handlers shared by several entries (a menu item and the bar item doing the same).
void fit(ViewerInput& in) { in.viewer().fit_view(); }
void toggle_perspective(ViewerInput& in) { in.toggle_perspective(); }
void start_measure_distance(ViewerInput& in) { ViewerInput::call(in.hooks.start_measure_distance); }

// Function-local so that the table exists whenever it is first asked for.
const std::vector<CommandDef>& commands() {
  static const std::vector<CommandDef> kCommands = {
      {ID_OPEN_MODEL, "open", [](ViewerInput& in) { in.input_host().show_open_dialog(); }},
      {ID_OPEN_IN_SKETCHUP, nullptr,
       [](ViewerInput& in) { ViewerInput::call(in.hooks.open_in_sketchup); }},
      {ID_SAVE_LOWER_VERSION, nullptr,
       [](ViewerInput& in) { ViewerInput::call(in.hooks.show_save_lower_version_dialog); }},
      {ID_FIT_VIEW, "fit", fit},
      {ID_SHOW_EDGES, "edges", [](ViewerInput& in) { in.toggle_flag(in.viewer().show_edges); }},
      {ID_SHOW_MATERIALS, "materials",
       [](ViewerInput& in) { in.toggle_flag(in.viewer().show_materials); }},
      {ID_LIGHTING, "lighting", [](ViewerInput& in) { in.toggle_flag(in.viewer().show_lighting); }},
      {ID_SHADOWS, "shadows", [](ViewerInput& in) { in.toggle_flag(in.viewer().show_shadows); }},
      // Reverse shadow has no check mark: repaint only.
      {ID_REVERSE_SHADOW, "reverse_shadow",
       [](ViewerInput& in) {
         in.viewer().reverse_shadow = !in.viewer().reverse_shadow;
         in.host().invalidate();
       }},
      {ID_PERSPECTIVE, "perspective", toggle_perspective},
      {ID_VIEW_ANGLE, nullptr,
       [](ViewerInput& in) { ViewerInput::call(in.hooks.show_view_angle_dialog); }},
      // Zoom-through changes nothing on screen: check mark only.
      {ID_ZOOM_THROUGH, nullptr,
       [](ViewerInput& in) {
         in.viewer().zoom_through = !in.viewer().zoom_through;
         in.host().update_menu_state();
       }},
      {ID_PERFORMANCE, "performance",
       [](ViewerInput& in) { in.toggle_flag(in.viewer().performance_mode); }},
      {ID_LAYOUT_1, "layout_1", [](ViewerInput& in) { in.set_layout(1); }},
      {ID_LAYOUT_2, "layout_2", [](ViewerInput& in) { in.set_layout(2); }},
      {ID_LAYOUT_3, "layout_3", [](ViewerInput& in) { in.set_layout(3); }},
      {ID_LAYOUT_4, "layout_4", [](ViewerInput& in) { in.set_layout(4); }},
      {ID_LOCK_VIEW, "lock", [](ViewerInput& in) { in.toggle_view_lock(); }},
      {ID_TOGGLE_LIST, "list", [](ViewerInput& in) { in.viewer().toggle_list_panel(); }},
      {ID_MEASURE_DISTANCE, "measure_dist", start_measure_distance},
      {ID_MEASURE_CONTINUOUS, nullptr,
       [](ViewerInput& in) { ViewerInput::call(in.hooks.start_measure_continuous); }},
      {ID_MEASURE_AREA, "measure_area",
       [](ViewerInput& in) { ViewerInput::call(in.hooks.start_measure_area); }},
      {ID_CLEAR_MEASUREMENTS, nullptr,
       [](ViewerInput& in) { ViewerInput::call(in.hooks.clear_measurements); }},
      {ID_SHOW_MEASUREMENTS, nullptr,
       [](ViewerInput& in) {
         if (!in.hooks.toggle_show_measurements) return;
         in.hooks.toggle_show_measurements();
         in.host().update_menu_state();
         in.host().invalidate();
       }},
      {ID_UNIT_MM, nullptr, [](ViewerInput& in) { in.set_measure_unit(0); }},
      {ID_UNIT_M, nullptr, [](ViewerInput& in) { in.set_measure_unit(1); }},
      {ID_UNIT_FT, nullptr, [](ViewerInput& in) { in.set_measure_unit(2); }},
      {ID_UNIT_IN, nullptr, [](ViewerInput& in) { in.set_measure_unit(3); }},
      {ID_MODEL_INFO, nullptr, [](ViewerInput& in) { in.viewer().show_model_info(); }},
      {ID_TOGGLE_THEME, nullptr, [](ViewerInput& in) { in.viewer().toggle_theme(); }},
      {ID_BAR_FIT, nullptr, fit},
      {ID_BAR_PERSPECTIVE, nullptr, toggle_perspective},
      {ID_BAR_MEASURE, nullptr, start_measure_distance},
      {ID_WALK, nullptr, [](ViewerInput& in) { ViewerInput::call(in.hooks.toggle_walk_mode); }},
      {ID_PREFERENCES, nullptr,
       [](ViewerInput& in) { ViewerInput::call(in.hooks.show_preferences_dialog); }},
      {ID_WALK_SETTINGS, nullptr,
       [](ViewerInput& in) { ViewerInput::call(in.hooks.show_walk_settings_dialog); }},
      {ID_SHORTCUTS, nullptr,
       [](ViewerInput& in) { ViewerInput::call(in.hooks.show_shortcut_dialog); }},
      // "清理 viewer 缓存": a menu item without an effect.
      {ID_CLEAR_CACHE, nullptr, nullptr},
      {ID_HELP_WEBSITE, nullptr,
       [](ViewerInput& in) { in.input_host().open_url(kProductWebSite); }},
      {ID_ABOUT, nullptr, [](ViewerInput& in) { ViewerInput::call(in.hooks.show_about_dialog); }},
      // Reached by a key only.
      {0, "section",
       [](ViewerInput& in) { in.viewer().show_toast(kSectionNotice, kCommandToastMs); }},
  };
  return kCommands;
}

const std::vector<CommandRange>& ranges() {
  static const std::vector<CommandRange> kRanges = {
      {ID_SCENE_FIRST, ID_SCENE_LAST, [](ViewerInput& in, int n) { in.goto_scene(n); }},
      {ID_LAYER_FIRST, ID_LAYER_LAST, [](ViewerInput& in, int n) { in.toggle_layer(n); }},
  };
  return kRanges;
}

}  // namespace

const std::vector<CommandDef>& command_table() { return commands(); }
const std::vector<CommandRange>& command_ranges() { return ranges(); }

const CommandDef* find_command(unsigned id) {
  if (id == 0) return nullptr;
  for (const CommandDef& c : commands()) {
    if (c.id == id) return &c;
  }
  return nullptr;
}

const CommandDef* find_action(const std::string& action) {
  for (const CommandDef& c : commands()) {
    if (c.action != nullptr && action == c.action) return &c;
  }
  return nullptr;
}

const CommandRange* find_command_range(unsigned id) {
  for (const CommandRange& r : ranges()) {
    if (id >= r.first && id <= r.last) return &r;
  }
  return nullptr;
}

// --- ViewerInput: keys and commands ------------------------------------------------------------

ViewerInput::ViewerInput(Viewer& viewer, ViewerHost& host, InputHost& input_host)
    : viewer_(viewer), host_(host), input_host_(input_host) {
  init_default_keybindings();
}

void ViewerInput::init_default_keybindings() { key_bindings = default_key_bindings(); }

bool ViewerInput::run_action(const std::string& action) {
  const CommandDef* command = find_action(action);
  if (command == nullptr) return false;
  if (command->handler != nullptr) command->handler(*this);
  return true;
}

void ViewerInput::process_keybinding(unsigned key, bool shift, bool ctrl) {
  const KeyBinding* binding = find_key_binding(key_bindings, key, shift, ctrl);
  if (binding == nullptr) return;
  // Copied: an action may replace the bindings it was found in.
  const std::string action = binding->action;
  run_action(action);
}

void ViewerInput::on_command(unsigned id) {
  if (const CommandRange* range = find_command_range(id)) {
    range->handler(*this, static_cast<int>(id - range->first));
    return;
  }
  const CommandDef* command = find_command(id);
  if (command != nullptr && command->handler != nullptr) command->handler(*this);
}

void ViewerInput::on_key_message(unsigned key) {
  if (walk_active()) {
    if (key == kKeyEscape) call(hooks.toggle_walk_mode);
    return;
  }
  on_key_down(key);
}

void ViewerInput::on_key_down(unsigned key) {
  const bool shift = input_host_.shift_down();
  process_keybinding(key, shift, input_host_.ctrl_down());

  // Taken after the binding ran: a layout key replaces the panes.
  Camera& camera = viewer_.active_viewport().camera;
  switch (key) {
    case kKeyAdd:
    case kKeyOemPlus:
    case kKeySubtract:
    case kKeyOemMinus: {
      // No zoom floor for the keys, only a distance that stays usable.
      const bool in = key == kKeyAdd || key == kKeyOemPlus;
      const float distance = (in ? kWheelZoomIn : kWheelZoomOut) * camera.distance;
      if (usable_distance(distance)) camera.distance = distance;
      host_.invalidate();
      break;
    }
    case kKeyTab:
      if (shift) {
        prev_scene();
      } else {
        next_scene();
      }
      break;
    case kKeyEnter:
      if (hooks.measuring_area && hooks.measuring_area()) {
        call(hooks.close_measure);
        host_.invalidate();
      }
      break;
    case kKeyEscape:
      if (measuring()) {
        call(hooks.end_measure);
        host_.invalidate();
      }
      break;
    case kKeyLeft:
    case kKeyRight:
    case kKeyUp:
    case kKeyDown: {
      // The view lock does not stop the arrows.
      const float step = (shift ? kArrowPanShift : kArrowPan) * camera.distance;
      if (key == kKeyLeft) camera.target_offset[0] -= step;
      if (key == kKeyRight) camera.target_offset[0] += step;
      if (key == kKeyUp) camera.target_offset[1] += step;
      if (key == kKeyDown) camera.target_offset[1] -= step;
      host_.invalidate();
      break;
    }
    default:
      break;
  }
}

// --- Operations of the table -------------------------------------------------------------------

void ViewerInput::toggle_flag(bool& flag) {
  flag = !flag;
  host_.update_menu_state();
  host_.invalidate();
}

void ViewerInput::toggle_perspective() {
  Camera& camera = viewer_.active_viewport().camera;
  camera.perspective = !camera.perspective;
  host_.update_menu_state();
  host_.invalidate();
}

void ViewerInput::toggle_view_lock() {
  Camera& camera = viewer_.active_viewport().camera;
  camera.view_locked = !camera.view_locked;
  viewer_.show_toast(camera.view_locked ? kViewLockedToast : kViewUnlockedToast, kCommandToastMs);
  host_.invalidate();
}

void ViewerInput::set_layout(int layout) {
  viewer_.set_layout(layout);
  // Fresh cameras are perspective ones: the check mark follows the new active pane.
  host_.update_menu_state();
}

void ViewerInput::set_measure_unit(int unit) {
  viewer_.measure_unit = unit;
  host_.update_menu_state();
}

}  // namespace lumeno
