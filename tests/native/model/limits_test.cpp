// The hard limits of a load, reached with small models through lowered limits, and the work
// bound that keeps self-containing or explosive instance trees from hanging the load.
#include <gtest/gtest.h>

#include "tests/native/model/standin_fixture.h"

namespace lumeno {
namespace test {
namespace {

class LimitsTest : public StandinModelTest {};

json faces_in_a_row(int count) {
  json faces = json::array();
  for (int i = 0; i < count; ++i) faces.push_back(square(i * 2.0, 0, 0, 1));
  return faces;
}

json edges_in_a_row(int count) {
  json edges = json::array();
  for (int i = 0; i < count; ++i) edges.push_back(edge(point(i, 0, 0), point(i, 1, 0)));
  return edges;
}

TEST_F(LimitsTest, TriangleLimitStopsFacesButNotEdges) {
  model_.limits.triangles = 5;
  json group = {{"entities", {{"faces", faces_in_a_row(2)}, {"edges", edges_in_a_row(3)}}}};
  json model = with_faces(faces_in_a_row(4));
  model["entities"]["groups"] = json::array({group});
  ASSERT_TRUE(load(model));
  EXPECT_EQ(model_.triangles.size(), 5u) << "the third face stops inside its mesh";
  EXPECT_EQ(model_.edges.size(), 3u) << "edges are still collected below a full triangle list";
  EXPECT_FLOAT_EQ(model_.bbox_max[0], 5.0f) << "only stored triangles count";
}

TEST_F(LimitsTest, EdgeLimitsPerModelAndPerList) {
  model_.limits.edges = 4;
  model_.limits.edges_per_list = 3;
  json group = {{"entities", {{"edges", edges_in_a_row(3)}}}};
  ASSERT_TRUE(
      load({{"entities", {{"edges", edges_in_a_row(5)}, {"groups", json::array({group})}}}}));
  ASSERT_EQ(model_.edges.size(), 4u);
  EXPECT_FLOAT_EQ(model_.edges[2].start[0], 2.0f) << "first three of the top list";
  EXPECT_FLOAT_EQ(model_.edges[3].start[0], 0.0f) << "then the group's first";
}

TEST_F(LimitsTest, MeshCountsOutsideTheLimitsSkipTheFace) {
  model_.limits.mesh_vertices = 4;
  model_.limits.mesh_triangles = 2;
  json pentagon = {{"outer", json::array({point(0, 0, 0), point(2, 0, 0), point(3, 1, 0),
                                          point(1, 2, 0), point(-1, 1, 0)})}};
  json empty_mesh = square(10, 0, 0, 1);
  empty_mesh["mesh"] = {{"vertices", json::array()}, {"indices", json::array()}};
  ASSERT_TRUE(load(with_faces({pentagon, square(5, 0, 0, 1), empty_mesh})));
  EXPECT_EQ(model_.triangles.size(), 2u) << "only the square fits";
  EXPECT_FLOAT_EQ(model_.bbox_min[0], 5.0f);
}

json place(const std::string& definition, const json& transform) {
  return {{"definition", definition}, {"transform", transform}};
}

TEST_F(LimitsTest, SelfContainingDefinitionEndsAtTheWorkBound) {
  // A definition that places itself twice: 2^64 entities lists within the depth limit. The
  // triangle limit is reached early; the walk goes on only while it may find edges, and the
  // work bound ends it. (The benchmark times the default bound on the same shape.)
  json entities = with_faces(square(0, 0, 0, 1))["entities"];
  entities["instances"] =
      json::array({place("D", translation(1, 0, 0)), place("D", translation(0, 1, 0))});
  model_.limits.triangles = 10;
  model_.limits.work_items = 100000;
  ASSERT_TRUE(load({{"definitions", json::array({{{"name", "D"}, {"entities", entities}}})},
                    {"entities",
                     {{"edges", edges_in_a_row(1)},
                      {"instances", json::array({place("D", translation(0, 0, 0))})}}}}));
  EXPECT_EQ(model_.triangles.size(), 10u);
  EXPECT_EQ(model_.edges.size(), 1u);
  EXPECT_EQ(model_.work_items_visited(), 100000u);
}

// Ten placements per level, `levels` levels: 10^(levels - 1) lists at the bottom, every one with
// a face and an edge.
json wide_and_deep(int levels) {
  json definitions = json::array();
  for (int level = 0; level < levels; ++level) {
    json entities = {{"faces", json::array({square(0, 0, 0, 1)})}, {"edges", edges_in_a_row(1)}};
    for (int i = 0; i < 10 && level + 1 < levels; ++i) {
      entities["instances"].push_back(
          place("L" + std::to_string(level + 1), translation(i, level, 0)));
    }
    definitions.push_back({{"name", "L" + std::to_string(level)}, {"entities", entities}});
  }
  return {{"definitions", definitions},
          {"entities", {{"instances", json::array({place("L0", translation(0, 0, 0))})}}}};
}

TEST_F(LimitsTest, WideAndDeepTreeEndsAtTheWorkBound) {
  model_.limits.triangles = 1000;
  model_.limits.edges = 1000000;
  model_.limits.work_items = 20000;
  ASSERT_TRUE(load(wide_and_deep(8)));
  EXPECT_EQ(model_.triangles.size(), 1000u);
  EXPECT_EQ(model_.work_items_visited(), 20000u);
  EXPECT_EQ(model_.edges.size(), 20000u - 1) << "every visited list but the top gave its edge";
}

TEST_F(LimitsTest, WorkBoundCountsEveryPlacement) {
  // Below the bound nothing is lost: the top list, then 1 + 10 + 100 placements with a face each.
  for (size_t bound : {112u, 111u}) {
    model_.limits.work_items = bound;
    ASSERT_TRUE(load(wide_and_deep(3)));
    EXPECT_EQ(model_.triangles.size(), 2u * (bound - 1));
    EXPECT_EQ(model_.work_items_visited(), bound);
  }
}

}  // namespace
}  // namespace test
}  // namespace lumeno
