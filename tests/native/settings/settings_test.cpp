// Settings natively: the file through the table, and the feature against a scripted platform.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <map>
#include <set>
#include <tuple>

#include "core/command_ids.h"
#include "model/document.h"
#include "render/panes.h"
#include "sdk/sketchup_api.h"
#include "settings/save_as.h"
#include "settings/settings_feature.h"
#include "settings/settings_file.h"
#include "tests/native/ui/recording_host.h"

using namespace lumeno;

namespace {

struct MemoryProfileStore : lumeno::ProfileStore {  // in memory; some folders refuse writes
  using File = std::map<std::pair<std::wstring, std::wstring>, std::wstring>;  // section, key
  std::map<std::wstring, File> files;
  std::wstring read_only;  // a path under this folder cannot be written

  std::wstring get(const std::wstring& path, const wchar_t* section, const wchar_t* key,
                   const wchar_t* default_text) override {
    const auto file = files.find(path);
    if (file == files.end() || file->second.count({section, key}) == 0) return default_text;
    return file->second.at({section, key});
  }
  bool put(const std::wstring& path, const wchar_t* section, const wchar_t* key,
           const std::wstring& value) override {
    if (!read_only.empty() && path.rfind(read_only + L"\\", 0) == 0) return false;
    return files[path][{section, key}] = value, true;
  }
  bool file_exists(const std::wstring& path) override { return files.count(path) != 0; }
  bool make_folder(const std::wstring&) override { return true; }
};

const std::wstring kPath = L"C:\\app\\Tessary.ini", kAgain = L"C:\\app\\again.ini";

struct Members {
  DisplayOptions display;
  NavigationOptions navigation;
  WalkSettings walk;
  SettingsRefs refs() { return {display, navigation, walk}; }
};

TEST(SettingsFile, RoundTripKeepsEveryMemberWithItsDecimals) {
  MemoryProfileStore store;
  Members out;  // every member off its default
  out.display.show_edges = out.display.show_materials = out.display.show_lighting = false;
  out.navigation.rotate_sensitivity = 2.34f;
  out.walk.walk_speed = 3.456f, out.walk.current_walk_speed = 9.0f;  // the stored one is written
  out.walk.walk_mouse_sensitivity = 0.5f, out.walk.person_height = 1.8f, out.walk.step_height = 0;
  out.walk.walk_mode = WalkMode::Collision;  // flags left stale: writing settles the mode first
  out.walk.ground_follow = out.walk.collision = false;
  ASSERT_TRUE(write_settings(store, kPath, out.refs()));
  EXPECT_EQ(store.get(kPath, L"Walk", L"Speed", L""), L"3.46");
  EXPECT_EQ(store.get(kPath, L"Walk", L"Collision", L""), L"1");
  EXPECT_EQ(store.get(kPath, L"Display", L"RotateSensitivity", L""), L"2.3");
  Members in;
  read_settings(store, kPath, in.refs());
  EXPECT_TRUE(in.walk.walk_speed == 3.46f && in.walk.current_walk_speed == 3.46f);
  ASSERT_TRUE(write_settings(store, kAgain, in.refs()));
  EXPECT_EQ(store.files[kAgain], store.files[kPath]);  // what was read is what was written
}

// Each case: keys in the file, then keys as written back after reading it.
TEST(SettingsFile, ReadingRules) {
  using Keys = std::vector<std::pair<const wchar_t*, const wchar_t*>>;
  // clang-format off
  const std::pair<Keys, Keys> cases[] = {
      {{}, {{L"ShowEdges", L"1"}, {L"ShowMaterials", L"1"}, {L"ShowLighting", L"1"},
            {L"RotateSensitivity", L"1.0"}, {L"Speed", L"3.00"}, {L"MouseSensitivity", L"0.15"},
            {L"PersonHeight", L"1.65"}, {L"StepHeight", L"0.35"}, {L"Mode", L"1"}}},
      {{{L"ShowEdges", L"true"}, {L"ShowMaterials", L"1yes"}},
       {{L"ShowEdges", L"0"}, {L"ShowMaterials", L"1"}}},
      {{{L"Mode", L"7"}, {L"GroundFollow", L"0"}},
       {{L"Mode", L"2"}, {L"GroundFollow", L"1"}, {L"Collision", L"1"}}},
      {{{L"Mode", L"-1"}, {L"Collision", L"1"}}, {{L"Mode", L"0"}, {L"Collision", L"0"}}},
      {{{L"Collision", L"1"}, {L"GroundFollow", L"0"}}, {{L"Mode", L"2"}}},  // before Mode
      {{{L"Mode", L""}, {L"GroundFollow", L"0"}}, {{L"Mode", L"0"}}},
      {{{L"Speed", L"500"}}, {{L"Speed", L"80.00"}}},
      {{{L"Speed", L"abc"}, {L"MouseSensitivity", L"nan"}, {L"PersonHeight", L"inf"},
        {L"StepHeight", L"-1e999"}, {L"RotateSensitivity", L"1e999"}},
       {{L"Speed", L"0.10"}, {L"MouseSensitivity", L"0.02"}, {L"PersonHeight", L"0.20"},
        {L"StepHeight", L"0.00"}, {L"RotateSensitivity", L"0.1"}}},
  };
  // clang-format on
  const auto section = [](const std::wstring& key) {
    return key.rfind(L"Show", 0) == 0 || key == L"RotateSensitivity" ? L"Display" : L"Walk";
  };
  for (const auto& [file, written] : cases) {
    SCOPED_TRACE(testing::Message() << file.size() << " keys, first " << written[0].second);
    MemoryProfileStore store;
    for (const auto& [key, value] : file) store.put(kPath, section(key), key, value);
    Members m;
    m.display.show_edges = m.display.show_materials = false;  // reading must overwrite
    m.walk.walk_speed = 42.0f;
    read_settings(store, kPath, m.refs());
    EXPECT_EQ(m.walk.current_walk_speed, m.walk.walk_speed);
    write_settings(store, kAgain, m.refs());
    for (const auto& [key, value] : written)
      EXPECT_EQ(store.get(kAgain, section(key), key, L"?"), value) << key;
  }
}

TEST(SettingsFile, ReadOnlyFolderFallsBackToAppData) {
  MemoryProfileStore store;
  store.read_only = L"C:\\Program Files\\Lumeno";
  const SettingsFile file(store, L"C:\\Program Files\\Lumeno", L"C:\\Users\\u\\AppData");
  Members m;
  m.display.show_edges = false;
  ASSERT_TRUE(file.save(m.refs()));
  EXPECT_EQ(file.read_path(), L"C:\\Users\\u\\AppData\\Lumeno\\Tessary.ini");
  Members again;
  file.load(again.refs());
  EXPECT_FALSE(again.display.show_edges);
  // A file beside the executable wins once it exists.
  store.read_only.clear();
  store.put(file.primary_path(), L"Display", L"ShowEdges", L"1");
  EXPECT_EQ(file.read_path(), file.primary_path());
  // Without an application-data folder a failed write is reported.
  store.read_only = L"C:\\Program Files\\Lumeno";
  EXPECT_FALSE(SettingsFile(store, L"C:\\Program Files\\Lumeno", L"").save(m.refs()));
}

struct FakePlatform : SettingsPlatform {
  MemoryProfileStore store;
  SaveDialogRequest request;
  bool save_chosen = true;
  std::set<std::wstring> installed;
  std::vector<std::pair<std::wstring, std::wstring>> started;
  intptr_t association_result = 2;  // ERROR_FILE_NOT_FOUND
  DialogOutcome angle_outcome = DialogOutcome::Accepted;
  double angle = 0;  // what the dialog reads

  ProfileStore& profile() override { return store; }
  std::wstring exe_directory() override { return L"C:\\app"; }
  std::wstring app_data_directory() override { return L"C:\\data"; }
  bool ask_save_path(const SaveDialogRequest& r, SaveDialogResult* out) override {
    return request = r, *out = {L"D:\\out\\x.skp", 3}, save_chosen;  // SketchUp 2019
  }
  bool is_existing_file(const std::wstring& p) override { return installed.count(p) != 0; }
  intptr_t shell_open(const std::wstring& file, const std::wstring& params) override {
    return started.push_back({file, params}), installed.count(file) ? 42 : association_result;
  }
  DialogOutcome ask_view_angle(float, double* t) override { return *t = angle, angle_outcome; }
};

struct SdkLog {  // what the conversion asked of the SDK
  bool open_fails = false, released = false;
  SUResult save_result = SU_ERROR_NONE;
  int version = -1;
} sdk;

struct SettingsFeatureTest : ::testing::Test {
  Document document;
  Panes panes;
  DisplayOptions display;
  NavigationOptions navigation;
  WalkSettings walk;
  test::RecordingHost host;
  FakePlatform platform;
  SketchUpAPI api;
  std::vector<std::wstring> toasts;
  SettingsFeature feature{
      SettingsServices{document, panes, display, navigation, walk, host,
                       [this](const std::wstring& t, int) { toasts.push_back(t); }, api, platform}};

  void SetUp() override {
    sdk = SdkLog{};
    api.SUModelCreateFromFile = [](SUModelRef* m, const char*) {
      return sdk.open_fails ? SU_ERROR_GENERIC : (m->ptr = &sdk, SU_ERROR_NONE);
    };
    api.SUModelSaveToFileWithVersion = [](SUModelRef, const char*, SUModelVersion v) {
      return sdk.version = v, sdk.save_result;
    };
    api.SUModelRelease = [](SUModelRef* m) { return sdk.released = m->ptr, SU_ERROR_NONE; };
    document.model.loaded = true, document.path = L"D:\\a.b\\house.skp";
    panes.viewports().resize(2);
  }
  const test::RecordingHost::Box& box() { return host.boxes.back(); }
};

TEST(SaveAs, NamesFoldersAndTheFilterIndex) {
  const std::array<const wchar_t*, 3> names[] = {{L"D:\\a.b\\house.skp", L"D:\\a.b", L"house"},
                                                 {L"/home/u/m.v1.skp", L"/home/u", L"m.v1"},
                                                 {L"house.skp", L"", L"house"},
                                                 {L"D:\\a.b\\noext", L"D:\\a.b", L"noext"}};
  for (const auto& [path, folder, base] : names)
    EXPECT_TRUE(split_source_path(path).folder == folder && split_source_path(path).base == base);
  EXPECT_EQ(default_save_name(L"house"), L"house_v2021.skp");
  const std::wstring cut = default_save_name(std::wstring(300, L'x'));
  EXPECT_TRUE(cut.size() == kSaveNameBufferSize - 1 &&
              cut.substr(cut.size() - 10) == L"_v2021.skp");
  // The filter lists the newest first; SUModelVersion_SU2013 is 6, each release one more.
  for (int index = 1; index <= 9; ++index) {
    const std::wstring name = L"SketchUp " + std::to_wstring(2022 - index);
    EXPECT_TRUE(version_for_filter_index(index).name == name &&
                version_for_filter_index(index).model_version == 2022 - index - 2007);
    EXPECT_NE(save_filter().find(name + L" (*.skp)" + L'\0' + L"*.skp" + L'\0'), std::string::npos);
  }
  EXPECT_TRUE(version_for_filter_index(0).model_version == 14 &&
              version_for_filter_index(12).model_version == 6);  // out of range: the ends
}

TEST_F(SettingsFeatureTest, SaveAsConvertsReportsAndRefuses) {
  // Each step breaks one more thing; then the box of the next attempt (none when cancelled).
  // change, box text, box flags, version given to the save (-1: none)
  const std::tuple<std::function<void()>, const wchar_t*, unsigned, int> steps[] = {
      {[] {}, L"文件已成功保存为 SketchUp 2019 版本。\n\nD:\\out\\x.skp", kBoxIconInformation, 12},
      {[] { sdk.save_result = SU_ERROR_MODEL_VERSION; }, L"保存失败，错误码：13", kBoxIconError,
       12},
      {[] { sdk.open_fails = true; }, L"无法打开源文件进行转换。", kBoxIconError, -1},
      {[this] { platform.save_chosen = false; }, nullptr, 0, -1},
      {[this] { api.SUModelSaveToFileWithVersion = nullptr; }, L"当前 SDK 不支持另存低版本功能。",
       kBoxIconError, -1},
      {[this] { document.model.loaded = false; }, L"请先打开一个 SKP 文件。", kBoxIconWarning, -1}};
  for (const auto& [change, text, flags, version] : steps) {
    change();
    host.boxes.clear(), sdk.version = -1, sdk.released = false;
    feature.show_save_lower_version_dialog();
    ASSERT_EQ(host.boxes.size(), text ? 1u : 0u);
    EXPECT_TRUE(!text ||
                (box().text == text && box().flags == flags && box().caption == L"另存低版本"));
    EXPECT_TRUE(sdk.version == version && sdk.released == (version == 12)) << version;
  }
  EXPECT_TRUE(platform.request.file_name == L"house_v2021.skp" &&
              platform.request.folder == L"D:\\a.b");
}

TEST_F(SettingsFeatureTest, HandOffPrefersTheFixedOrderAndQuotesThePath) {
  const auto exe = [](const wchar_t* y) {
    return std::wstring(L"C:\\Program Files\\SketchUp\\SketchUp ") + y + L"\\SketchUp.exe";
  };
  document.path = L"D:\\my models\\a b.skp";
  platform.installed = {exe(L"2025"), exe(L"2019")};
  feature.open_in_sketchup();
  platform.installed.clear();
  feature.open_in_sketchup();  // none installed: the association, which fails
  const std::vector<std::pair<std::wstring, std::wstring>> started = {
      {exe(L"2019"), L"\"D:\\my models\\a b.skp\""}, {document.path, L""}};
  EXPECT_EQ(platform.started, started);
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(box().text, L"未找到 SketchUp 安装。\n\n请确认已安装 SketchUp，或手动关联 .skp 文件。");
  EXPECT_EQ(box().flags, kBoxIconError);
  platform.association_result = 42;
  feature.open_in_sketchup();
  EXPECT_EQ(host.boxes.size(), 1u);
}

TEST_F(SettingsFeatureTest, ViewAngleClampsAndChangesOnlyTheActivePane) {
  using O = DialogOutcome;
  const std::tuple<O, double, float, const wchar_t*> cases[] = {
      {O::Accepted, 150, 120, L"视角：120.00 度"},
      {O::Accepted, NAN, 1, L"视角：1.00 度"},
      {O::Accepted, 47.5, 47.5f, L"视角：47.50 度"},
      {O::Cancelled, 80, 47.5f, nullptr},
      {O::Failed, 80, 47.5f, nullptr}};
  for (const auto& [outcome, typed, fov, toast] : cases) {  // toast null: none
    panes.viewports()[0].camera.perspective = false;
    platform.angle_outcome = outcome, platform.angle = typed;
    const size_t shown = toasts.size();
    feature.show_view_angle_dialog();
    EXPECT_FLOAT_EQ(panes.viewports()[0].camera.fov, fov) << typed;
    EXPECT_EQ(panes.viewports()[0].camera.perspective, toast != nullptr);
    EXPECT_EQ(toasts.size() == shown ? L"" : toasts.back(), std::wstring(toast ? toast : L""));
  }
  EXPECT_FLOAT_EQ(panes.viewports()[1].camera.fov, 35.0f);
  EXPECT_EQ(box().text, L"无法打开视角设置窗口。");
}

TEST_F(SettingsFeatureTest, InformationBoxes) {
  for (const Command& c : feature.commands())
    if (c.id == ID_PREFERENCES || c.id == ID_SHORTCUTS || c.id == ID_ABOUT) c.run();
  ASSERT_EQ(host.boxes.size(), 3u);
  const wchar_t* captions[] = {L"偏好设置", L"快捷键", L"关于"};
  for (size_t i = 0; i < 3; ++i)
    EXPECT_TRUE(host.boxes[i].caption == captions[i] && host.boxes[i].flags == kBoxIconInformation);
  const std::wstring &about = host.boxes[2].text, tail = L"官网: " + std::wstring(kProductWebSite);
  EXPECT_EQ(about.substr(about.size() - tail.size()), tail);  // the help item's address
}

}  // namespace
