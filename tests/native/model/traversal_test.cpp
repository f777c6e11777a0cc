// Flattening groups and instances into world-space triangles and edges, through the stand-in.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "tests/native/model/standin_fixture.h"

namespace lumeno {
namespace test {
namespace {

class TraversalTest : public StandinModelTest {};

// Every corner of every triangle, as (x, y, z).
std::vector<std::array<float, 3>> corners(const SkpModel& model) {
  std::vector<std::array<float, 3>> out;
  for (const Triangle& t : model.triangles) {
    for (const TriangleVertex& v : t.vertices) out.push_back({v.x, v.y, v.z});
  }
  return out;
}

bool has_corner(const SkpModel& model, float x, float y, float z) {
  for (const auto& c : corners(model)) {
    if (std::fabs(c[0] - x) < 1e-4f && std::fabs(c[1] - y) < 1e-4f && std::fabs(c[2] - z) < 1e-4f) {
      return true;
    }
  }
  return false;
}

TEST_F(TraversalTest, InstanceTimesGroupTimesPoint) {
  // Definition "D" holds a group turned a quarter about z, which holds a unit square at
  // (1, 0, 0). The instance moves D by (100, 0, 0). Innermost first: turn, then move.
  json group = {{"transform", quarter_turn_z()},
                {"entities", {{"faces", json::array({square(1, 0, 0, 1)})}}}};
  json model = {
      {"definitions", json::array({{{"name", "D"}, {"entities", {{"groups", json::array({group})}}}}})},
      {"entities",
       {{"instances", json::array({{{"definition", "D"}, {"transform", translation(100, 0, 0)}}})}}}};
  ASSERT_TRUE(load(model));
  ASSERT_EQ(model_.triangles.size(), 2u);
  // (1,0)->(0,1)->(100,1); (2,0)->(100,2); (2,1)->(99,2); (1,1)->(99,1).
  EXPECT_TRUE(has_corner(model_, 100, 1, 0));
  EXPECT_TRUE(has_corner(model_, 100, 2, 0));
  EXPECT_TRUE(has_corner(model_, 99, 2, 0));
  EXPECT_TRUE(has_corner(model_, 99, 1, 0));
  EXPECT_FLOAT_EQ(model_.bbox_min[0], 99.0f);
  EXPECT_FLOAT_EQ(model_.bbox_max[0], 100.0f);
  EXPECT_FLOAT_EQ(model_.bbox_min[1], 1.0f);
  EXPECT_FLOAT_EQ(model_.bbox_max[1], 2.0f);
  // The face's normal (0, 0, 1) stays up under a turn about z.
  for (const Triangle& t : model_.triangles) {
    for (const TriangleVertex& v : t.vertices) EXPECT_NEAR(v.nz, 1.0f, 1e-6f);
  }
}

TEST_F(TraversalTest, UniformlyScaledInstanceUsesElement15) {
  // The vendor stores a uniform scale of 2 as 1/2 in element 15; it scales the translation too.
  json scaled = translation(10, 0, 0);
  scaled[15] = 0.5;
  json model = {
      {"definitions",
       json::array({{{"name", "D"}, {"entities", {{"faces", json::array({square(0, 0, 0, 1)})}}}}})},
      {"entities", {{"instances", json::array({{{"definition", "D"}, {"transform", scaled}}})}}}};
  ASSERT_TRUE(load(model));
  EXPECT_FLOAT_EQ(model_.bbox_min[0], 20.0f);
  EXPECT_FLOAT_EQ(model_.bbox_max[0], 22.0f);
  EXPECT_FLOAT_EQ(model_.bbox_max[1], 2.0f);
  for (const Triangle& t : model_.triangles) {
    for (const TriangleVertex& v : t.vertices) {
      EXPECT_NEAR(std::sqrt(v.nx * v.nx + v.ny * v.ny + v.nz * v.nz), 1.0f, 1e-6f);
    }
  }
}

TEST_F(TraversalTest, ADefinitionPlacedTwiceIsWalkedTwice) {
  json model = {
      {"definitions",
       json::array({{{"name", "D"}, {"entities", {{"faces", json::array({square(0, 0, 0, 1)})}}}}})},
      {"entities",
       {{"instances", json::array({{{"definition", "D"}, {"transform", translation(0, 0, 0)}},
                                   {{"definition", "D"}, {"transform", translation(5, 0, 0)}}})}}}};
  ASSERT_TRUE(load(model));
  EXPECT_EQ(model_.triangles.size(), 4u);
  EXPECT_EQ(model_.vertex_count, 12u);
  EXPECT_TRUE(has_corner(model_, 6, 1, 0));
}

TEST_F(TraversalTest, RecordsFollowTheStackOrder) {
  // Children of one list: the last instance first, then earlier instances, then groups from
  // last to first; the list's own faces before all of them. Each marks itself with its x.
  auto group_at = [](double x) {
    return json{{"entities", {{"faces", json::array({square(x, 0, 0, 1)})}}}};
  };
  json model = {
      {"definitions", json::array({{{"name", "I"}, {"entities", {{"faces", json::array({square(0, 0, 0, 1)})}}}}})},
      {"entities",
       {{"faces", json::array({square(-10, 0, 0, 1)})},
        {"groups", json::array({group_at(10), group_at(20)})},
        {"instances", json::array({{{"definition", "I"}, {"transform", translation(30, 0, 0)}},
                                   {{"definition", "I"}, {"transform", translation(40, 0, 0)}}})}}}};
  ASSERT_TRUE(load(model));
  ASSERT_EQ(model_.triangles.size(), 10u);
  const float expected_x[] = {-10, 40, 30, 20, 10};
  for (size_t face = 0; face < 5; ++face) {
    const Triangle& t = model_.triangles[face * 2];
    float min_x = std::min({t.vertices[0].x, t.vertices[1].x, t.vertices[2].x});
    EXPECT_FLOAT_EQ(min_x, expected_x[face]) << "face " << face;
  }
}

TEST_F(TraversalTest, ColourIsInheritedFromTheNearestPaintedGroup) {
  json materials = json::array({{{"name", "red"}, {"color", {255, 0, 0, 255}}},
                                {{"name", "blue"}, {"color", {0, 0, 255, 128}}},
                                {{"name", "green"}, {"color", {0, 255, 0, 255}}}});
  auto group = [](json entities, const char* material) {
    json g = {{"entities", entities}};
    if (material != nullptr) g["material"] = material;
    return g;
  };
  auto face_at = [](double x) { return json{{"faces", json::array({square(x, 0, 0, 1)})}}; };
  json painted_face = square(50, 0, 0, 1);
  painted_face["front"] = "green";
  json model = {
      {"materials", materials},
      {"entities",
       {{"faces", json::array({square(0, 0, 0, 1)})},
        {"groups",
         json::array({group(face_at(10), "red"),
                      group({{"groups", json::array({group(face_at(20), nullptr)})}}, "red"),
                      group({{"groups", json::array({group(face_at(30), "blue")})}}, "red"),
                      group({{"faces", json::array({painted_face})}}, "red")})}}}};
  ASSERT_TRUE(load(model));
  struct Expect {
    float x;
    float r, g, b, a;
  } expectations[] = {
      {0, 200 / 255.0f, 200 / 255.0f, 200 / 255.0f, 1.0f},  // top level: grey
      {10, 1, 0, 0, 1},                                     // in a red group
      {20, 1, 0, 0, 1},                                     // unpainted group inside red
      {30, 0, 0, 1, 128 / 255.0f},                          // blue wins, with its alpha
      {50, 0, 1, 0, 1},                                     // the face's own material wins
  };
  for (const Expect& e : expectations) {
    bool found = false;
    for (const Triangle& t : model_.triangles) {
      if (std::fabs(std::min({t.vertices[0].x, t.vertices[1].x, t.vertices[2].x}) - e.x) > 1e-4f) {
        continue;
      }
      found = true;
      for (const TriangleVertex& v : t.vertices) {
        EXPECT_FLOAT_EQ(v.r, e.r) << "x " << e.x;
        EXPECT_FLOAT_EQ(v.g, e.g) << "x " << e.x;
        EXPECT_FLOAT_EQ(v.b, e.b) << "x " << e.x;
        EXPECT_FLOAT_EQ(v.a, e.a) << "x " << e.x;
      }
    }
    EXPECT_TRUE(found) << "x " << e.x;
  }
}

// Nested groups `levels` deep, a square at every level at z = level.
json nested_groups(int levels) {
  json entities = {{"faces", json::array({square(0, 0, levels, 1)})}};
  for (int level = levels - 1; level >= 0; --level) {
    entities = {{"faces", json::array({square(0, 0, level, 1)})},
                {"groups", json::array({{{"entities", entities}}})}};
  }
  return {{"entities", entities}};
}

TEST_F(TraversalTest, Depth64IsProcessedAndDepth65Dropped) {
  ASSERT_TRUE(load(nested_groups(64)));
  EXPECT_EQ(model_.triangles.size(), 2u * 65);
  EXPECT_FLOAT_EQ(model_.bbox_max[2], 64.0f);

  ASSERT_TRUE(load(nested_groups(65)));
  EXPECT_EQ(model_.triangles.size(), 2u * 65) << "only the level below 64 is lost";
  EXPECT_FLOAT_EQ(model_.bbox_max[2], 64.0f);
}

TEST_F(TraversalTest, MeshIndicesAreCheckedPerTriple) {
  json face = square(0, 0, 0, 1);
  face["mesh"] = {{"vertices", json::array({point(0, 0, 0), point(1, 0, 0), point(1, 1, 0), point(0, 1, 0)})},
                  {"normals", json::array({point(0, 0, 2), point(0, 0, 2), point(0, 0, 2), point(0, 0, 2)})},
                  {"indices", json::array({0, 1, 2, 0, 2, 4, 0, 2, 3, 3, 0})}};  // 4 is out of range
  ASSERT_TRUE(load({{"entities", {{"faces", json::array({face})}}}}));
  ASSERT_EQ(model_.triangles.size(), 2u) << "the bad triple and the trailing pair are dropped";
  EXPECT_FLOAT_EQ(model_.triangles[1].vertices[2].x, 0.0f);
  EXPECT_FLOAT_EQ(model_.triangles[1].vertices[2].y, 1.0f);
  EXPECT_FLOAT_EQ(model_.triangles[0].vertices[0].nz, 1.0f) << "normals are normalised";
}

TEST_F(TraversalTest, MissingAndTinyNormals) {
  json face = square(0, 0, 0, 1);
  face["mesh"] = {{"vertices", json::array({point(0, 0, 0), point(1, 0, 0), point(1, 1, 0)})},
                  {"normals", json::array({point(0, 0.00005, 0)})},  // only the first vertex
                  {"indices", json::array({0, 1, 2})}};
  ASSERT_TRUE(load({{"entities", {{"faces", json::array({face})}}}}));
  ASSERT_EQ(model_.triangles.size(), 1u);
  const Triangle& t = model_.triangles[0];
  EXPECT_FLOAT_EQ(t.vertices[0].ny, 0.00005f) << "too short to normalise";
  EXPECT_FLOAT_EQ(t.vertices[1].nz, 1.0f) << "missing normal reads as up";
  EXPECT_FLOAT_EQ(t.vertices[2].nz, 1.0f);
}

TEST_F(TraversalTest, TextureCoordinatesDivideByQUnlessZero) {
  json face = square(0, 0, 0, 1);
  face["front"] = "tex";
  face["mesh"] = {{"vertices", json::array({point(0, 0, 0), point(1, 0, 0), point(1, 1, 0)})},
                  {"normals", json::array({point(0, 0, 1), point(0, 0, 1), point(0, 0, 1)})},
                  {"indices", json::array({0, 1, 2})},
                  {"stq", json::array({point(3, 5, 0), point(4, 6, 2)})}};  // third has none
  json model = {
      {"materials", json::array({{{"name", "tex"}, {"color", {10, 20, 30, 255}},
                                  {"texture", {{"width", 2}, {"height", 2}, {"fill", {1, 2, 3}}}}}})},
      {"entities", {{"faces", json::array({face})}}}};
  ASSERT_TRUE(load(model));
  ASSERT_EQ(model_.triangles.size(), 1u);
  const Triangle& t = model_.triangles[0];
  EXPECT_FLOAT_EQ(t.vertices[0].u, 3.0f);
  EXPECT_FLOAT_EQ(t.vertices[0].v, 5.0f);
  EXPECT_EQ(t.vertices[0].texture_index, 0);
  EXPECT_FLOAT_EQ(t.vertices[1].u, 2.0f);
  EXPECT_FLOAT_EQ(t.vertices[1].v, 3.0f);
  EXPECT_EQ(t.vertices[1].texture_index, 0);
  EXPECT_EQ(t.vertices[2].texture_index, -1) << "no coordinate for it";
  EXPECT_FLOAT_EQ(t.vertices[2].u, 0.0f);
}

TEST_F(TraversalTest, FacesWithoutCoordinatesOrTextureAreUntextured) {
  json face = square(0, 0, 0, 1);
  face["front"] = "tex";  // textured material but no "stq": the coordinate call fails
  json plain = square(5, 0, 0, 1);
  plain["stq"] = json::array({point(1, 1, 1), point(1, 1, 1), point(1, 1, 1), point(1, 1, 1)});
  json model = {
      {"materials", json::array({{{"name", "tex"},
                                  {"texture", {{"width", 2}, {"height", 2}, {"fill", {1, 2, 3}}}}}})},
      {"entities", {{"faces", json::array({face, plain})}}}};
  ASSERT_TRUE(load(model));
  ASSERT_EQ(model_.textures.size(), 1u);
  for (const Triangle& t : model_.triangles) {
    for (const TriangleVertex& v : t.vertices) {
      EXPECT_EQ(v.texture_index, -1);
      EXPECT_FLOAT_EQ(v.u, 0.0f);
      EXPECT_FLOAT_EQ(v.v, 0.0f);
    }
  }
}

TEST_F(TraversalTest, FaceWithHolesAndBoundingEdgesGivesNoEdges) {
  json face = square(0, 0, 0, 10);
  face["holes"] = json::array({json::array({point(2, 2, 0), point(2, 4, 0), point(4, 4, 0), point(4, 2, 0)})});
  ASSERT_TRUE(load({{"entities", {{"faces", json::array({face})}}}}));
  EXPECT_EQ(model_.triangles.size(), 8u);  // 8 loop vertices, one hole: n + 2h - 2
  EXPECT_TRUE(model_.edges.empty());
  for (const Triangle& t : model_.triangles) {
    float cx = (t.vertices[0].x + t.vertices[1].x + t.vertices[2].x) / 3;
    float cy = (t.vertices[0].y + t.vertices[1].y + t.vertices[2].y) / 3;
    EXPECT_FALSE(cx > 2 && cx < 4 && cy > 2 && cy < 4) << "a triangle covers the hole";
  }
}

TEST_F(TraversalTest, StandaloneEdgesAreTransformedAndKeepLayers) {
  json group = {{"transform", translation(0, 0, 10)},
                {"layer", "B"},
                {"entities", {{"edges", json::array({edge(point(0, 0, 0), point(1, 0, 0))})}}}};
  json on_a = edge(point(0, 0, 0), point(0, 5, 0));
  on_a["layer"] = "A";
  json model = {{"layers", json::array({{{"name", "A"}}, {{"name", "B"}}})},
                {"entities", {{"edges", json::array({on_a})}, {"groups", json::array({group})}}}};
  ASSERT_TRUE(load(model));
  ASSERT_EQ(model_.edges.size(), 2u);
  EXPECT_FLOAT_EQ(model_.edges[0].end[1], 5.0f);
  EXPECT_EQ(model_.edges[0].edge_layer, 0);
  EXPECT_EQ(model_.edges[0].inherited_layer, -1);
  EXPECT_FLOAT_EQ(model_.edges[1].start[2], 10.0f);
  EXPECT_FLOAT_EQ(model_.edges[1].end[0], 1.0f);
  EXPECT_EQ(model_.edges[1].edge_layer, -1);
  EXPECT_EQ(model_.edges[1].inherited_layer, 1);
}

TEST_F(TraversalTest, FailuresSkipOnlyTheirElement) {
  json bad_face = square(10, 0, 0, 1);
  bad_face["fail"] = json::array({"SUMeshHelperCreate"});
  json bad_group = {{"fail", json::array({"SUGroupGetEntities"})},
                    {"entities", {{"faces", json::array({square(20, 0, 0, 1)})}}}};
  json unmoved_group = {{"fail", json::array({"SUGroupGetTransform"})},
                        {"transform", translation(100, 0, 0)},
                        {"entities", {{"faces", json::array({square(30, 0, 0, 1)})}}}};
  json bad_edge = edge(point(0, 0, 0), point(1, 1, 1));
  bad_edge["fail"] = json::array({"SUEdgeGetStart", "SUEdgeGetStartVertex"});
  json model = {{"entities",
                 {{"faces", json::array({square(0, 0, 0, 1), bad_face})},
                  {"edges", json::array({bad_edge, edge(point(0, 0, 0), point(2, 2, 2))})},
                  {"groups", json::array({bad_group, unmoved_group})}}}};
  ASSERT_TRUE(load(model));
  EXPECT_EQ(model_.triangles.size(), 4u);
  EXPECT_TRUE(has_corner(model_, 0, 0, 0));
  EXPECT_FALSE(has_corner(model_, 10, 0, 0));
  EXPECT_FALSE(has_corner(model_, 20, 0, 0));
  EXPECT_TRUE(has_corner(model_, 30, 0, 0)) << "a failed transform leaves the identity";
  ASSERT_EQ(model_.edges.size(), 1u);
  EXPECT_FLOAT_EQ(model_.edges[0].end[0], 2.0f);
}

}  // namespace
}  // namespace test
}  // namespace lumeno
