// The feature's operations against a scripted platform: save-as names, versions and messages,
// the hand-off's candidate order and parameter, the view-angle clamp, the information texts.
#include "settings/settings_feature.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "core/command_ids.h"
#include "model/document.h"
#include "render/panes.h"
#include "sdk/sketchup_api.h"
#include "settings/save_as.h"
#include "tests/native/settings/memory_profile_store.h"
#include "core/viewer_host.h"

using namespace lumeno;

namespace {

struct Box {
  std::wstring text, caption;
  unsigned flags;
};

struct FakeHost : ViewerHost {
  std::vector<Box> boxes;
  void invalidate() override {}
  void set_timer(unsigned, unsigned) override {}
  void kill_timer(unsigned) override {}
  uint32_t tick_count() override { return 0; }
  void set_window_title(const std::wstring&) override {}
  int message_box(const std::wstring& t, const std::wstring& c, unsigned f) override {
    boxes.push_back({t, c, f});
    return kBoxResultOk;
  }
  void rebuild_scene_menu() override {}
  void update_menu_state() override {}
};

struct FakePlatform : SettingsPlatform {
  MemoryProfileStore store;
  SaveDialogRequest request;
  bool save_chosen = true;
  SaveDialogResult choice{L"D:\\out\\x.skp", 3};
  std::set<std::wstring> installed;
  std::vector<std::pair<std::wstring, std::wstring>> started;
  intptr_t association_result = 2;  // ERROR_FILE_NOT_FOUND
  DialogOutcome angle_outcome = DialogOutcome::Accepted;
  double angle_typed = 0;

  ProfileStore& profile() override { return store; }
  std::wstring exe_directory() override { return L"C:\\app"; }
  std::wstring app_data_directory() override { return L"C:\\data"; }
  bool ask_save_path(const SaveDialogRequest& r, SaveDialogResult* out) override {
    request = r;
    *out = choice;
    return save_chosen;
  }
  bool is_existing_file(const std::wstring& p) override { return installed.count(p) != 0; }
  intptr_t shell_open(const std::wstring& file, const std::wstring& params) override {
    started.push_back({file, params});
    return installed.count(file) ? 42 : association_result;
  }
  DialogOutcome ask_view_angle(float, double* typed) override {
    *typed = angle_typed;
    return angle_outcome;
  }
};

// The SDK calls of a save, as the conversion makes them.
struct SdkLog {
  bool open_fails = false;
  SUResult save_result = SU_ERROR_NONE;
  int version = -1;
  bool released = false;
} sdk_log;

SUResult fake_create(SUModelRef* model, const char*) {
  if (sdk_log.open_fails) return SU_ERROR_GENERIC;
  model->ptr = &sdk_log;
  return SU_ERROR_NONE;
}
SUResult fake_save(SUModelRef, const char*, SUModelVersion v) {
  sdk_log.version = static_cast<int>(v);
  return sdk_log.save_result;
}
SUResult fake_release(SUModelRef* model) {
  sdk_log.released = model->ptr != nullptr;
  return SU_ERROR_NONE;
}

struct SettingsFeatureTest : ::testing::Test {
  Document document;
  Panes panes;
  DisplayOptions display;
  NavigationOptions navigation;
  WalkSettings walk;
  FakeHost host;
  FakePlatform platform;
  SketchUpAPI api;
  std::vector<std::wstring> toasts;
  SettingsFeature feature{
      SettingsServices{document, panes, display, navigation, walk, host,
                       [this](const std::wstring& t, int) { toasts.push_back(t); }, api, platform}};

  void SetUp() override {
    sdk_log = SdkLog{};
    api.SUModelCreateFromFile = fake_create;
    api.SUModelSaveToFileWithVersion = fake_save;
    api.SUModelRelease = fake_release;
    document.model.loaded = true;
    document.path = L"D:\\a.b\\house.skp";
    panes.viewports().resize(2);
  }
  const Box& last_box() { return host.boxes.back(); }
};

TEST(SaveAs, NamesAndFolders) {
  struct Case {
    const wchar_t *path, *folder, *base;
  } cases[] = {{L"D:\\a.b\\house.skp", L"D:\\a.b", L"house"},
               {L"/home/u/m.v1.skp", L"/home/u", L"m.v1"},
               {L"house.skp", L"", L"house"},
               {L"D:\\a.b\\noext", L"D:\\a.b", L"noext"}};
  for (const Case& c : cases) {
    const SourceName n = split_source_path(c.path);
    EXPECT_EQ(n.folder, c.folder) << c.path;
    EXPECT_EQ(n.base, c.base) << c.path;
  }
  EXPECT_EQ(default_save_name(L"house"), L"house_v2021.skp");
  const std::wstring long_name = default_save_name(std::wstring(300, L'x'));
  EXPECT_EQ(long_name.size(), kSaveNameBufferSize - 1);
  EXPECT_EQ(long_name.substr(long_name.size() - 10), L"_v2021.skp");
}

TEST(SaveAs, FilterIndexGivesTheVendorVersionOfThatRelease) {
  // The filter lists the newest first; SUModelVersion_SU2013 is 6, each release one more.
  const std::wstring filter = save_filter();
  size_t at = 0;
  for (int index = 1; index <= 9; ++index) {
    const int year = 2022 - index;
    const std::wstring name = L"SketchUp " + std::to_wstring(year);
    EXPECT_EQ(version_for_filter_index(index).name, name);
    EXPECT_EQ(version_for_filter_index(index).model_version, year - 2007);
    std::wstring pair = name + L" (*.skp)";
    pair += L'\0';
    pair += L"*.skp";
    pair += L'\0';
    EXPECT_EQ(filter.substr(at, pair.size()), pair);
    at += pair.size();
  }
  EXPECT_EQ(filter.substr(at), std::wstring(1, L'\0'));
  EXPECT_EQ(version_for_filter_index(0).model_version, 14);
  EXPECT_EQ(version_for_filter_index(12).model_version, 6);
}

TEST_F(SettingsFeatureTest, SaveAsConvertsAndReports) {
  feature.show_save_lower_version_dialog();
  EXPECT_EQ(platform.request.file_name, L"house_v2021.skp");
  EXPECT_EQ(platform.request.folder, L"D:\\a.b");
  EXPECT_EQ(sdk_log.version, 12);  // index 3: SketchUp 2019
  EXPECT_TRUE(sdk_log.released);
  EXPECT_EQ(last_box().text, L"文件已成功保存为 SketchUp 2019 版本。\n\nD:\\out\\x.skp");
  EXPECT_EQ(last_box().flags, kBoxIconInformation);

  sdk_log = SdkLog{};
  sdk_log.save_result = SU_ERROR_MODEL_VERSION;
  feature.show_save_lower_version_dialog();
  EXPECT_TRUE(sdk_log.released);
  EXPECT_EQ(last_box().text, L"保存失败，错误码：13");

  sdk_log.open_fails = true;
  feature.show_save_lower_version_dialog();
  EXPECT_EQ(last_box().text, L"无法打开源文件进行转换。");
  EXPECT_EQ(last_box().caption, L"另存低版本");
}

TEST_F(SettingsFeatureTest, SaveAsRefusals) {
  platform.save_chosen = false;
  feature.show_save_lower_version_dialog();
  EXPECT_TRUE(host.boxes.empty());
  EXPECT_EQ(sdk_log.version, -1);

  api.SUModelSaveToFileWithVersion = nullptr;
  feature.show_save_lower_version_dialog();
  EXPECT_EQ(last_box().text, L"当前 SDK 不支持另存低版本功能。");
  EXPECT_EQ(last_box().flags, kBoxIconError);

  document.model.loaded = false;
  feature.show_save_lower_version_dialog();
  EXPECT_EQ(last_box().text, L"请先打开一个 SKP 文件。");
  EXPECT_EQ(last_box().flags, kBoxIconWarning);
}

TEST_F(SettingsFeatureTest, HandOffPrefersTheFixedOrderAndQuotesThePath) {
  const auto exe = [](const wchar_t* y) {
    return std::wstring(L"C:\\Program Files\\SketchUp\\SketchUp ") + y + L"\\SketchUp.exe";
  };
  document.path = L"D:\\my models\\a b.skp";
  platform.installed = {exe(L"2025"), exe(L"2019")};
  feature.open_in_sketchup();
  ASSERT_EQ(platform.started.size(), 1u);
  EXPECT_EQ(platform.started[0].first, exe(L"2019"));
  EXPECT_EQ(platform.started[0].second, L"\"D:\\my models\\a b.skp\"");

  platform.installed.clear();
  platform.started.clear();
  feature.open_in_sketchup();
  ASSERT_EQ(platform.started.size(), 1u);
  EXPECT_EQ(platform.started[0].first, document.path);
  EXPECT_EQ(last_box().text,
            L"未找到 SketchUp 安装。\n\n请确认已安装 SketchUp，或手动关联 .skp 文件。");
  EXPECT_EQ(last_box().flags, kBoxIconError);

  const size_t boxes = host.boxes.size();
  platform.association_result = 42;
  feature.open_in_sketchup();
  EXPECT_EQ(host.boxes.size(), boxes);
}

TEST_F(SettingsFeatureTest, ViewAngleClampsAndChangesOnlyTheActivePane) {
  struct Case {
    double typed;
    float fov;
    const wchar_t* toast;
  } cases[] = {{150, 120, L"视角：120.00 度"},
               {0, 1, L"视角：1.00 度"},
               {NAN, 1, L"视角：1.00 度"},
               {INFINITY, 1, L"视角：1.00 度"},
               {47.5, 47.5f, L"视角：47.50 度"}};
  for (const Case& c : cases) {
    panes.viewports()[0].camera.perspective = false;
    platform.angle_typed = c.typed;
    feature.show_view_angle_dialog();
    EXPECT_FLOAT_EQ(panes.viewports()[0].camera.fov, c.fov) << c.typed;
    EXPECT_TRUE(panes.viewports()[0].camera.perspective);
    EXPECT_EQ(toasts.back(), c.toast);
  }
  EXPECT_FLOAT_EQ(panes.viewports()[1].camera.fov, 35.0f);

  const size_t shown = toasts.size();
  platform.angle_typed = 80;
  platform.angle_outcome = DialogOutcome::Cancelled;
  feature.show_view_angle_dialog();
  EXPECT_EQ(toasts.size(), shown);
  platform.angle_outcome = DialogOutcome::Failed;
  feature.show_view_angle_dialog();
  EXPECT_EQ(toasts.size(), shown);
  EXPECT_FLOAT_EQ(panes.viewports()[0].camera.fov, 47.5f);
  EXPECT_EQ(last_box().text, L"无法打开视角设置窗口。");
}

TEST_F(SettingsFeatureTest, InformationBoxes) {
  for (const Command& c : feature.commands()) {
    if (c.id == ID_PREFERENCES || c.id == ID_SHORTCUTS || c.id == ID_ABOUT) c.run();
  }
  ASSERT_EQ(host.boxes.size(), 3u);
  const std::wstring captions[] = {L"偏好设置", L"快捷键", L"关于"};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(host.boxes[i].caption, captions[i]);
    EXPECT_EQ(host.boxes[i].flags, kBoxIconInformation);
  }
  EXPECT_EQ(host.boxes[0].text.rfind(L"偏好设置\n\n• 显示边线: K\n", 0), 0u);
  EXPECT_NE(host.boxes[1].text.find(L"\nF8 - 透视/正交\n1/2/3/4 - 视口布局\n"), std::wstring::npos);
  EXPECT_EQ(host.boxes[2].text.rfind(L"Lumeno\n版本 2.0\n\n作者：Harrow\n", 0), 0u);
  const std::wstring tail = L"• 视角锁定\n\n官网: " + std::wstring(kProductWebSite);
  EXPECT_EQ(host.boxes[2].text.substr(host.boxes[2].text.size() - tail.size()), tail);
}

}  // namespace
