// The Win32 side of the settings feature: the INI store over the private-profile functions, the
// executable's and the user's application-data folders, the save dialog, the shell, and the
// entry point the window calls once at start-up.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "settings/settings_feature.h"

namespace lumeno {

struct AppContext;

// The folder of the running executable (GetModuleFileNameW), without the trailing backslash;
// the whole path when it has no backslash.
std::wstring get_exe_directory();
// The user's roaming application-data folder; empty when the system does not give one.
std::wstring get_app_data_directory();

class Win32ProfileStore : public ProfileStore {
 public:
  std::wstring get(const std::wstring& path, const wchar_t* section, const wchar_t* key,
                   const wchar_t* default_text) override;
  bool put(const std::wstring& path, const wchar_t* section, const wchar_t* key,
           const std::wstring& value) override;
  bool file_exists(const std::wstring& path) override;
  bool make_folder(const std::wstring& path) override;
};

class Win32SettingsPlatform : public SettingsPlatform {
 public:
  // `owner`: the main window, owner of the dialogs and of the shell call.
  explicit Win32SettingsPlatform(HWND owner) : owner_(owner) {}
  ProfileStore& profile() override { return store_; }
  std::wstring exe_directory() override { return get_exe_directory(); }
  std::wstring app_data_directory() override { return get_app_data_directory(); }
  bool ask_save_path(const SaveDialogRequest& request, SaveDialogResult* result) override;
  bool is_existing_file(const std::wstring& path) override;
  intptr_t shell_open(const std::wstring& file, const std::wstring& parameters) override;
  DialogOutcome ask_view_angle(float fov, double* typed) override;

 private:
  HWND owner_;
  Win32ProfileStore store_;
};

// The feature with its platform, as the window keeps it for the whole run.
struct SettingsComponent {
  SettingsComponent(AppContext& ctx, WalkSettings& walk, HWND owner);
  Win32SettingsPlatform platform;
  SettingsFeature feature;
};

// Creates the feature for the main window `main_window`: registers its six commands, reads the
// settings file into the display, navigation and walk members, and adds the save to
// ctx.on_destroy (the component must outlive the window's destroy handling). Call it once after the
// menu and the GL context exist and before the viewport layout is built. `walk` is the walk
// feature's settings record.
std::unique_ptr<SettingsComponent> make_settings(AppContext& ctx, WalkSettings& walk,
                                                 HWND main_window);

}  // namespace lumeno
