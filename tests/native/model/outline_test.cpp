// Face outlines: the edges of faces a modeller sees drawn, each shared edge once, kept apart from
// the standalone edges the window counts.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "tests/native/model/standin_fixture.h"
#include "tests/native/support/sdk_binding.h"

namespace lumeno {
namespace test {
namespace {

json flagged(json e, const char* flag) {
  e[flag] = true;
  return e;
}

json unit_cube() {
  const json p[8] = {point(0, 0, 0), point(1, 0, 0), point(1, 1, 0), point(0, 1, 0),
                     point(0, 0, 1), point(1, 0, 1), point(1, 1, 1), point(0, 1, 1)};
  const int quads[6][4] = {{0, 3, 2, 1}, {4, 5, 6, 7}, {0, 1, 5, 4},
                           {1, 2, 6, 5}, {2, 3, 7, 6}, {3, 0, 4, 7}};
  json faces = json::array();
  for (const auto& q : quads) faces.push_back({{"outer", {p[q[0]], p[q[1]], p[q[2]], p[q[3]]}}});
  return faces;
}

// `n` side facets and two caps; the vertical seams alternate soft and smooth, except seam 0
// when `hard_seam`.
json cylinder(int n, bool hard_seam) {
  auto at = [n](int i, double z) {
    const double a = 2 * M_PI * (i % n) / n;
    return point(10 * std::cos(a), 10 * std::sin(a), z);
  };
  json faces = json::array(), seams = json::array(), top = json::array(), bottom = json::array();
  for (int i = 0; i < n; ++i) {
    faces.push_back({{"outer", {at(i, 0), at(i + 1, 0), at(i + 1, 10), at(i, 10)}}});
    top.push_back(at(i, 10));
    bottom.push_back(at(n - i, 0));
    if (i > 0 || !hard_seam)
      seams.push_back(flagged(edge(at(i, 0), at(i, 10)), i % 2 ? "soft" : "smooth"));
  }
  faces.push_back({{"outer", top}});
  faces.push_back({{"outer", bottom}});
  return {{"entities", {{"faces", faces}, {"face_edges", seams}}}};
}

class OutlineTest : public StandinModelTest {};

TEST_F(OutlineTest, CubeGivesTwelveUnitSegmentsApartFromStandaloneEdges) {
  json model = with_faces(unit_cube());
  model["entities"]["edges"] = {edge(point(5, 0, 0), point(6, 0, 0))};
  ASSERT_TRUE(load(model));
  EXPECT_EQ(model_.edges.size(), 1u) << "the count the window shows stays standalone";
  ASSERT_EQ(model_.outline_edges.size(), 12u);
  for (const EdgeData& e : model_.outline_edges) {
    EXPECT_FLOAT_EQ(std::hypot(e.end[0] - e.start[0], e.end[1] - e.start[1], e.end[2] - e.start[2]),
                    1.0f);
  }
}

TEST_F(OutlineTest, SoftAndSmoothSeamsAreLeftOut) {
  for (bool hard_seam : {false, true}) {
    ASSERT_TRUE(load(cylinder(12, hard_seam)));
    EXPECT_EQ(model_.outline_edges.size(), 24u + hard_seam) << "two rims plus the hard seam";
  }
}

TEST_F(OutlineTest, HiddenEdgesAreLeftOutAndHiddenLayersStayOff) {
  json model = with_faces(square(0, 0, 0, 1));
  model["layers"] = {{{"name", "off"}, {"visible", false}}};
  json on_layer = edge(point(1, 0, 0), point(1, 1, 0));
  on_layer["layer"] = "off";
  model["entities"]["face_edges"] = {flagged(edge(point(0, 0, 0), point(1, 0, 0)), "hidden"),
                                     on_layer};
  ASSERT_TRUE(load(model));
  ASSERT_EQ(model_.outline_edges.size(), 3u);
  size_t shown = 0;
  for (const EdgeData& e : model_.outline_edges)
    shown += model_.is_geometry_visible(e.edge_layer, e.inherited_layer);
  EXPECT_EQ(shown, 2u);
}

TEST_F(OutlineTest, EdgeLimitCountsBothKindsStandaloneFirst) {
  model_.limits.edges = 5;
  json model = with_faces(unit_cube());
  model["entities"]["edges"] = {edge(point(5, 0, 0), point(6, 0, 0)),
                                edge(point(7, 0, 0), point(8, 0, 0))};
  ASSERT_TRUE(load(model));
  EXPECT_EQ(model_.edges.size(), 2u);
  EXPECT_EQ(model_.outline_edges.size(), 3u);
}

TEST_F(OutlineTest, VendorShapedSdkGivesTheSameSegmentsAndMissingFlagsMeanHard) {
  const std::string path = write_model(cylinder(8, true));
  ASSERT_TRUE(model_.load_from_file(path));
  const std::vector<EdgeData> full = model_.outline_edges;
  ASSERT_EQ(full.size(), 17u);
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

TEST_F(OutlineTest, SampleHouseOutlinesItsTreeTrunksOnlyAtTheRims) {
  ASSERT_TRUE(model_.load_from_file(LUMENO_SAMPLES_DIR "/house.skp"));
  // Placed at (x, y) with a uniform scale s, stored as w = 1/s: the centre lands at s·(x, y).
  const float trees[4][2] = {{-96, -96}, {480, -100}, {-182, 442}, {800, 608}};
  size_t rims = 0, seams = 0;
  for (const EdgeData& e : model_.outline_edges) {
    for (const auto& t : trees) {
      if (std::hypot(e.start[0] - t[0], e.start[1] - t[1]) > 10 ||
          std::hypot(e.end[0] - t[0], e.end[1] - t[1]) > 10) {
        continue;
      }
      const bool vertical = e.start[0] == e.end[0] && e.start[1] == e.end[1];
      (vertical ? seams : rims) += 1;
    }
  }
  EXPECT_EQ(rims, 4u * 24);
  EXPECT_EQ(seams, 0u);
}

}  // namespace
}  // namespace test
}  // namespace lumeno
