// The settings file: round trip through the table, the reading rule of every key, the walk-mode
// settlement and the fallback folder.
#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "tests/native/settings/memory_profile_store.h"

using namespace lumeno;

namespace {

const std::wstring kPath = L"C:\\app\\Tessary.ini";

struct Members {
  DisplayOptions display;
  NavigationOptions navigation;
  WalkSettings walk;
  SettingsRefs refs() { return {display, navigation, walk}; }
};

TEST(SettingsFile, RoundTripKeepsMembersWithTheirDecimals) {
  MemoryProfileStore store;
  Members out;
  out.display.show_edges = false;
  out.display.show_lighting = false;
  out.navigation.rotate_sensitivity = 2.34f;
  out.walk.walk_speed = 3.456f;
  out.walk.current_walk_speed = 9.0f;  // not stored: the stored speed is written
  out.walk.walk_mouse_sensitivity = 0.5f;
  out.walk.person_height = 1.8f;
  out.walk.step_height = 0.0f;
  out.walk.set_walk_mode(0);
  ASSERT_TRUE(write_settings(store, kPath, out.refs()));
  EXPECT_EQ(store.get(kPath, L"Walk", L"Speed", L""), L"3.46");
  EXPECT_EQ(store.get(kPath, L"Display", L"RotateSensitivity", L""), L"2.3");

  Members in;
  read_settings(store, kPath, in.refs());
  EXPECT_FALSE(in.display.show_edges);
  EXPECT_TRUE(in.display.show_materials);
  EXPECT_FALSE(in.display.show_lighting);
  EXPECT_FLOAT_EQ(in.navigation.rotate_sensitivity, 2.3f);
  EXPECT_FLOAT_EQ(in.walk.walk_speed, 3.46f);
  EXPECT_FLOAT_EQ(in.walk.current_walk_speed, 3.46f);
  EXPECT_FLOAT_EQ(in.walk.walk_mouse_sensitivity, 0.5f);
  EXPECT_FLOAT_EQ(in.walk.person_height, 1.8f);
  EXPECT_FLOAT_EQ(in.walk.step_height, 0.0f);
  EXPECT_EQ(in.walk.walk_mode, WalkMode::Free);
  EXPECT_FALSE(in.walk.ground_follow);
}

TEST(SettingsFile, WritingSettlesTheWalkModeFirst) {
  MemoryProfileStore store;
  Members m;
  m.walk.walk_mode = WalkMode::Collision;  // flags left stale on purpose
  m.walk.ground_follow = false;
  m.walk.collision = false;
  ASSERT_TRUE(write_settings(store, kPath, m.refs()));
  EXPECT_EQ(store.get(kPath, L"Walk", L"Mode", L""), L"2");
  EXPECT_EQ(store.get(kPath, L"Walk", L"GroundFollow", L""), L"1");
  EXPECT_EQ(store.get(kPath, L"Walk", L"Collision", L""), L"1");
}

struct ReadCase {
  const char* name;
  std::vector<std::pair<const wchar_t*, const wchar_t*>> walk;  // Walk section
  std::vector<std::pair<const wchar_t*, const wchar_t*>> display;
  std::function<void(const Members&)> check;
};

TEST(SettingsFile, ReadingRules) {
  const std::vector<ReadCase> cases = {
      {"missing file gives defaults",
       {},
       {},
       [](const Members& m) {
         EXPECT_TRUE(m.display.show_edges && m.display.show_materials && m.display.show_lighting);
         EXPECT_FLOAT_EQ(m.navigation.rotate_sensitivity, 1.0f);
         EXPECT_FLOAT_EQ(m.walk.walk_speed, 3.0f);
         EXPECT_FLOAT_EQ(m.walk.walk_mouse_sensitivity, 0.15f);
         EXPECT_FLOAT_EQ(m.walk.person_height, 1.65f);
         EXPECT_FLOAT_EQ(m.walk.step_height, 0.35f);
         EXPECT_EQ(m.walk.walk_mode, WalkMode::GroundFollow);
       }},
      {"true is not 1",
       {},
       {{L"ShowEdges", L"true"}, {L"ShowMaterials", L"1yes"}},
       [](const Members& m) {
         EXPECT_FALSE(m.display.show_edges);
         EXPECT_TRUE(m.display.show_materials);
       }},
      {"mode 7",
       {{L"Mode", L"7"}, {L"GroundFollow", L"0"}},
       {},
       [](const Members& m) {
         EXPECT_EQ(m.walk.walk_mode, WalkMode::Collision);
         EXPECT_TRUE(m.walk.ground_follow && m.walk.collision);
       }},
      {"mode -1",
       {{L"Mode", L"-1"}, {L"Collision", L"1"}},
       {},
       [](const Members& m) {
         EXPECT_EQ(m.walk.walk_mode, WalkMode::Free);
         EXPECT_FALSE(m.walk.ground_follow || m.walk.collision);
       }},
      {"old keys: collision",
       {{L"Collision", L"1"}, {L"GroundFollow", L"0"}},
       {},
       [](const Members& m) {
         EXPECT_EQ(m.walk.walk_mode, WalkMode::Collision);
         EXPECT_TRUE(m.walk.ground_follow);
       }},
      {"old keys: empty mode, no ground",
       {{L"Mode", L""}, {L"GroundFollow", L"0"}},
       {},
       [](const Members& m) { EXPECT_EQ(m.walk.walk_mode, WalkMode::Free); }},
      {"speed 500",
       {{L"Speed", L"500"}},
       {},
       [](const Members& m) {
         EXPECT_FLOAT_EQ(m.walk.walk_speed, 80.0f);
         EXPECT_FLOAT_EQ(m.walk.current_walk_speed, 80.0f);
       }},
      {"hostile numbers",
       {{L"Speed", L"abc"},
        {L"MouseSensitivity", L"nan"},
        {L"PersonHeight", L"inf"},
        {L"StepHeight", L"-1e999"}},
       {{L"RotateSensitivity", L"1e999"}},
       [](const Members& m) {
         EXPECT_FLOAT_EQ(m.walk.walk_speed, 0.1f);
         EXPECT_FLOAT_EQ(m.walk.walk_mouse_sensitivity, 0.02f);
         EXPECT_FLOAT_EQ(m.walk.person_height, 0.2f);
         EXPECT_FLOAT_EQ(m.walk.step_height, 0.0f);
         EXPECT_FLOAT_EQ(m.navigation.rotate_sensitivity, 0.1f);
       }},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.name);
    MemoryProfileStore store;
    for (const auto& [key, value] : c.walk) store.put(kPath, L"Walk", key, value);
    for (const auto& [key, value] : c.display) store.put(kPath, L"Display", key, value);
    Members m;
    m.display.show_edges = m.display.show_materials = false;  // reading must overwrite
    m.walk.walk_speed = 42.0f;
    read_settings(store, kPath, m.refs());
    c.check(m);
  }
}

TEST(SettingsFile, ReadOnlyFolderFallsBackToAppData) {
  MemoryProfileStore store;
  store.read_only_folders.insert(L"C:\\Program Files\\Lumeno");
  const SettingsFile file(store, L"C:\\Program Files\\Lumeno", L"C:\\Users\\u\\AppData");
  Members m;
  m.display.show_edges = false;
  ASSERT_TRUE(file.save(m.refs()));
  EXPECT_EQ(file.fallback_path(), L"C:\\Users\\u\\AppData\\Lumeno\\Tessary.ini");
  EXPECT_TRUE(store.folders.count(L"C:\\Users\\u\\AppData\\Lumeno"));
  EXPECT_EQ(file.read_path(), file.fallback_path());
  Members again;
  file.load(again.refs());
  EXPECT_FALSE(again.display.show_edges);

  // A file beside the executable wins once it exists.
  store.read_only_folders.clear();
  store.put(file.primary_path(), L"Display", L"ShowEdges", L"1");
  EXPECT_EQ(file.read_path(), file.primary_path());

  // Without an application-data folder a failed write is reported.
  store.read_only_folders.insert(L"C:\\Program Files\\Lumeno");
  EXPECT_FALSE(SettingsFile(store, L"C:\\Program Files\\Lumeno", L"").save(m.refs()));
}

}  // namespace
