// File opening rules that need no SDK: the drop test, the dialog filter, the title and statistics
// texts, and a load with no SDK bound.
#include "ui/viewer_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/skp_model.h"
#include "sdk/sketchup_api.h"
#include "tests/native/ui/recording_host.h"
#include "ui/viewer.h"

namespace lumeno {
namespace {

using test::RecordingHost;

TEST(DropRule, ExtensionDecidesCaseInsensitively) {
  struct Case {
    std::wstring path;
    bool accepted;
  };
  const std::wstring long_dir(250, L'd');
  const Case cases[] = {
      {L"C:\\models\\house.skp", true},
      {L"C:\\models\\MODEL.SKP", true},
      {L"C:\\models\\site.3DM", true},
      {L"C:\\models\\x.Skp", true},
      {L"/home/u/模型.skp", true},
      {L".skp", true},
      {L"C:\\models\\plan.dwg", false},
      {L"C:\\models\\house.skp.bak", false},
      {L"C:\\models\\house.sk", false},
      {L"C:\\models\\house.skp ", false},
      {L"C:\\models\\house", false},
      {L"", false},
      // The period is in a folder name: the "extension" runs on into the path.
      {L"C:\\v1.skp\\house", false},
      {L"C:\\dir.3dm\\", false},
      // A Kelvin sign must not fold into a 'k'.
      {L"C:\\house.s\u212Ap", false},
      // Paths are cut to 259 characters before the test.
      {L"C:\\" + long_dir + L"\\a.skp", true},           // 259 characters
      {L"C:\\" + long_dir + L"\\ab.skp", false},         // 260: cut to ".sk"
  };
  for (const Case& c : cases) {
    EXPECT_EQ(accepts_dropped_path(c.path), c.accepted) << c.path.size();
  }
  EXPECT_EQ(path_extension_lower(L"C:\\A.B\\C.SKP"), L".skp");
  EXPECT_EQ(path_extension_lower(L"C:\\A.B\\C"), L".b\\c");
  EXPECT_EQ(path_extension_lower(L"noext"), L"");
}

TEST(OpenDialog, FilterListHasThreeEntriesAndEndsInTwoNuls) {
  const std::wstring filter = open_dialog_filter();
  std::vector<std::wstring> parts;
  size_t start = 0;
  for (size_t i = 0; i < filter.size(); ++i) {
    if (filter[i] == L'\0') {
      parts.push_back(filter.substr(start, i - start));
      start = i + 1;
    }
  }
  const std::vector<std::wstring> expected = {
      L"SketchUp (*.skp)", L"*.skp", L"Rhino (*.3dm)", L"*.3dm", L"所有支持的文件",
      L"*.skp;*.3dm", L""};
  EXPECT_EQ(parts, expected);
  EXPECT_EQ(start, filter.size());
  EXPECT_EQ(kOpenDialogFilterIndex, 3u);
}

TEST(LoadTexts, StatisticsOfAnEdgesOnlyModelDescribeItsEdges) {
  SkpModel model;
  EdgeData e;
  e.start[0] = -1.0f;
  e.end[0] = 2.0f;
  e.end[1] = 4.0f;
  model.edges.push_back(e);
  model.loaded = true;
  EXPECT_EQ(model_info_text(model),
            L"模型统计信息\n\n顶点数: 0\n三角形数: 0\n边线数: 1\n纹理数: 0\n场景页: 0\n图层数: 0\n"
            L"透明材质: 否\n\n包围盒:\n  X: -1.0 ~ 2.0\n  Y: 0.0 ~ 4.0\n  Z: 0.0 ~ 0.0\n"
            L"  对角线: 5.0");
}

TEST(LoadSequence, WithoutAnSdkTheFailureIsReported) {
  SketchUpAPI::instance().unload();
  RecordingHost host;
  Viewer viewer(host);
  viewer.panes.init();
  const uint64_t revision = viewer.document.revision;
  EXPECT_FALSE(viewer.open_file(L"C:\\models\\house.skp"));
  EXPECT_EQ(viewer.document.path, L"C:\\models\\house.skp");
  EXPECT_EQ(host.titles,
            (std::vector<std::wstring>{L"Lumeno — 正在加载...", L"Lumeno — 加载失败"}));
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].text, L"无法打开模型文件。\n请确认文件格式正确且 SDK DLL 已就位。");
  EXPECT_EQ(host.boxes[0].caption, L"加载错误");
  EXPECT_EQ(host.boxes[0].flags, kBoxIconError);
  EXPECT_FALSE(host.timer_running(kStatusTimer));
  EXPECT_GT(viewer.document.revision, revision);
  EXPECT_EQ(host.menu_rebuilds, 0);
}

}  // namespace
}  // namespace lumeno
