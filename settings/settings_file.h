// The settings file "Tessary.ini": display and walk settings that survive a restart.
//
// Every setting is one row of a single table (section, key, member, default, range, written
// format); reading and writing both walk that table in its order, so the file's layout and the
// reading rules cannot drift apart. Reading is lenient: a missing file or key gives the default,
// a boolean is true only when its text starts with '1', a number that does not read (or is not
// finite) counts as 0, and every number is clamped to its range. Writing formats the members as
// they stand, except that the walk mode is settled first so the three walk-mode keys agree.
//
// Where the file lives: beside the executable. When that folder cannot be written (a read-only
// install folder), the settings go to "Lumeno\Tessary.ini" in the user's application-data folder
// instead, and are read from there at the next start as long as no file beside the executable
// exists.
#pragma once

#include <string>

#include "render/display_options.h"
#include "settings/profile_store.h"
#include "walk/walk_settings.h"

namespace lumeno {

// The members the file stores, owned elsewhere.
struct SettingsRefs {
  DisplayOptions& display;
  NavigationOptions& navigation;
  WalkSettings& walk;
};

enum class SettingKind { Flag, Number, Mode };

struct SettingDef {
  const wchar_t* section;
  const wchar_t* key;
  SettingKind kind;
  const wchar_t* default_text;      // used when the file or the key is missing
  float low, high;                  // Number: the clamp applied on reading
  const wchar_t* format;            // Number: how the member is written
  bool* (*flag)(SettingsRefs&);     // Flag: the member
  float* (*number)(SettingsRefs&);  // Number: the member
};

// The table, in the order the keys are read and written.
const SettingDef* settings_table(size_t* count);

constexpr wchar_t kSettingsFileName[] = L"Tessary.ini";
constexpr wchar_t kFallbackFolderName[] = L"Lumeno";

// Reads every key of the file at `path` into the members (defaults for what is missing), then
// settles the walk mode from "Mode", or from the older "GroundFollow"/"Collision" keys when
// "Mode" is empty. "Speed" sets both the stored and the current walk speed.
void read_settings(ProfileStore& store, const std::wstring& path, SettingsRefs refs);
// Writes every key in table order; false when any value could not be written.
bool write_settings(ProfileStore& store, const std::wstring& path, SettingsRefs refs);

class SettingsFile {
 public:
  // `exe_directory` and `app_data_directory` without a trailing backslash; an empty
  // application-data folder disables the fallback.
  SettingsFile(ProfileStore& store, std::wstring exe_directory, std::wstring app_data_directory);

  // exe_directory\Tessary.ini
  std::wstring primary_path() const;
  // app_data_directory\Lumeno\Tessary.ini, or empty without an application-data folder.
  std::wstring fallback_path() const;
  // The file beside the executable when it exists, else the fallback when that exists, else
  // the file beside the executable (which then gives the defaults).
  std::wstring read_path() const;

  void load(SettingsRefs refs) const;
  // Writes beside the executable; when that fails, into the fallback (creating its folder).
  // False when neither could be written.
  bool save(SettingsRefs refs) const;

 private:
  ProfileStore& store_;
  std::wstring exe_directory_;
  std::wstring app_data_directory_;
};

}  // namespace lumeno
