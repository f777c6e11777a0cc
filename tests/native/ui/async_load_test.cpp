// Loading on a worker thread: a load cancelled at any SDK call loads nothing and leaks no SDK
// object; the percentage only grows and ends at 100; while the worker is held inside the SDK the
// window keeps its model and shows the percentage, Escape cancels before any tool sees it, and a
// second file replaces the first load.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <random>

#include "model/load_progress.h"
#include "sdk/sketchup_api.h"
#include "tests/native/input/input_fixture.h"
#include "tests/native/support/byte_fed_sdk.h"
#include "tests/native/support/sdk_binding.h"
#include "ui/viewer_files.h"

namespace lumeno {
namespace {

// Every call through a tapped entry runs g_on_call (with the entry's tag) first, on whichever
// thread loads.
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
  std::vector<int> percents;  // seen at each tapped call and at the end
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
    load.percents.push_back(progress.percent());
    if (++load.calls == cancel_at) progress.cancel();
  };
  load.ok = model.load_from_file("fake.skp", &progress);
  g_on_call = nullptr;
  load.percents.push_back(progress.percent());
  load.report = test::byte_fed_sdk_report();
  test::uninstall_byte_fed_sdk();
  return load;
}

TEST(AsyncLoad, CancelledAtAnyCallLoadsNothingAndReleasesEverySdkObject) {
  uint64_t seed = 0;
  FakeLoad full;
  for (uint64_t s = 1; s < 200 && seed == 0; ++s) {
    SkpModel model;
    full = load_through_fake(s, 0, model);
    if (full.ok && model.triangles.size() >= 5 && full.calls <= 1000) seed = s;
  }
  ASSERT_NE(seed, 0u) << "no seed gives a model worth cancelling";
  EXPECT_TRUE(std::is_sorted(full.percents.begin(), full.percents.end()));
  EXPECT_EQ(full.percents.back(), 100);

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

// A model of `count` separate squares in groups of four, and `edges` standalone edges.
std::string squares(int count, int edges) {
  std::string groups;
  for (int i = 0; i < count; i += 4) {
    std::string faces;
    for (int k = i; k < std::min(count, i + 4); ++k) {
      const std::string x = std::to_string(k * 20), x2 = std::to_string(k * 20 + 15);
      faces += std::string(faces.empty() ? "" : ",") + "{\"outer\":[[" + x + ",0,0],[" + x2 +
               ",0,0],[" + x2 + ",10,0],[" + x + ",10,0]]}";
    }
    groups += std::string(groups.empty() ? "" : ",") + "{\"entities\":{\"faces\":[" + faces + "]}}";
  }
  std::string lines;
  for (int i = 0; i < edges; ++i) {
    lines += std::string(lines.empty() ? "" : ",") + "{\"start\":[0,0,0],\"end\":[0,0," +
             std::to_string(i + 1) + "]}";
  }
  return "{\"entities\":{\"groups\":[" + groups + "],\"edges\":[" + lines + "]}}";
}

class WorkerLoad : public test::InputTest {
 protected:
  void SetUp() override {
    InputTest::SetUp();
    ASSERT_TRUE(test::bind_full_sdk(LUMENO_STANDIN_FULL_DIR)) << "stand-in SDK not loadable";
    tap_load_stages();
    char pattern[] = "/tmp/lumeno_async_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    release_worker();
    viewer.on_destroy();  // joins every worker
    g_on_call = nullptr;
    std::filesystem::remove_all(dir_);
  }
  std::wstring write(const std::string& name, const std::string& text) {
    std::ofstream(dir_ + "/" + name) << text;
    return utf8_to_wide(dir_ + "/" + name);
  }
  // Holds the worker inside the SDK at its `face`-th face until release_worker().
  void hold_worker_at_face(int face) {
    int faces = 0;
    g_on_call = [this, face, faces](int tag) mutable {
      if (tag != kFaceTag || ++faces != face) return;
      std::unique_lock<std::mutex> lock(gate_);
      held_ = true;
      changed_.notify_all();
      changed_.wait(lock, [this] { return released_; });
    };
  }
  void wait_until_held() {
    std::unique_lock<std::mutex> lock(gate_);
    changed_.wait(lock, [this] { return held_; });
  }
  void release_worker() {
    std::lock_guard<std::mutex> lock(gate_);
    released_ = true;
    changed_.notify_all();
  }
  void tick() {
    host.run_until(host.now + kLoadInterval, [this](unsigned id) { viewer.on_timer(id); });
  }

  std::string dir_;
  std::mutex gate_;
  std::condition_variable changed_;
  bool held_ = false;
  bool released_ = false;
};

TEST_F(WorkerLoad, HeldLoadKeepsTheModelShowsProgressAndEscapeCancelsBeforeTools) {
  ASSERT_TRUE(viewer.open_file(write("first.skp", squares(2, 0))));
  const uint64_t revision = viewer.document.revision;
  ProbeTool tool;
  tool.takes = true;
  viewer.tools.push(&tool);

  hold_worker_at_face(10);
  viewer.begin_open_file(write("second.skp", squares(40, 3)));
  wait_until_held();
  tick();
  const std::wstring title = host.title(), prefix = L"Lumeno — 加载中... ";
  ASSERT_EQ(title.compare(0, prefix.size(), prefix), 0) << title;
  const int percent = std::stoi(title.substr(prefix.size()));
  EXPECT_TRUE(percent >= 30 && percent < 100 && title.back() == L'%') << percent;
  EXPECT_EQ(viewer.document.revision, revision);

  input.on_key_message(kKeyEscape);
  EXPECT_FALSE(viewer.loading() || host.timer_running(kLoadTimer));
  EXPECT_TRUE(tool.events.empty());
  release_worker();
  viewer.on_destroy();
  tick();
  EXPECT_EQ(viewer.document.model.triangles.size(), 4u);
  EXPECT_EQ(viewer.document.path, utf8_to_wide(dir_ + "/first.skp"));
  EXPECT_EQ(viewer.document.revision, revision);
  input.on_key_message(kKeyEscape);  // nothing loads: the tool has it
  EXPECT_EQ(tool.events.size(), 1u);
}

TEST_F(WorkerLoad, SecondFileReplacesTheHeldLoadAndItsPercentageEndsAt100) {
  hold_worker_at_face(3);
  viewer.begin_open_file(write("a.skp", squares(40, 0)));
  wait_until_held();
  const size_t first_title = host.titles.size();
  viewer.begin_open_file(write("b.skp", squares(6, 2)));
  release_worker();
  viewer.wait_for_load();

  EXPECT_EQ(viewer.document.path, utf8_to_wide(dir_ + "/b.skp"));
  EXPECT_EQ(host.title(), L"Lumeno — 顶点: 36 | 三角形: 12 | 边线: 2 | 纹理: 0");
  std::vector<int> percents;
  for (size_t i = first_title; i + 1 < host.titles.size(); ++i) {
    const std::wstring& t = host.titles[i];
    ASSERT_EQ(t.find(L"Lumeno — 加载中... "), 0u) << t;
    percents.push_back(std::stoi(t.substr(t.find(L"... ") + 4)));
  }
  ASSERT_FALSE(percents.empty());
  EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));
  EXPECT_EQ(percents.back(), 100);
  EXPECT_EQ(host.boxes.size(), 0u);
  // The document holds what a direct load of the file gives, outlines included.
  SkpModel direct;
  ASSERT_TRUE(direct.load_from_file(dir_ + "/b.skp"));
  EXPECT_GT(direct.outline_edges.size(), 0u);
  EXPECT_EQ(viewer.document.model.outline_edges.size(), direct.outline_edges.size());
  EXPECT_EQ(viewer.document.model.edges.size(), direct.edges.size());
}

}  // namespace
}  // namespace lumeno
