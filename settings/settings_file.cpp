#include "settings/settings_file.h"

#include <iterator>

#include "core/bounded_format.h"
#include "settings/lenient_number.h"

namespace lumeno {
namespace {

constexpr wchar_t kDisplay[] = L"Display";
constexpr wchar_t kWalk[] = L"Walk";
constexpr size_t kNumberBufferSize = 64;

bool* edges(SettingsRefs& r) { return &r.display.show_edges; }
bool* materials(SettingsRefs& r) { return &r.display.show_materials; }
bool* lighting(SettingsRefs& r) { return &r.display.show_lighting; }
float* rotate(SettingsRefs& r) { return &r.navigation.rotate_sensitivity; }
float* speed(SettingsRefs& r) { return &r.walk.walk_speed; }
float* mouse(SettingsRefs& r) { return &r.walk.walk_mouse_sensitivity; }
float* height(SettingsRefs& r) { return &r.walk.person_height; }
float* step(SettingsRefs& r) { return &r.walk.step_height; }
bool* ground(SettingsRefs& r) { return &r.walk.ground_follow; }
bool* collision(SettingsRefs& r) { return &r.walk.collision; }

const SettingDef kTable[] = {
    {kDisplay, L"ShowEdges", SettingKind::Flag, L"1", 0, 0, nullptr, edges, nullptr},
    {kDisplay, L"ShowMaterials", SettingKind::Flag, L"1", 0, 0, nullptr, materials, nullptr},
    {kDisplay, L"ShowLighting", SettingKind::Flag, L"1", 0, 0, nullptr, lighting, nullptr},
    {kDisplay, L"RotateSensitivity", SettingKind::Number, L"1.0", 0.1f, 5.0f, L"%.1f", nullptr,
     rotate},
    {kWalk, L"Speed", SettingKind::Number, L"3.0", 0.1f, 80.0f, L"%.2f", nullptr, speed},
    {kWalk, L"MouseSensitivity", SettingKind::Number, L"0.15", 0.02f, 2.0f, L"%.2f", nullptr,
     mouse},
    {kWalk, L"PersonHeight", SettingKind::Number, L"1.65", 0.2f, 10.0f, L"%.2f", nullptr, height},
    {kWalk, L"StepHeight", SettingKind::Number, L"0.35", 0.0f, 5.0f, L"%.2f", nullptr, step},
    {kWalk, L"Mode", SettingKind::Mode, L"", 0, 0, nullptr, nullptr, nullptr},
    {kWalk, L"GroundFollow", SettingKind::Flag, L"1", 0, 0, nullptr, ground, nullptr},
    {kWalk, L"Collision", SettingKind::Flag, L"0", 0, 0, nullptr, collision, nullptr},
};

std::wstring format_number(const wchar_t* format, double value) {
  wchar_t buffer[kNumberBufferSize] = {};
  format_bounded(buffer, kNumberBufferSize, format, value);
  return buffer;
}

}  // namespace

const SettingDef* settings_table(size_t* count) {
  *count = std::size(kTable);
  return kTable;
}

void read_settings(ProfileStore& store, const std::wstring& path, SettingsRefs refs) {
  std::wstring mode_text;
  for (const SettingDef& def : kTable) {
    const std::wstring text = store.get(path, def.section, def.key, def.default_text);
    switch (def.kind) {
      case SettingKind::Flag:
        *def.flag(refs) = !text.empty() && text[0] == L'1';
        break;
      case SettingKind::Number:
        *def.number(refs) = clamp_setting(read_number(text), def.low, def.high);
        break;
      case SettingKind::Mode:
        mode_text = text;
        break;
    }
  }
  WalkSettings& walk = refs.walk;
  walk.current_walk_speed = walk.walk_speed;
  if (!mode_text.empty()) {
    walk.set_walk_mode(read_integer(mode_text));
  } else if (walk.collision) {
    // Files written before "Mode" existed: the two flags decide.
    walk.set_walk_mode(static_cast<int>(WalkMode::Collision));
  } else {
    walk.set_walk_mode(walk.ground_follow ? static_cast<int>(WalkMode::GroundFollow)
                                          : static_cast<int>(WalkMode::Free));
  }
}

bool write_settings(ProfileStore& store, const std::wstring& path, SettingsRefs refs) {
  bool all_written = true;
  for (const SettingDef& def : kTable) {
    std::wstring text;
    switch (def.kind) {
      case SettingKind::Flag:
        text = *def.flag(refs) ? L"1" : L"0";
        break;
      case SettingKind::Number:
        text = format_number(def.format, *def.number(refs));
        break;
      case SettingKind::Mode: {
        // Settled before it is written, so GroundFollow and Collision (written next) agree.
        refs.walk.set_walk_mode(static_cast<int>(refs.walk.walk_mode));
        text = std::to_wstring(static_cast<int>(refs.walk.walk_mode));  // "%d"
        break;
      }
    }
    if (!store.put(path, def.section, def.key, text)) all_written = false;
  }
  return all_written;
}

SettingsFile::SettingsFile(ProfileStore& store, std::wstring exe_directory,
                           std::wstring app_data_directory)
    : store_(store),
      exe_directory_(std::move(exe_directory)),
      app_data_directory_(std::move(app_data_directory)) {}

std::wstring SettingsFile::primary_path() const {
  return exe_directory_ + L"\\" + kSettingsFileName;
}

std::wstring SettingsFile::fallback_path() const {
  if (app_data_directory_.empty()) return {};
  return app_data_directory_ + L"\\" + kFallbackFolderName + L"\\" + kSettingsFileName;
}

std::wstring SettingsFile::read_path() const {
  const std::wstring primary = primary_path();
  if (store_.file_exists(primary)) return primary;
  const std::wstring fallback = fallback_path();
  if (!fallback.empty() && store_.file_exists(fallback)) return fallback;
  return primary;
}

void SettingsFile::load(SettingsRefs refs) const { read_settings(store_, read_path(), refs); }

bool SettingsFile::save(SettingsRefs refs) const {
  if (write_settings(store_, primary_path(), refs)) return true;
  const std::wstring fallback = fallback_path();
  if (fallback.empty()) return false;
  store_.make_folder(app_data_directory_ + L"\\" + kFallbackFolderName);
  return write_settings(store_, fallback, refs);
}

}  // namespace lumeno
