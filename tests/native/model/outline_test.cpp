// Face outlines: shown hard edges of faces, each once, apart from standalone edges.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/native/model/standin_fixture.h"
#include "tests/native/support/sdk_binding.h"

namespace lumeno {
namespace test {
namespace {

// A prism of `n` facets, as tall as a facet is wide, with both caps; seam i is hard below
// `hard`, else soft (odd i) or smooth (even i). n = 4 is a cube. One standalone edge besides.
json prism(int n, int hard) {
  const double h = 20 * std::sin(M_PI / n);
  auto at = [n](int i, double z) {
    return point(10 * std::cos(2 * M_PI * (i % n) / n), 10 * std::sin(2 * M_PI * (i % n) / n), z);
  };
  json faces = json::array(), seams = json::array(), top = json::array(), bottom = json::array();
  for (int i = 0; i < n; ++i) {
    faces.push_back({{"outer", {at(i, 0), at(i + 1, 0), at(i + 1, h), at(i, h)}}});
    top.push_back(at(i, h));
    bottom.push_back(at(n - i, 0));
    json seam = edge(at(i, 0), at(i, h));
    if (i >= hard) seam[i % 2 ? "soft" : "smooth"] = true;
    seams.push_back(seam);
  }
  faces.push_back({{"outer", top}});
  faces.push_back({{"outer", bottom}});
  return {{"layers", {{{"name", "off"}, {"visible", false}}}},
          {"entities",
           {{"faces", faces},
            {"face_edges", seams},
            {"edges", {edge(point(50, 0, 0), point(60, 0, 0))}}}}};
}

class OutlineTest : public StandinModelTest {};

TEST_F(OutlineTest, OutlinesAreTheHardShownEdgesOfFacesApartFromStandaloneOnes) {
  json hidden = prism(4, 4);
  hidden["entities"]["face_edges"][0]["hidden"] = true;
  hidden["entities"]["face_edges"][1]["layer"] = "off";
  const struct {
    const char* name;
    json model;
    size_t stored, drawn;
  } cases[] = {{"cube", prism(4, 4), 12, 12},
               {"cylinder of soft facets: two rims", prism(12, 0), 24, 24},
               {"and one hard seam", prism(12, 1), 25, 25},
               {"hidden seam, seam on a hidden layer", hidden, 11, 10}};
  for (const auto& c : cases) {
    ASSERT_TRUE(load(c.model)) << c.name;
    EXPECT_EQ(model_.edges.size(), 1u) << c.name << ": the count the window shows";
    EXPECT_EQ(model_.outline_edges.size(), c.stored) << c.name;
    size_t drawn = 0;
    for (const EdgeData& e : model_.outline_edges)
      drawn += model_.is_geometry_visible(e.edge_layer, e.inherited_layer);
    EXPECT_EQ(drawn, c.drawn) << c.name;
  }
  model_.limits.edges = 5;
  ASSERT_TRUE(load(prism(4, 4)));
  EXPECT_EQ(model_.stored_edge_count(), 5u) << "one limit for both kinds";
}

TEST_F(OutlineTest, VendorShapedSdkGivesTheSameSegmentsAndMissingFlagsMeanHard) {
  const std::string path = write_model(prism(8, 1));
  ASSERT_TRUE(model_.load_from_file(path));
  const std::vector<EdgeData> full = model_.outline_edges;
  ASSERT_TRUE(bind_vendor_shaped_sdk(LUMENO_STANDIN_FULL_DIR));
  ASSERT_TRUE(model_.load_from_file(path));
  ASSERT_EQ(model_.outline_edges.size(), full.size());
  EXPECT_EQ(std::memcmp(full.data(), model_.outline_edges.data(), full.size() * sizeof(EdgeData)),
            0);
  ASSERT_TRUE(bind_sdk_hiding(LUMENO_STANDIN_FULL_DIR,
                              {"SUEdgeGetSoft", "SUEdgeGetSmooth", "SUDrawingElementGetHidden"}));
  ASSERT_TRUE(model_.load_from_file(path));
  EXPECT_EQ(model_.outline_edges.size(), 24u) << "every seam drawn";
}

}  // namespace
}  // namespace test
}  // namespace lumeno
