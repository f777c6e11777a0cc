// File opening rules that need no SDK: the drop test, the dialog filter, the statistics texts.
#include "ui/viewer_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/skp_model.h"

namespace lumeno {
namespace {

TEST(DropRule, ExtensionDecidesCaseInsensitively) {
  const std::wstring long_dir(250, L'd');
  const struct {
    std::wstring path;
    bool accepted;
  } cases[] = {
      {L"C:\\models\\MODEL.SKP", true},
      {L"C:\\models\\site.3Dm", true},
      {L"C:\\models\\house.skp.bak", false},
      {L"C:\\v1.skp\\house", false},              // a period in a folder name
      {L"C:\\house.s\u212Ap", false},             // a Kelvin sign must not fold into a 'k'
      {L"C:\\" + long_dir + L"\\a.skp", true},    // 259 characters
      {L"C:\\" + long_dir + L"\\ab.skp", false},  // 260: cut to ".sk"
  };
  for (const auto& c : cases) EXPECT_EQ(accepts_dropped_path(c.path), c.accepted) << c.path.size();
}

TEST(OpenDialog, FilterListPairsEndInTwoNulsAndTheLastIsSelected) {
  const std::wstring filter = open_dialog_filter();
  std::vector<std::wstring> parts;
  for (size_t start = 0, end; (end = filter.find(L'\0', start)) != std::wstring::npos;
       start = end + 1)
    parts.push_back(filter.substr(start, end - start));
  ASSERT_EQ(parts.size(), 7u);
  EXPECT_TRUE(parts.back().empty());
  EXPECT_EQ(parts[2 * (kOpenDialogFilterIndex - 1) + 1], L"*.skp;*.3dm");
}

TEST(LoadTexts, StatisticsOfAnEdgesOnlyModelDescribeItsEdgesAndTransparencyIsNamed) {
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
  model.has_transparency = true;
  EXPECT_EQ(load_result_text(model), L"顶点: 0 | 三角形: 0 | 边线: 1 | 纹理: 0 | 含透明材质");
}

}  // namespace
}  // namespace lumeno
