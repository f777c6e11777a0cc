// The built-in commands and the key and command dispatch built on the registry.
#include "ui/commands.h"

#include "ui/input.h"
#include "ui/menu_model.h"

namespace lumeno {

const wchar_t kSectionNotice[] = L"剖切功能（测试中）";
const wchar_t kViewLockedToast[] = L"视角已锁定";
const wchar_t kViewUnlockedToast[] = L"视角已解锁";
const wchar_t kScenePrefix[] = L"场景: ";

namespace {

// Virtual keys of the default bindings.
constexpr uint32_t kKeyF3 = 0x72;
constexpr uint32_t kKeyF8 = 0x77;
constexpr uint32_t key(char c) { return static_cast<uint32_t>(c); }

Command toggle(unsigned id, const char* action, const wchar_t* text, uint32_t key, bool& flag) {
  return make_command(
      id, action, text, key, [&flag] { flag = !flag; }, [&flag] { return flag; });
}

}  // namespace

void register_builtin_commands(ViewerInput& in) {
  Viewer& v = in.viewer();
  DisplayOptions& d = v.display;
  CommandRegistry& r = v.commands;
  auto fit = [&v] { v.fit_view(); };
  auto perspective = [&v] {
    Camera& camera = v.active_camera();
    camera.perspective = !camera.perspective;
  };
  auto layout = [&v](int n) { return [&v, n] { v.set_layout(n); }; };

  r.add(make_command(ID_OPEN_MODEL, "open", L"打开模型", key('O'),
                     [&in] { in.input_host().show_open_dialog(); }));
  r.add(make_command(ID_FIT_VIEW, "fit", L"适配窗口", key('F'), fit));
  r.add(toggle(ID_SHOW_EDGES, "edges", L"显示边线", key('K'), d.show_edges));
  r.add(toggle(ID_SHOW_MATERIALS, "materials", L"显示材质", key('M'), d.show_materials));
  r.add(toggle(ID_LIGHTING, "lighting", L"光照", key('G'), d.show_lighting));
  r.add(toggle(ID_SHADOWS, "shadows", L"阴影", key('S'), d.show_shadows));
  // Reverse shadow carries no check mark.
  r.add(make_command(ID_REVERSE_SHADOW, "reverse_shadow", L"反转阴影方向", key('H'),
                     [&d] { d.reverse_shadow = !d.reverse_shadow; }));
  r.add(make_command(0, "section", L"剖切", key('C'),
                     [&v] { v.show_toast(kSectionNotice, kCommandToastMs); }));
  r.add(make_command(ID_PERSPECTIVE, "perspective", L"透视/正交", kKeyF8, perspective, [&v] {
    const Viewport* pane = v.panes.active_or_null();
    return pane != nullptr ? pane->camera.perspective : Camera().perspective;
  }));
  r.add(make_command(
      ID_ZOOM_THROUGH, "", L"缩放穿透", 0,
      [&v] { v.navigation.zoom_through = !v.navigation.zoom_through; },
      [&v] { return v.navigation.zoom_through; }));
  r.add(toggle(ID_PERFORMANCE, "performance", L"性能模式", key('P'), d.performance_mode));
  r.add(make_command(ID_LOCK_VIEW, "lock", L"锁定视角", key('L'), [&v] {
    Camera& camera = v.active_camera();
    camera.view_locked = !camera.view_locked;
    v.show_toast(camera.view_locked ? kViewLockedToast : kViewUnlockedToast, kCommandToastMs);
  }));
  r.add(make_command(ID_LAYOUT_1, "layout_1", L"单窗口", key('1'), layout(1)));
  r.add(make_command(ID_LAYOUT_2, "layout_2", L"左右分屏", key('2'), layout(2)));
  r.add(make_command(ID_LAYOUT_3, "layout_3", L"一大两小", key('3'), layout(3)));
  r.add(make_command(ID_LAYOUT_4, "layout_4", L"四窗口", key('4'), layout(4)));
  r.add(make_command(ID_TOGGLE_LIST, "list", L"打开/关闭列表", kKeyF3,
                     [&v] { v.toggle_list_panel(); }));
  r.add(make_command(ID_MODEL_INFO, "", L"模型信息", 0, [&v] { v.show_model_info(); }));
  r.add(make_command(
      ID_TOGGLE_THEME, "", L"日间/夜间", 0, [&v] { v.toggle_theme(); }, {},
      [&d] { return theme_item_text(d.night_theme); }));
  r.add(make_command(ID_BAR_FIT, "", L"适配", 0, fit));
  r.add(make_command(ID_BAR_PERSPECTIVE, "", L"透视", 0, perspective));
  // "清理 viewer 缓存": an item without an effect.
  r.add(make_command(ID_CLEAR_CACHE, "", L"清理 viewer 缓存", 0, [] {}));
  r.add(make_command(ID_HELP_WEBSITE, "", L"使用说明", 0,
                     [&in] { in.input_host().open_url(kProductWebSite); }));
  r.add_range({ID_SCENE_FIRST, ID_SCENE_LAST, [&in](int n) { in.goto_scene(n); }});
  r.add_range({ID_LAYER_FIRST, ID_LAYER_LAST, [&in](int n) { in.toggle_layer(n); }});
}

// --- ViewerInput: keys and commands ------------------------------------------------------------

ViewerInput::ViewerInput(Viewer& viewer, ViewerHost& host, InputHost& input_host)
    : viewer_(viewer), host_(host), input_host_(input_host) {
  register_builtin_commands(*this);
  init_default_keybindings();
}

void ViewerInput::init_default_keybindings() {
  key_bindings.clear();
  for (const Command& c : viewer_.commands.commands()) {
    if (c.default_key != 0 && !c.action.empty())
      key_bindings.push_back(KeyBinding{c.default_key, false, false, c.action});
  }
}

void ViewerInput::refresh() {
  host_.update_menu_state();
  host_.invalidate();
}

bool ViewerInput::run_action(const std::string& action) {
  if (!viewer_.commands.run_action(action)) return false;
  refresh();
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
  if (viewer_.commands.run(id)) refresh();
}

void ViewerInput::on_key_message(unsigned key) {
  // Escape stops a running load before any tool sees it.
  if (key == kKeyEscape && viewer_.cancel_load()) return;
  if (InputTool* tool = viewer_.tools.active(); tool && tool->on_key_down(key)) return;
  on_key_down(key);
}

void ViewerInput::on_key_down(unsigned key) {
  const bool shift = input_host_.shift_down();
  process_keybinding(key, shift, input_host_.ctrl_down());

  // Taken after the binding ran: a layout key replaces the panes.
  Camera& camera = viewer_.active_camera();
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

}  // namespace lumeno
