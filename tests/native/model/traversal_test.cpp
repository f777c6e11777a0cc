// Flattening groups and instances into world triangles and edges, and the limits of a load.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/native/model/standin_fixture.h"

namespace lumeno {
namespace test {
namespace {

class TraversalTest : public StandinModelTest {};

json definition(const char* name, const json& entities) {
  return json::array({{{"name", name}, {"entities", entities}}});
}
json place(const char* definition, const json& transform) {
  return {{"definition", definition}, {"transform", transform}};
}

json in_a_row(int count, bool faces) {
  json items = json::array();
  for (int i = 0; i < count; ++i) {
    items.push_back(faces ? square(i * 2.0, 0, 0, 1) : edge(point(i, 0, 0), point(i, 1, 0)));
  }
  return items;
}

// The instance scales by 2 through its w (0.5) and moves by 100; normals take no part of it.
TEST_F(TraversalTest, InstanceTimesGroupTimesPoint) {
  // D holds a quarter-turned group with a square at (1, 0, 0).
  json group = with(group_at(1), {{"transform", quarter_turn_z()}});
  // Placed once moved by (50, 0, 0) with w 0.5 (x 98..100, y 2..4) and once moved by
  // (300, 200, 7) with w 1 (x 299..300, y 201..202, z 7).
  json scaled = place("D", json::array({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 50, 0, 0, 0.5}));
  json moved = place("D", json::array({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 300, 200, 7, 1}));
  ASSERT_TRUE(load({{"definitions", definition("D", {{"groups", json::array({group})}})},
                    {"entities", {{"instances", json::array({scaled, moved})}}}}));
  ASSERT_EQ(model_.triangles.size(), 4u);
  EXPECT_TRUE(model_.bbox_min[0] == 98 && model_.bbox_min[1] == 2 && model_.bbox_min[2] == 0 &&
              model_.bbox_max[0] == 300 && model_.bbox_max[1] == 202 && model_.bbox_max[2] == 7);
  EXPECT_EQ(model_.triangles[0].vertices[0].nz, 1.0f);
}

// Two placements of one flat square: each turns the normal with its own transformation, even
// though the square's normal reads the same in both.
TEST_F(TraversalTest, EachPlacementTurnsItsOwnNormals) {
  json upright = place("S", json::array({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}));
  json tilted = place("S", json::array({1, 0, 0, 0, 0, 0, 1, 0, 0, -1, 0, 0, 100, 0, 0, 1}));
  ASSERT_TRUE(load({{"definitions", definition("S", with_faces(square(0, 0, 0, 1))["entities"])},
                    {"entities", {{"instances", json::array({upright, tilted})}}}}));
  ASSERT_EQ(model_.triangles.size(), 4u);
  for (const Triangle& t : model_.triangles) {
    const bool was_tilted = t.vertices[0].x >= 100;
    EXPECT_EQ(t.vertices[2].ny, was_tilted ? -1.0f : 0.0f);
    EXPECT_EQ(t.vertices[2].nz, was_tilted ? 0.0f : 1.0f);
  }
}

TEST_F(TraversalTest, ListsAreWalkedInStackOrderAndInheritTheNearestColour) {
  json materials = json::array({{{"name", "red"}, {"color", {255, 0, 0, 255}}},
                                {{"name", "blue"}, {"color", {0, 0, 255, 128}}},
                                {{"name", "green"}, {"color", {0, 255, 0, 255}}}});
  auto paint = [](json group, const char* material) {
    return with(group, {{"material", material}});
  };
  auto holding = [](json inner) { return json{{"entities", {{"groups", json::array({inner})}}}}; };
  json model = with_faces(square(-10, 0, 0, 1));
  model["materials"] = materials;
  model["entities"]["groups"] =
      json::array({paint(group_at(10), "red"), paint(holding(group_at(20)), "red"),
                   paint(holding(paint(group_at(30), "blue")), "red"),
                   paint(with_faces(with(square(50, 0, 0, 1), {{"front", "green"}})), "red")});
  ASSERT_TRUE(load(model));
  ASSERT_EQ(model_.triangles.size(), 10u);
  const struct {
    float x;
    int rgba[4];
  } faces[] = {
      {-10, {200, 200, 200, 255}},  // top level: grey
      {50, {0, 255, 0, 255}},       // the face's own material wins
      {30, {0, 0, 255, 128}},       // blue inside red wins, with its alpha
      {20, {255, 0, 0, 255}},       // unpainted group inside red
      {10, {255, 0, 0, 255}},       // in a red group
  };
  for (size_t i = 0; i < 5; ++i) {
    const auto& e = faces[i];
    EXPECT_EQ(triangle_at(e.x), &model_.triangles[2 * i]) << "face " << i;
    for (int k = 0; k < 4; ++k) {
      EXPECT_EQ(colour_byte(model_.triangles[2 * i], k), e.rgba[k]) << "x " << e.x;
    }
  }
}

TEST_F(TraversalTest, Depth64IsProcessedAndDepth65Dropped) {
  for (int levels : {64, 65}) {
    // Nested groups `levels` deep, a square at every level at z = level.
    json entities = with_faces(square(0, 0, levels, 1))["entities"];
    for (int level = levels - 1; level >= 0; --level) {
      entities = {{"faces", json::array({square(0, 0, level, 1)})},
                  {"groups", json::array({{{"entities", entities}}})}};
    }
    ASSERT_TRUE(load({{"entities", entities}}));
    EXPECT_EQ(model_.triangles.size(), 2u * 65) << levels << ": only the level below 64 is lost";
    EXPECT_FLOAT_EQ(model_.bbox_max[2], 64.0f);
  }
}

TEST_F(TraversalTest, HostileMeshArraysAndTextureCoordinates) {
  const json up2 = point(0, 0, 2);
  json bad_index = with(square(0, 0, 0, 1), {{"front", "tex"}});
  bad_index["mesh"] = {{"vertices", square(0, 0, 0, 1)["outer"]},
                       {"normals", json::array({up2, up2, up2, up2})},
                       {"stq", json::array({point(3, 5, 0), point(4, 6, 2)})},        // two of four
                       {"indices", json::array({0, 1, 2, 0, 2, 4, 3, 0, 2, 3, 0})}};  // 4: bad
  json few_normals = square(5, 0, 0, 1);  // coordinates, but no texture
  few_normals["mesh"] = {
      {"vertices", json::array({point(5, 0, 0), point(6, 0, 0), point(6, 1, 0)})},
      {"normals", json::array({point(0, 0.00005, 0)})},
      {"stq", json::array({point(1, 1, 1), point(1, 1, 1), point(1, 1, 1)})},
      {"indices", json::array({0, 1, 2})}};
  json model = with_faces({bad_index, few_normals});
  model["materials"] = json::array(
      {{{"name", "tex"}, {"texture", {{"width", 2}, {"height", 2}, {"fill", {1, 2, 3}}}}}});
  ASSERT_TRUE(load(model));
  ASSERT_EQ(model_.triangles.size(), 3u) << "the bad triple and the trailing pair are dropped";
  const TriangleVertex* v = model_.triangles[0].vertices;
  EXPECT_TRUE(v[0].u == 3 && v[0].v == 5 && v[0].nz == 1 && v[0].texture_index == 0 &&
              v[1].texture_index == 0);
  EXPECT_TRUE(v[1].u == 2 && v[1].v == 3);
  EXPECT_TRUE(v[2].u == 0 && v[2].v == 0 && v[2].texture_index == -1) << "no coordinate for it";
  const Triangle& second = model_.triangles[1];
  EXPECT_TRUE(second.vertices[0].y == 1 && second.vertices[0].x == 0);
  EXPECT_EQ(second.vertices[0].texture_index, -1) << "its first corner has no texture coordinate";
  const TriangleVertex* w = model_.triangles[2].vertices;
  EXPECT_FLOAT_EQ(w[0].ny, 0.00005f) << "too short to normalise";
  EXPECT_FLOAT_EQ(w[1].nz, 1.0f) << "missing normal reads as up";
  EXPECT_TRUE(w[0].texture_index == -1 && w[0].u == 0 && w[0].v == 0) << "no texture";
}

// A failed call or a limit drops only its own part; a failed transform leaves the identity.
TEST_F(TraversalTest, FailuresAndLimitsDropOnlyTheirPart) {
  model_.limits.triangles = 5;
  model_.limits.edges_per_list = 2;
  model_.limits.mesh_vertices = 4;
  json pentagon = {{"outer", json::array({point(0, 0, -9), point(2, 0, -9), point(3, 1, -9),
                                          point(1, 2, -9), point(-1, 1, -9)})}};
  json model =
      with_faces({pentagon, with(square(10, 0, 0, 1), {{"fail", {"SUMeshHelperCreate"}}})});
  model["layers"] = json::array({{{"name", "A"}}, {{"name", "B"}}});
  model["entities"]["edges"] = json::array(
      {with(edge(point(0, 0, 0), point(1, 1, 1)),
            {{"fail", {"SUEdgeGetStart", "SUEdgeGetStartVertex"}}}),
       with(edge(point(0, 0, 0), point(0, 5, 0)), {{"layer", "A"}}), in_a_row(1, false)[0]});
  json row = {{"transform", translation(40, 0, 10)},
              {"layer", "B"},
              {"entities", {{"faces", in_a_row(3, true)}, {"edges", in_a_row(3, false)}}}};
  model["entities"]["groups"] =
      json::array({row, with(group_at(20), {{"fail", {"SUGroupGetEntities"}}}),
                   with(group_at(30), {{"fail", {"SUGroupGetTransform"}},
                                       {"transform", translation(100, 0, 0)}})});
  ASSERT_TRUE(load(model));
  EXPECT_EQ(model_.triangles.size(), 5u) << "the second face of the row stops inside its mesh";
  EXPECT_TRUE(triangle_at(30) && triangle_at(42) && !triangle_at(10) && !triangle_at(20));
  EXPECT_TRUE(model_.bbox_max[0] == 43 && model_.bbox_min[2] == 0) << "only stored triangles";
  ASSERT_EQ(model_.edges.size(), 3u) << "two of each list, less the unreadable one";
  const EdgeData& a = model_.edges[0];
  const EdgeData& b = model_.edges[2];
  EXPECT_TRUE(a.end[1] == 5 && a.edge_layer == 0 && a.inherited_layer == -1);
  EXPECT_TRUE(b.start[0] == 41 && b.start[2] == 10 && b.edge_layer == -1 && b.inherited_layer == 1);
}

TEST_F(TraversalTest, SelfContainingDefinitionEndsAtTheWorkBound) {
  // D places itself twice: 2^64 lists; the work bound (top list + placements) ends the walk.
  json entities = with_faces(square(0, 0, 0, 1))["entities"];
  entities["instances"] =
      json::array({place("D", translation(1, 0, 0)), place("D", translation(0, 1, 0))});
  const json model = {{"definitions", definition("D", entities)},
                      {"entities",
                       {{"edges", in_a_row(1, false)},
                        {"instances", json::array({place("D", translation(0, 0, 0))})}}}};
  for (size_t triangle_limit : {10u, 100000u}) {
    model_.limits.triangles = triangle_limit;
    model_.limits.work_items = 1000;
    ASSERT_TRUE(load(model));
    EXPECT_EQ(model_.triangles.size(), std::min<size_t>(triangle_limit, 2 * 999));
    EXPECT_EQ(model_.edges.size(), 1u);
    EXPECT_EQ(model_.work_items_visited(), 1000u);
  }
}

}  // namespace
}  // namespace test
}  // namespace lumeno
