// The settings feature: the settings file, saving as an older version, the hand-off to SketchUp,
// the view-angle dialog and the three information boxes. The rules live here; what only the
// window can do (the profile store, folders, the save dialog, the view-angle dialog, the shell)
// comes through SettingsPlatform, which the Win32 shell implements and tests fake.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/command_registry.h"
#include "settings/settings_file.h"

class SketchUpAPI;

namespace lumeno {

class Panes;
class ViewerHost;
struct Document;

struct SaveDialogRequest {
  std::wstring filter;             // save_filter(): pairs of NUL-terminated strings, NUL at the end
  int filter_index = 1;            // preselected type (1-based)
  std::wstring file_name;          // proposed name, at most 259 characters
  std::wstring folder;             // initial folder; empty for none
  std::wstring title;              // "另存为低版本 SKP 文件"
  std::wstring default_extension;  // "skp"
};

struct SaveDialogResult {
  std::wstring path;     // the chosen file, as typed or kept in the dialog
  int filter_index = 1;  // the chosen type (1-based)
};

enum class DialogOutcome { Accepted, Cancelled, Failed };

class SettingsPlatform {
 public:
  virtual ~SettingsPlatform() = default;
  virtual ProfileStore& profile() = 0;
  // The executable's folder, without the trailing backslash.
  virtual std::wstring exe_directory() = 0;
  // The user's application-data folder; empty when unknown.
  virtual std::wstring app_data_directory() = 0;
  // The modal save dialog; false when the user cancelled.
  virtual bool ask_save_path(const SaveDialogRequest& request, SaveDialogResult* result) = 0;
  // True when `path` exists and is not a folder.
  virtual bool is_existing_file(const std::wstring& path) = 0;
  // The shell's "open" verb on `file` with `parameters` (empty for none); the shell's result
  // (32 or less is a failure).
  virtual intptr_t shell_open(const std::wstring& file, const std::wstring& parameters) = 0;
  // The modal view-angle dialog starting at `fov`; on Accepted, `typed` holds the number typed
  // (read leniently, not yet clamped).
  virtual DialogOutcome ask_view_angle(float fov, double* typed) = 0;
};

// What the feature works on, all owned elsewhere.
struct SettingsServices {
  Document& document;
  Panes& panes;
  DisplayOptions& display;
  NavigationOptions& navigation;
  WalkSettings& walk;
  ViewerHost& host;  // message boxes, repaint, menu check marks
  std::function<void(const std::wstring& text, int duration_ms)> show_toast;
  const SketchUpAPI& api;
  SettingsPlatform& platform;
};

class SettingsFeature {
 public:
  explicit SettingsFeature(SettingsServices services);

  // Reads the settings file into the display, navigation and walk members.
  void load_settings();
  // Writes them; false when neither the file beside the executable nor the fallback could be
  // written.
  bool save_settings();

  // File → "另存低版本" (1003).
  void show_save_lower_version_dialog();
  // File → "用 SketchUp 打开" (1002).
  void open_in_sketchup();
  // "视角..." (1407): sets the active pane's field of view.
  void show_view_angle_dialog();
  void show_preferences_dialog();
  void show_shortcut_dialog();
  void show_about_dialog();

  // The commands this feature answers: 1002, 1003, 1407, 1435, 1437, 1445.
  std::vector<Command> commands();

  SettingsFile settings_file();

 private:
  SettingsRefs refs() { return {s_.display, s_.navigation, s_.walk}; }
  int box(const std::wstring& text, const wchar_t* caption, unsigned flags);

  SettingsServices s_;
};

}  // namespace lumeno
