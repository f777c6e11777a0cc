// Flattening groups and instances into world-space triangles and edges, through the stand-in.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/native/model/standin_fixture.h"

namespace lumeno {
namespace test {
namespace {

class TraversalTest : public StandinModelTest {
 protected:
  bool has_corner(float x, float y, float z) const {
    for (const Triangle& t : model_.triangles) {
      for (const TriangleVertex& v : t.vertices) {
        if (std::fabs(v.x - x) + std::fabs(v.y - y) + std::fabs(v.z - z) < 1e-4f) return true;
      }
    }
    return false;
  }
};

json definition(const char* name, const json& entities) {
  return json::array({{{"name", name}, {"entities", entities}}});
}
json place(const char* definition, const json& transform) {
  return {{"definition", definition}, {"transform", transform}};
}

TEST_F(TraversalTest, InstanceTimesGroupTimesPoint) {
  // Definition "D" holds a group turned a quarter about z, which holds a unit square at
  // (1, 0, 0). The instance moves D by (100, 0, 0). Innermost first: turn, then move.
  json group = {{"transform", quarter_turn_z()},
                {"entities", with_faces(square(1, 0, 0, 1))["entities"]}};
  ASSERT_TRUE(
      load({{"definitions", definition("D", {{"groups", json::array({group})}})},
            {"entities", {{"instances", json::array({place("D", translation(100, 0, 0))})}}}}));
  ASSERT_EQ(model_.triangles.size(), 2u);
  // (1,0)->(0,1)->(100,1); (2,0)->(100,2); (2,1)->(99,2); (1,1)->(99,1).
  EXPECT_TRUE(has_corner(100, 1, 0) && has_corner(100, 2, 0) && has_corner(99, 2, 0) &&
              has_corner(99, 1, 0));
  EXPECT_FLOAT_EQ(model_.bbox_min[0], 99.0f);
  EXPECT_FLOAT_EQ(model_.bbox_max[1], 2.0f);
  for (const TriangleVertex& v : model_.triangles[0].vertices) EXPECT_NEAR(v.nz, 1.0f, 1e-6f);
}

TEST_F(TraversalTest, UniformlyScaledInstanceUsesElement15) {
  // The vendor stores a uniform scale of 2 as 1/2 in element 15; it scales the translation too.
  json scaled = translation(10, 0, 0);
  scaled[15] = 0.5;
  ASSERT_TRUE(load({{"definitions", definition("D", with_faces(square(0, 0, 0, 1))["entities"])},
                    {"entities", {{"instances", json::array({place("D", scaled)})}}}}));
  EXPECT_FLOAT_EQ(model_.bbox_min[0], 20.0f);
  EXPECT_FLOAT_EQ(model_.bbox_max[0], 22.0f);
  for (const TriangleVertex& v : model_.triangles[0].vertices) {
    EXPECT_NEAR(std::sqrt(v.nx * v.nx + v.ny * v.ny + v.nz * v.nz), 1.0f, 1e-6f);
  }
}

TEST_F(TraversalTest, RecordsFollowTheStackOrder) {
  // Children of one list: the last instance first, then earlier instances, then groups from
  // last to first; the list's own faces before all of them. Each marks itself with its x.
  auto group_at = [](double x) {
    return json{{"entities", with_faces(square(x, 0, 0, 1))["entities"]}};
  };
  json model = with_faces(square(-10, 0, 0, 1));
  model["definitions"] = definition("I", with_faces(square(0, 0, 0, 1))["entities"]);
  model["entities"]["groups"] = json::array({group_at(10), group_at(20)});
  model["entities"]["instances"] =
      json::array({place("I", translation(30, 0, 0)), place("I", translation(40, 0, 0))});
  ASSERT_TRUE(load(model));
  ASSERT_EQ(model_.triangles.size(), 10u);
  const float expected_x[] = {-10, 40, 30, 20, 10};
  for (size_t face = 0; face < 5; ++face) {
    EXPECT_EQ(triangle_at(expected_x[face]), &model_.triangles[face * 2]) << "face " << face;
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
  auto face_at = [](double x) { return with_faces(square(x, 0, 0, 1))["entities"]; };
  json painted_face = square(50, 0, 0, 1);
  painted_face["front"] = "green";
  json model = with_faces(square(0, 0, 0, 1));
  model["materials"] = materials;
  model["entities"]["groups"] =
      json::array({group(face_at(10), "red"),
                   group({{"groups", json::array({group(face_at(20), nullptr)})}}, "red"),
                   group({{"groups", json::array({group(face_at(30), "blue")})}}, "red"),
                   group(with_faces(painted_face)["entities"], "red")});
  ASSERT_TRUE(load(model));
  const float grey = 200 / 255.0f;
  const struct {
    float x, r, g, b, a;
  } expectations[] = {
      {0, grey, grey, grey, 1.0f},  // top level: grey
      {10, 1, 0, 0, 1},             // in a red group
      {20, 1, 0, 0, 1},             // unpainted group inside red
      {30, 0, 0, 1, 128 / 255.0f},  // blue wins, with its alpha
      {50, 0, 1, 0, 1},             // the face's own material wins
  };
  for (const auto& e : expectations) {
    const Triangle* t = triangle_at(e.x);
    ASSERT_NE(t, nullptr) << e.x;
    const TriangleVertex& v = t->vertices[2];
    EXPECT_TRUE(v.r == e.r && v.g == e.g && v.b == e.b && v.a == e.a) << "x " << e.x;
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

TEST_F(TraversalTest, HostileMeshArrays) {
  // Indices are checked per triple; normals are normalised unless tiny, and read as up where
  // the mesh has none.
  json bad_index = square(0, 0, 0, 1);
  bad_index["mesh"] = {
      {"vertices", square(0, 0, 0, 1)["outer"]},
      {"normals", json::array({point(0, 0, 2), point(0, 0, 2), point(0, 0, 2), point(0, 0, 2)})},
      {"indices", json::array({0, 1, 2, 0, 2, 4, 0, 2, 3, 3, 0})}};  // 4: out of range
  json few_normals = square(5, 0, 0, 1);
  few_normals["mesh"] = {
      {"vertices", json::array({point(5, 0, 0), point(6, 0, 0), point(6, 1, 0)})},
      {"normals", json::array({point(0, 0.00005, 0)})},
      {"indices", json::array({0, 1, 2})}};
  ASSERT_TRUE(load(with_faces({bad_index, few_normals})));
  ASSERT_EQ(model_.triangles.size(), 3u) << "the bad triple and the trailing pair are dropped";
  EXPECT_FLOAT_EQ(model_.triangles[1].vertices[2].y, 1.0f);
  EXPECT_FLOAT_EQ(model_.triangles[1].vertices[2].x, 0.0f);
  EXPECT_FLOAT_EQ(model_.triangles[0].vertices[0].nz, 1.0f) << "normals are normalised";
  const Triangle& t = model_.triangles[2];
  EXPECT_FLOAT_EQ(t.vertices[0].ny, 0.00005f) << "too short to normalise";
  EXPECT_FLOAT_EQ(t.vertices[1].nz, 1.0f) << "missing normal reads as up";
}

TEST_F(TraversalTest, TextureCoordinatesDivideByQAndNeedATexture) {
  json face = square(0, 0, 0, 1);
  face["front"] = "tex";
  face["mesh"] = {{"vertices", json::array({point(0, 0, 0), point(1, 0, 0), point(1, 1, 0)})},
                  {"indices", json::array({0, 1, 2})},
                  {"stq", json::array({point(3, 5, 0), point(4, 6, 2)})}};  // third has none
  json no_stq = square(5, 0, 0, 1);  // textured material, but the coordinate call fails
  no_stq["front"] = "tex";
  json plain = square(10, 0, 0, 1);  // coordinates, but no texture
  plain["stq"] = json::array({point(1, 1, 1), point(1, 1, 1), point(1, 1, 1), point(1, 1, 1)});
  json model = with_faces({face, no_stq, plain});
  model["materials"] = json::array(
      {{{"name", "tex"}, {"texture", {{"width", 2}, {"height", 2}, {"fill", {1, 2, 3}}}}}});
  ASSERT_TRUE(load(model));
  ASSERT_EQ(model_.triangles.size(), 5u);
  const TriangleVertex* v = model_.triangles[0].vertices;
  EXPECT_TRUE(v[0].u == 3 && v[0].v == 5 && v[0].texture_index == 0);
  EXPECT_TRUE(v[1].u == 2 && v[1].v == 3 && v[1].texture_index == 0);
  EXPECT_TRUE(v[2].u == 0 && v[2].texture_index == -1) << "no coordinate for it";
  for (size_t i = 1; i < 5; ++i) {
    for (const TriangleVertex& w : model_.triangles[i].vertices) {
      EXPECT_TRUE(w.texture_index == -1 && w.u == 0 && w.v == 0) << "triangle " << i;
    }
  }
}

TEST_F(TraversalTest, StandaloneEdgesAreTransformedAndKeepLayers) {
  json group = {{"transform", translation(0, 0, 10)},
                {"layer", "B"},
                {"entities", {{"edges", json::array({edge(point(0, 0, 0), point(1, 0, 0))})}}}};
  json on_a = edge(point(0, 0, 0), point(0, 5, 0));
  on_a["layer"] = "A";
  json holed = square(0, 0, 0, 10);  // its bounding edges are not standalone
  holed["holes"] = json::array({square(2, 2, 0, 2)["outer"]});
  json model = with_faces(holed);
  model["layers"] = json::array({{{"name", "A"}}, {{"name", "B"}}});
  model["entities"]["edges"] = json::array({on_a});
  model["entities"]["groups"] = json::array({group});
  ASSERT_TRUE(load(model));
  ASSERT_EQ(model_.edges.size(), 2u);
  const EdgeData& a = model_.edges[0];
  const EdgeData& b = model_.edges[1];
  EXPECT_TRUE(a.end[1] == 5 && a.edge_layer == 0 && a.inherited_layer == -1);
  EXPECT_TRUE(b.start[2] == 10 && b.end[0] == 1 && b.edge_layer == -1 && b.inherited_layer == 1);
}

TEST_F(TraversalTest, FailuresSkipOnlyTheirElement) {
  json bad_face = square(10, 0, 0, 1);
  bad_face["fail"] = json::array({"SUMeshHelperCreate"});
  json bad_group = {{"fail", json::array({"SUGroupGetEntities"})},
                    {"entities", with_faces(square(20, 0, 0, 1))["entities"]}};
  json unmoved_group = {{"fail", json::array({"SUGroupGetTransform"})},
                        {"transform", translation(100, 0, 0)},
                        {"entities", with_faces(square(30, 0, 0, 1))["entities"]}};
  json bad_edge = edge(point(0, 0, 0), point(1, 1, 1));
  bad_edge["fail"] = json::array({"SUEdgeGetStart", "SUEdgeGetStartVertex"});
  json model = with_faces({square(0, 0, 0, 1), bad_face});
  model["entities"]["edges"] = json::array({bad_edge, edge(point(0, 0, 0), point(2, 2, 2))});
  model["entities"]["groups"] = json::array({bad_group, unmoved_group});
  ASSERT_TRUE(load(model));
  EXPECT_EQ(model_.triangles.size(), 4u);
  EXPECT_TRUE(has_corner(0, 0, 0));
  EXPECT_TRUE(has_corner(30, 0, 0)) << "a failed transform leaves the identity";
  ASSERT_EQ(model_.edges.size(), 1u);
  EXPECT_FLOAT_EQ(model_.edges[0].end[0], 2.0f);
}

}  // namespace
}  // namespace test
}  // namespace lumeno
