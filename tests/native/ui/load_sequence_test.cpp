// The load sequence against the real stand-in SDK: title texts, fitting, the status timer, the
// failure box for unreadable, malformed, truncated and hostile files, and the statistics box.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tests/native/support/sdk_binding.h"
#include "tests/native/ui/recording_host.h"
#include "ui/text_convert.h"
#include "ui/viewer.h"

namespace lumeno {
namespace {

using json = nlohmann::json;
using test::RecordingHost;

const wchar_t kLoading[] = L"Lumeno — 正在加载...";
const wchar_t kFailed[] = L"Lumeno — 加载失败";
const wchar_t kErrorText[] = L"无法打开模型文件。\n请确认文件格式正确且 SDK DLL 已就位。";

json square_face(double size, const char* front = nullptr) {
  json face = {{"outer", {{0, 0, 0}, {size, 0, 0}, {size, size, 0}, {0, size, 0}}}};
  if (front != nullptr) face["front"] = front;
  return face;
}

// A 10 x 10 square on the ground, one standalone edge, one layer, one scene.
json small_model() {
  return json{
      {"layers", {{{"name", "Layer0"}}}},
      {"entities",
       {{"faces", {square_face(10)}}, {"edges", {{{"start", {0, 0, 0}}, {"end", {0, 0, 5}}}}}}},
      {"scenes",
       {{{"name", "Front"},
         {"camera", {{"eye", {5, -50, 0}}, {"target", {5, 5, 0}}, {"up", {0, 0, 1}}}}}}}};
}

class LoadSequenceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(test::bind_full_sdk(LUMENO_STANDIN_FULL_DIR)) << "stand-in SDK not loadable";
    char pattern[] = "/tmp/lumeno_view_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    viewer.set_layout(2);
    host.invalidations = 0;
  }
  void TearDown() override {
    std::error_code ignored;
    if (!dir_.empty()) std::filesystem::remove_all(dir_, ignored);
  }

  std::string write(const std::string& name, const std::string& bytes) {
    const std::string path = dir_ + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  void run_until(uint32_t t) {
    host.run_until(t, [this](unsigned id) { viewer.on_timer(id); });
  }

  void expect_failure_reported(size_t boxes_before) {
    EXPECT_EQ(host.title(), kFailed);
    ASSERT_EQ(host.boxes.size(), boxes_before + 1);
    EXPECT_EQ(host.boxes.back().text, kErrorText);
    EXPECT_EQ(host.boxes.back().caption, L"加载错误");
    EXPECT_EQ(host.boxes.back().flags, kBoxIconError);
    EXPECT_FALSE(host.timer_running(kStatusTimer));
    EXPECT_FALSE(viewer.document.model.loaded);
    EXPECT_TRUE(viewer.document.model.triangles.empty());
    EXPECT_TRUE(viewer.document.model.edges.empty());
  }

  std::string dir_;
  RecordingHost host;
  Viewer viewer{host};
};

TEST_F(LoadSequenceTest, SuccessShowsCountsFitsAndClearsTheTitleLater) {
  const std::string path = write("house.skp", small_model().dump());
  const uint64_t revision = viewer.document.revision;
  const uint32_t start = host.now;
  ASSERT_TRUE(viewer.open_file_utf8(path));

  EXPECT_EQ(host.titles, (std::vector<std::wstring>{
                             kLoading, L"Lumeno — 顶点: 6 | 三角形: 2 | 边线: 1 | 纹理: 0"}));
  EXPECT_TRUE(host.boxes.empty());
  EXPECT_GT(viewer.document.revision, revision);
  EXPECT_EQ(host.menu_rebuilds, 1);
  // Every pane fitted: diagonal of the 10 x 10 square times 1.5, looking at its centre.
  for (const Viewport& v : viewer.panes.viewports()) {
    EXPECT_NEAR(v.camera.distance, 1.5f * std::sqrt(200.0f), 1e-3f);
    EXPECT_EQ(v.camera.target_offset[0], 0.0f);
  }
  EXPECT_EQ(viewer.status.status_time, start);
  ASSERT_TRUE(host.timer_running(kStatusTimer));
  EXPECT_EQ(host.timers[kStatusTimer].interval, 3000u);

  run_until(start + 2999);
  EXPECT_EQ(host.title(), L"Lumeno — 顶点: 6 | 三角形: 2 | 边线: 1 | 纹理: 0");
  run_until(start + 3000);
  EXPECT_EQ(host.title(), L"Lumeno");
  EXPECT_FALSE(host.timer_running(kStatusTimer));
}

TEST_F(LoadSequenceTest, BadFilesAreReportedAndLeaveNoModel) {
  const std::string valid = small_model().dump();
  struct Case {
    const char* name;
    std::string bytes;
  };
  std::string garbage;
  for (int i = 0; i < 4096; ++i) garbage.push_back(static_cast<char>((i * 131 + 7) & 0xFF));
  const Case cases[] = {
      {"empty", ""},
      {"truncated", valid.substr(0, valid.size() / 2)},
      {"wrong type", "[1, 2, 3]"},
      {"binary garbage", garbage},
      {"no geometry", json{{"layers", {{{"name", "only"}}}}}.dump()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // Each bad file follows a good one: nothing of the good one may stay.
    ASSERT_TRUE(viewer.open_file_utf8(write("good.skp", valid)));
    const size_t boxes = host.boxes.size();
    EXPECT_FALSE(viewer.open_file_utf8(write("bad.skp", c.bytes)));
    expect_failure_reported(boxes);
  }
  // A missing file and a folder.
  for (const std::string& path : {dir_ + "/missing.skp", dir_}) {
    const size_t boxes = host.boxes.size();
    EXPECT_FALSE(viewer.open_file_utf8(path));
    expect_failure_reported(boxes);
  }
}

TEST_F(LoadSequenceTest, WidePathIsKeptAndConvertedToUtf8) {
  const std::string path = write("\xE6\xA8\xA1\xE5\x9E\x8B \xE6\x88\xBF.skp", small_model().dump());
  const std::wstring wide = utf8_to_wide(path);
  ASSERT_NE(wide.find(L"模型 房.skp"), std::wstring::npos);
  EXPECT_TRUE(viewer.open_file(wide));
  EXPECT_EQ(viewer.document.path, wide);
  EXPECT_EQ(viewer.document.model.file_path, path);
}

TEST_F(LoadSequenceTest, EachModelReplacesTheLastWithItsTitleAndFitAndSceneCameraApplies) {
  const json wire = {{"entities", {{"edges", {{{"start", {100, 0, 0}}, {"end", {130, 40, 0}}}}}}}};
  ASSERT_TRUE(viewer.open_file_utf8(write("wire.skp", wire.dump())));
  EXPECT_EQ(host.title(), L"Lumeno — 顶点: 0 | 三角形: 0 | 边线: 1 | 纹理: 0");
  EXPECT_FLOAT_EQ(viewer.panes.viewports()[0].camera.distance, 75.0f);  // 1.5 x the edge
  EXPECT_FLOAT_EQ(viewer.bounds().centre().x, 115.0f);

  json glass = small_model();
  // json::array: a one-element brace list would be a copy of the element for some compilers.
  glass["materials"] =
      json::array({{{"name", "glass"}, {"color", {100, 150, 255, 255}}, {"opacity", 0.4}}});
  glass["entities"]["faces"] = json::array({square_face(100, "glass")});
  glass["entities"].erase("edges");
  ASSERT_TRUE(viewer.open_file_utf8(write("b.skp", glass.dump())));
  EXPECT_EQ(host.title(), L"Lumeno — 顶点: 6 | 三角形: 2 | 边线: 0 | 纹理: 0 | 含透明材质");
  EXPECT_NEAR(viewer.panes.viewports()[1].camera.distance, 1.5f * std::sqrt(20000.0f), 1e-2f);

  // The scene's eye and target come back through the active pane's camera.
  ASSERT_EQ(viewer.document.model.scenes.size(), 1u);
  viewer.panes.select(1);
  viewer.apply_scene_camera(viewer.document.model.scenes[0]);
  const Camera& cam = viewer.panes.viewports()[1].camera;
  const Vec3 eye = camera_eye(cam, viewer.bounds().centre());
  EXPECT_NEAR(eye.x, 5.0f, 1e-3f);
  EXPECT_NEAR(eye.y, -50.0f, 1e-3f);
  EXPECT_NEAR(eye.z, 0.0f, 1e-3f);
  EXPECT_NEAR(cam.distance, 55.0f, 1e-3f);
}

}  // namespace
}  // namespace lumeno
