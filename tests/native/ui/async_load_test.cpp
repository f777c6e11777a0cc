// Loading on the window's thread and on a worker: titles, fitting, bad files; a cancelled load
// keeps and leaks nothing, the window keeps its model meanwhile, the percentage only grows up to
// 100.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>
#include <random>
#include <thread>

#include "model/load_progress.h"
#include "sdk/sketchup_api.h"
#include "tests/native/input/input_fixture.h"
#include "tests/native/support/byte_fed_sdk.h"
#include "tests/native/support/sdk_binding.h"

namespace lumeno {
namespace {

using json = nlohmann::json;

// Every call through a tapped entry first runs g_on_call with the entry's tag, on the loading
// thread.
std::function<void(int)> g_on_call;
template <int Tag, typename R, typename... A>
struct Tap {
  static inline R (*original)(A...) = nullptr;
  static R call(A... args) {
    if (g_on_call) g_on_call(Tag);
    return original(args...);
  }
};
template <int Tag, typename R, typename... A>
void tap(R (*&slot)(A...)) {
  Tap<Tag, R, A...>::original = slot;
  slot = &Tap<Tag, R, A...>::call;
}
constexpr int kFaceTag = 3;
// One entry of each stage of a load: opening, layers, each entities list, each face, scenes.
void tap_load_stages() {
  SketchUpAPI& api = SketchUpAPI::instance();
  tap<0>(api.SUModelCreateFromFile);
  tap<1>(api.SUModelGetNumLayers);
  tap<2>(api.SUEntitiesGetNumFaces);
  tap<kFaceTag>(api.SUMeshHelperCreate);
  tap<4>(api.SUModelGetNumScenes);
}

struct FakeLoad {
  bool ok = false;
  size_t calls = 0;
  test::FakeSdkReport report;
};

// A load through the seeded fake SDK, cancelled at tapped call `cancel_at` (0: never).
FakeLoad load_through_fake(uint64_t seed, size_t cancel_at, SkpModel& model) {
  // Small limits: the fake's counts can be huge.
  model.limits.triangles = 400;
  model.limits.edges = 200;
  model.limits.work_items = 300;
  model.limits.list_entries = model.limits.edges_per_list = 12;
  model.limits.mesh_vertices = model.limits.mesh_triangles = 64;
  std::mt19937_64 random(seed);
  test::ByteFeed feed(&random);
  test::install_byte_fed_sdk(&feed, 0);
  tap_load_stages();
  LoadProgress progress;
  FakeLoad load;
  g_on_call = [&](int) {
    if (++load.calls == cancel_at) progress.cancel();
  };
  load.ok = model.load_from_file("fake.skp", &progress);
  g_on_call = nullptr;
  load.report = test::byte_fed_sdk_report();
  test::uninstall_byte_fed_sdk();
  return load;
}

TEST(AsyncLoad, CancelledAtAnyCallLoadsNothingAndReleasesEverySdkObject) {
  LoadProgress progress;  // whatever a stage reports, the percentage never goes back
  progress.advance_to(0.5);
  progress.advance_to(0.2);
  EXPECT_EQ(progress.percent(), 50);

  uint64_t seed = 0;
  FakeLoad full;
  for (uint64_t s = 1; s < 200 && seed == 0; ++s) {
    SkpModel model;
    full = load_through_fake(s, 0, model);
    if (full.ok && model.triangles.size() >= 5 && full.calls <= 1000) seed = s;
  }
  ASSERT_NE(seed, 0u) << "no seed gives a model worth cancelling";

  for (size_t at = 1; at <= full.calls; ++at) {
    SCOPED_TRACE(at);
    SkpModel model;
    const FakeLoad cut = load_through_fake(seed, at, model);
    EXPECT_FALSE(cut.ok || model.loaded);
    EXPECT_TRUE(model.triangles.empty() && model.edges.empty() && model.layers.empty() &&
                model.scenes.empty() && model.textures.empty());
    EXPECT_EQ(cut.report.models_alive + cut.report.meshes_alive + cut.report.strings_alive, 0u);
    EXPECT_EQ(cut.report.contract_breaches, 0u) << cut.report.first_breach;
  }
}

// `count` separate 15 x 10 squares in groups of four.
std::string squares(int count) {
  json groups = json::array();
  for (int i = 0; i < count; ++i) {
    if (i % 4 == 0) groups.push_back({{"entities", {{"faces", json::array()}}}});
    const int x = i * 20;
    groups.back()["entities"]["faces"].push_back(
        {{"outer", {{x, 0, 0}, {x + 15, 0, 0}, {x + 15, 10, 0}, {x, 10, 0}}}});
  }
  return json{{"entities", {{"groups", groups}}}}.dump();
}

class LoadTest : public test::InputTest {
 protected:
  void SetUp() override {
    InputTest::SetUp();
    ASSERT_TRUE(test::bind_full_sdk(LUMENO_STANDIN_FULL_DIR)) << "stand-in SDK not loadable";
    tap_load_stages();
    char pattern[] = "/tmp/lumeno_load_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    released_ = true;
    viewer.on_destroy();  // joins every worker
    g_on_call = nullptr;
    if (!dir_.empty()) std::filesystem::remove_all(dir_);
  }
  std::string write(const std::string& name, const std::string& bytes) {
    std::ofstream(dir_ + "/" + name, std::ios::binary) << bytes;
    return dir_ + "/" + name;
  }
  // Starts loading `path`; returns once the worker is held at its `face`-th face until released_.
  void begin_held_load(const std::wstring& path, int face) {
    g_on_call = [this, face, faces = 0](int tag) mutable {
      if (tag != kFaceTag || ++faces != face) return;
      held_ = true;
      while (!released_) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    };
    viewer.begin_open_file(path);
    while (!held_) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  void tick() {
    host.run_until(host.now + kLoadInterval, [this](unsigned id) { viewer.on_timer(id); });
  }

  std::string dir_;
  std::atomic<bool> held_{false}, released_{false};
};

TEST_F(LoadTest, EachModelReplacesTheLastWithItsTitleAndFit) {
  viewer.set_layout(2);
  const uint64_t revision = viewer.document.revision;
  ASSERT_TRUE(viewer.open_file_utf8(write("house.skp", squares(1))));
  EXPECT_EQ(host.titles,
            (std::vector<std::wstring>{L"Lumeno — 正在加载...",
                                       L"Lumeno — 顶点: 6 | 三角形: 2 | 边线: 0 | 纹理: 0"}));
  EXPECT_TRUE(host.boxes.empty() && viewer.document.revision > revision && host.menu_rebuilds == 1);
  for (const Viewport& v : viewer.panes.viewports())  // 1.5 x the diagonal
    EXPECT_NEAR(v.camera.distance, 1.5f * std::sqrt(325.0f), 1e-3f);
  // Standalone edges only: fitted to the edge.
  const char* wire = R"({"entities":{"edges":[{"start":[100,0,0],"end":[130,40,0]}]}})";
  ASSERT_TRUE(viewer.open_file_utf8(write("wire.skp", wire)));
  EXPECT_EQ(host.title(), L"Lumeno — 顶点: 0 | 三角形: 0 | 边线: 1 | 纹理: 0");
  EXPECT_FLOAT_EQ(viewer.panes.viewports()[1].camera.distance, 75.0f);
  EXPECT_FLOAT_EQ(viewer.bounds().centre().x, 115.0f);

  // A wide path is kept as given and reaches the SDK as UTF-8.
  const std::string path = write("模型 房.skp", squares(1));
  EXPECT_TRUE(viewer.open_file(utf8_to_wide(path)));
  EXPECT_TRUE(viewer.document.path == utf8_to_wide(path) &&
              viewer.document.model.file_path == path);
}

TEST_F(LoadTest, BadFilesAreReportedAndLeaveNoModel) {
  std::string garbage;
  for (int i = 0; i < 4096; ++i) garbage.push_back(static_cast<char>((i * 131 + 7) & 0xFF));
  const std::string bad[] = {"", squares(1).substr(0, 40), "[1, 2, 3]", garbage,
                             R"({"layers":[{"name":"only"}]})"};
  std::vector<std::string> paths = {dir_ + "/missing.skp", dir_};
  for (size_t i = 0; i < 5; ++i) paths.push_back(write(std::to_string(i) + ".skp", bad[i]));
  for (const std::string& path : paths) {
    SCOPED_TRACE(path);
    // Each bad file follows a good one: nothing of the good one may stay.
    ASSERT_TRUE(viewer.open_file_utf8(write("good.skp", squares(1))));
    const size_t boxes = host.boxes.size();
    EXPECT_FALSE(viewer.open_file_utf8(path));
    EXPECT_EQ(host.title(), L"Lumeno — 加载失败");
    ASSERT_EQ(host.boxes.size(), boxes + 1);
    EXPECT_EQ(host.boxes.back().text, L"无法打开模型文件。\n请确认文件格式正确且 SDK DLL 已就位。");
    EXPECT_TRUE(host.boxes.back().caption == L"加载错误" &&
                host.boxes.back().flags == kBoxIconError);
    EXPECT_FALSE(host.timer_running(kStatusTimer));
    const SkpModel& m = viewer.document.model;
    EXPECT_FALSE(m.loaded || !m.triangles.empty() || !m.edges.empty());
  }
}

TEST_F(LoadTest, HeldLoadKeepsTheModelShowsProgressAndEscapeCancelsBeforeTools) {
  ASSERT_TRUE(viewer.open_file(utf8_to_wide(write("first.skp", squares(2)))));
  const uint64_t revision = viewer.document.revision;
  ProbeTool tool;
  viewer.tools.push(&tool);

  begin_held_load(utf8_to_wide(write("second.skp", squares(40))), 10);
  tick();
  const std::wstring title = host.title(), prefix = L"Lumeno — 加载中... ";
  ASSERT_EQ(title.compare(0, prefix.size(), prefix), 0) << title;
  const int percent = std::stoi(title.substr(prefix.size()));
  EXPECT_TRUE(percent >= 30 && percent < 100 && title.back() == L'%') << percent;
  EXPECT_EQ(viewer.document.revision, revision);

  input.on_key_message(kKeyEscape);
  EXPECT_FALSE(viewer.loading() || host.timer_running(kLoadTimer) || !tool.events.empty());
  released_ = true;
  viewer.on_destroy();
  tick();
  EXPECT_EQ(viewer.document.model.triangles.size(), 4u);
  EXPECT_TRUE(viewer.document.path == utf8_to_wide(dir_ + "/first.skp") &&
              viewer.document.revision == revision);
  input.on_key_message(kKeyEscape);  // nothing loads: the tool has it
  EXPECT_EQ(tool.events.size(), 1u);
}

TEST_F(LoadTest, SecondFileReplacesTheHeldLoadAndItsPercentageEndsAt100) {
  begin_held_load(utf8_to_wide(write("a.skp", squares(40))), 3);
  const size_t first_title = host.titles.size();
  viewer.begin_open_file(utf8_to_wide(write("b.skp", squares(6))));
  released_ = true;
  viewer.wait_for_load();

  EXPECT_EQ(viewer.document.path, utf8_to_wide(dir_ + "/b.skp"));
  EXPECT_EQ(host.title(), L"Lumeno — 顶点: 36 | 三角形: 12 | 边线: 0 | 纹理: 0");
  std::vector<int> percents;
  for (size_t i = first_title; i + 1 < host.titles.size(); ++i) {
    const std::wstring& t = host.titles[i];
    ASSERT_EQ(t.find(L"Lumeno — 加载中... "), 0u) << t;
    percents.push_back(std::stoi(t.substr(t.find(L"... ") + 4)));
  }
  EXPECT_TRUE(!percents.empty() && std::is_sorted(percents.begin(), percents.end()) &&
              percents.back() == 100 && host.boxes.empty());
  EXPECT_EQ(viewer.document.model.outline_edges.size(), 24u);  // the outlines came too
}

}  // namespace
}  // namespace lumeno
