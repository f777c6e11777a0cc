// Faces through the API: vertices, normals, areas, the mesh helper's triangulation and arrays,
// explicit meshes, texture coordinates, and standalone versus face edges.
#include <cmath>
#include <sstream>

#include "standin_test_support.h"

namespace {

using namespace standin_test;

SUVector3D cross(const SUPoint3D& a, const SUPoint3D& b, const SUPoint3D& c) {
  const double ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z;
  const double vx = c.x - a.x, vy = c.y - a.y, vz = c.z - a.z;
  return SUVector3D{uy * vz - uz * vy, uz * vx - ux * vz, ux * vy - uy * vx};
}

double length(const SUVector3D& v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }
double dot(const SUVector3D& a, const SUVector3D& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// Sum of triangle areas, with every index valid and every triangle facing along `normal`.
double checked_area(const Mesh& mesh, const SUVector3D& normal) {
  double total = 0;
  for (size_t t = 0; t + 2 < mesh.indices.size(); t += 3) {
    for (int k = 0; k < 3; ++k) EXPECT_LT(mesh.indices[t + k], mesh.vertices.size());
    if (mesh.indices[t + 2] >= mesh.vertices.size()) continue;
    const SUVector3D n = cross(mesh.vertices[mesh.indices[t]], mesh.vertices[mesh.indices[t + 1]],
                               mesh.vertices[mesh.indices[t + 2]]);
    EXPECT_GT(dot(n, normal), 0.0) << "triangle " << t / 3 << " faces away from the normal";
    total += length(n) / 2;
  }
  return total;
}

// Maps (x, y) onto the plane through `origin` spanned by `u` and `v`; `json` receives the loop.
std::vector<SUPoint3D> place(const std::vector<std::pair<double, double>>& xy, SUPoint3D origin,
                             SUVector3D u, SUVector3D v, std::string* json) {
  std::vector<SUPoint3D> out;
  std::ostringstream text;
  text.precision(17);
  for (const auto& p : xy) {
    out.push_back(SUPoint3D{origin.x + p.first * u.x + p.second * v.x,
                            origin.y + p.first * u.y + p.second * v.y,
                            origin.z + p.first * u.z + p.second * v.z});
    text << (out.size() > 1 ? ",[" : "[[") << out.back().x << "," << out.back().y << ","
         << out.back().z << "]";
  }
  *json = text.str() + "]";
  return out;
}

// An L-shaped outline (concave) with a square hole, laid in planes of every orientation (the
// outer loop runs counter-clockwise in (u, v)).
TEST(StandinFace, ConcaveFaceWithHoleTriangulatesExactlyInEveryPlane) {
  SketchUpAPI& a = api();
  const struct {
    const char* label;
    SUVector3D u, v;
  } planes[] = {{"up", {1, 0, 0}, {0, 1, 0}},         {"down", {0, 1, 0}, {1, 0, 0}},
                {"east", {0, 1, 0}, {0, 0, 1}},       {"west", {0, 0, 1}, {0, 1, 0}},
                {"north", {0, 0, 1}, {1, 0, 0}},      {"south", {1, 0, 0}, {0, 0, 1}},
                {"tilted", {0.6, 0.8, 0}, {0, 0, 1}}, {"tilted back", {0, 0.6, -0.8}, {1, 0, 0}}};
  for (const auto& plane : planes) {
    SCOPED_TRACE(plane.label);
    const SUPoint3D origin{10, -20, 30};
    std::string outer_json, hole_json;
    const auto outer = place({{0, 0}, {6, 0}, {6, 2}, {2, 2}, {2, 6}, {0, 6}}, origin, plane.u,
                             plane.v, &outer_json);
    const auto hole = place({{0.5, 0.5}, {0.5, 1.5}, {1.5, 1.5}, {1.5, 0.5}}, origin, plane.u,
                            plane.v, &hole_json);
    ModelFile file(R"({"entities": {"faces": [{"outer": )" + outer_json + R"(, "holes": [)" +
                   hole_json + "]}]}}");
    const SUFaceRef face = faces_of(file.entities())[0];
    const SUVector3D expected_normal =
        cross(SUPoint3D{0, 0, 0}, SUPoint3D{plane.u.x, plane.u.y, plane.u.z},
              SUPoint3D{plane.v.x, plane.v.y, plane.v.z});
    SUVector3D normal{0, 0, 0};
    ASSERT_EQ(a.SUFaceGetNormal(face, &normal), SU_ERROR_NONE);
    EXPECT_NEAR(length(normal), 1.0, 1e-12);
    EXPECT_NEAR(dot(normal, expected_normal) / length(expected_normal), 1.0, 1e-12);
    const double polygon_area = 6 * 2 + 2 * 4 - 1;  // L minus the hole
    double area = 0;
    ASSERT_EQ(a.SUFaceGetArea(face, &area), SU_ERROR_NONE);
    EXPECT_NEAR(area, polygon_area, 1e-9);
    const Mesh mesh = mesh_of(face);
    ASSERT_EQ(mesh.vertices.size(), 10u);  // outer loop then the hole, as written
    for (size_t i = 0; i < 6; ++i) EXPECT_EQ(mesh.vertices[i].x, outer[i].x);
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(mesh.vertices[6 + i].z, hole[i].z);
    ASSERT_EQ(mesh.normals.size(), 10u);
    for (const SUVector3D& n : mesh.normals) EXPECT_NEAR(dot(n, normal), 1.0, 1e-12);
    EXPECT_EQ(mesh.triangles, 10u);  // vertices + 2 * holes - 2
    EXPECT_NEAR(checked_area(mesh, normal), polygon_area, 1e-9);
    EXPECT_EQ(mesh.stq_status, SU_ERROR_NO_DATA);
  }
}

// Vertices of both loops, texture coordinates that follow them, and a mesh helper's argument
// checks; the helper outlives its model.
TEST(StandinFace, VerticesTextureCoordinatesAndMeshHelperLifetime) {
  SketchUpAPI& a = api();
  SUMeshHelperRef mesh{nullptr}, kept{nullptr};
  size_t count = 0;
  {
    ModelFile file(R"({"entities": {"faces": [{
      "outer": [[0,0,0],[4,0,0],[4,4,0],[0,4,0]], "holes": [[[1,1,0],[2,1,0],[2,2,0]]],
      "stq": [[0,0,1],[1,0,1],[1,1,1],[0,1,1],[0.25,0.25,1],[0.25,0.5,1],[0.5,0.5,1]]}]}})");
    const SUFaceRef face = faces_of(file.entities())[0];
    const auto vertices = list_of<SUVertexRef>(face, a.SUFaceGetNumVertices, a.SUFaceGetVertices);
    ASSERT_EQ(vertices.size(), 7u);
    SUPoint3D p;
    ASSERT_EQ(a.SUVertexGetPosition(vertices[1], &p), SU_ERROR_NONE);
    EXPECT_EQ(p.x, 4);
    ASSERT_EQ(a.SUVertexGetPosition(vertices[5], &p), SU_ERROR_NONE);
    EXPECT_EQ(p.x, 2);
    EXPECT_EQ(p.y, 1);
    EXPECT_EQ(a.SUVertexGetPosition(vertices[0], nullptr), SU_ERROR_NULL_POINTER_OUTPUT);
    EXPECT_EQ(a.SUVertexGetPosition(SUVertexRef{nullptr}, &p), SU_ERROR_INVALID_INPUT);
    EXPECT_EQ(a.SUFaceGetNormal(face, nullptr), SU_ERROR_NULL_POINTER_OUTPUT);
    EXPECT_EQ(a.SUFaceGetArea(SUFaceRef{nullptr}, nullptr), SU_ERROR_INVALID_INPUT);
    const Mesh arrays = mesh_of(face);
    ASSERT_EQ(arrays.stq_status, SU_ERROR_NONE);
    ASSERT_EQ(arrays.stq.size(), 7u);
    EXPECT_EQ(arrays.stq[1].x, 1);
    EXPECT_EQ(arrays.stq[5].y, 0.5);
    EXPECT_EQ(arrays.stq[6].z, 1);

    EXPECT_EQ(a.SUMeshHelperCreate(nullptr, face), SU_ERROR_NULL_POINTER_OUTPUT);
    EXPECT_EQ(a.SUMeshHelperCreate(&mesh, SUFaceRef{nullptr}), SU_ERROR_INVALID_INPUT);
    ASSERT_EQ(a.SUMeshHelperCreate(&kept, face), SU_ERROR_NONE);
    ASSERT_EQ(a.SUMeshHelperCreate(&mesh, face), SU_ERROR_NONE);
    SUMeshHelperRef in_use = mesh;
    EXPECT_EQ(a.SUMeshHelperCreate(&mesh, face), SU_ERROR_OVERWRITE_VALID);
    EXPECT_EQ(mesh.ptr, in_use.ptr);
  }
  EXPECT_EQ(a.SUMeshHelperGetNumTriangles(kept, &count), SU_ERROR_NONE);  // model released
  EXPECT_EQ(count, 7u);
  EXPECT_EQ(a.SUMeshHelperGetNumVertices(mesh, nullptr), SU_ERROR_NULL_POINTER_OUTPUT);
  EXPECT_EQ(a.SUMeshHelperGetVertices(mesh, 3, nullptr, &count), SU_ERROR_NULL_POINTER_OUTPUT);
  EXPECT_EQ(a.SUMeshHelperRelease(nullptr), SU_ERROR_NULL_POINTER_INPUT);
  EXPECT_EQ(a.SUMeshHelperRelease(&kept), SU_ERROR_NONE);
  EXPECT_EQ(a.SUMeshHelperRelease(&kept), SU_ERROR_INVALID_INPUT);  // already released
  EXPECT_EQ(a.SUMeshHelperGetNumVertices(kept, &count), SU_ERROR_INVALID_INPUT);
  EXPECT_EQ(a.SUMeshHelperRelease(&mesh), SU_ERROR_NONE);
}

TEST(StandinMeshHelper, ExplicitMeshIsReportedExactly) {
  ModelFile file(R"({"entities": {"faces": [
    {"outer": [[0,0,0],[1,0,0],[1,1,0]],
     "mesh": {"vertices": [[0,0,0],[9,9,9]], "normals": [[0,0,-1]], "indices": [0,1,5,1,1],
              "stq": [[0.5,0.5,1]]}},
    {"outer": [[0,0,0],[1,0,0],[1,1,0]], "mesh": {}}
  ]}})");
  const auto faces = faces_of(file.entities());
  const Mesh given = mesh_of(faces[0]);
  ASSERT_EQ(given.vertices.size(), 2u);
  EXPECT_EQ(given.vertices[1].y, 9);
  ASSERT_EQ(given.normals.size(), 1u);  // counts as written, not as the vertices imply
  EXPECT_EQ(given.normals[0].z, -1);
  EXPECT_EQ(given.triangles, 1u);   // five indices: one whole triangle
  EXPECT_EQ(given.indices[2], 5u);  // out of range, reported anyway
  ASSERT_EQ(given.stq.size(), 1u);
  const Mesh empty = mesh_of(faces[1]);
  EXPECT_TRUE(empty.vertices.empty() && empty.triangles == 0);
  EXPECT_EQ(empty.stq_status, SU_ERROR_NO_DATA);
}

TEST(StandinEdges, StandaloneOnlyOrWithTheFacesBoundaries) {
  SketchUpAPI& a = api();
  ModelFile file(R"({"entities": {
    "edges": [{"start": [0,0,5], "end": [1,2,3]}],
    "faces": [{"outer": [[0,0,0],[1,0,0],[1,1,0],[0,1,0]]},
              {"outer": [[1,0,0],[2,0,0],[2,1,0],[1,1,0]]},
              {"outer": [[0,0,1],[3,0,1],[3,3,1]], "holes": [[[2,1,1],[2,0.5,1],[2.5,1,1]]]}]
  }})");
  const auto standalone = edges_of(file.entities(), true);
  ASSERT_EQ(standalone.size(), 1u);
  SUVertexRef start{nullptr}, end{nullptr};
  ASSERT_EQ(a.SUEdgeGetStart(standalone[0], &start), SU_ERROR_NONE);
  ASSERT_EQ(a.SUEdgeGetEndVertex(standalone[0], &end), SU_ERROR_NONE);
  SUPoint3D p;
  ASSERT_EQ(a.SUVertexGetPosition(start, &p), SU_ERROR_NONE);
  EXPECT_EQ(p.z, 5);
  ASSERT_EQ(a.SUVertexGetPosition(end, &p), SU_ERROR_NONE);
  EXPECT_EQ(p.y, 2);
  SUVertexRef same[2] = {{nullptr}, {nullptr}};
  ASSERT_EQ(a.SUEdgeGetStartVertex(standalone[0], &same[0]), SU_ERROR_NONE);
  ASSERT_EQ(a.SUEdgeGetEnd(standalone[0], &same[1]), SU_ERROR_NONE);
  EXPECT_TRUE(same[0].ptr == start.ptr && same[1].ptr == end.ptr);

  // 1 standalone + 7 edges of the two squares (one shared) + 3 + 3 of the triangle and its hole.
  const auto all = edges_of(file.entities(), false);
  ASSERT_EQ(all.size(), 14u);
  EXPECT_EQ(all[0].ptr, standalone[0].ptr);
  for (const SUEdgeRef& edge : all) {
    ASSERT_EQ(a.SUEdgeGetStart(edge, &start), SU_ERROR_NONE);
    ASSERT_EQ(a.SUEdgeGetEnd(edge, &end), SU_ERROR_NONE);
    SUPoint3D q;
    ASSERT_EQ(a.SUVertexGetPosition(start, &p), SU_ERROR_NONE);
    ASSERT_EQ(a.SUVertexGetPosition(end, &q), SU_ERROR_NONE);
    EXPECT_FALSE(p.x == q.x && p.y == q.y && p.z == q.z);
  }
  EXPECT_EQ(edges_of(file.entities(), false)[5].ptr, all[5].ptr);  // built once, stable
  EXPECT_EQ(edges_of(file.entities(), true).size(), 1u);
  EXPECT_EQ(a.SUEdgeGetStart(SUEdgeRef{nullptr}, &start), SU_ERROR_INVALID_INPUT);
  EXPECT_EQ(a.SUEdgeGetEnd(standalone[0], nullptr), SU_ERROR_NULL_POINTER_OUTPUT);
}

TEST(StandinGroups, TransformsNamesAndNestedEntities) {
  SketchUpAPI& a = api();
  ModelFile file(R"({
    "definitions": [{"name": "Chair", "entities": {"faces": [{"outer": [[0,0,0],[1,0,0],[0,1,0]]}]}},
                    {"name": "Loop", "entities": {"instances": [{"definition": "Loop"}]}}],
    "entities": {
      "groups": [{"name": "Room", "transform": [2,0,0,0, 0,2,0,0, 0,0,2,0, 10,20,30,0.5],
                  "entities": {"instances": [{"definition": "Chair", "name": "椅子 1"}]}},
                 {}],
      "instances": [{"definition": "Loop"}]
    }})");
  const auto groups = groups_of(file.entities());
  ASSERT_EQ(groups.size(), 2u);
  EXPECT_EQ(name_of(a.SUGroupGetName, groups[0]), "Room");
  EXPECT_EQ(name_of(a.SUGroupGetName, groups[1]), "");
  SUTransformation t;
  ASSERT_EQ(a.SUGroupGetTransform(groups[0], &t), SU_ERROR_NONE);
  EXPECT_EQ(t.values[12], 10);
  EXPECT_EQ(t.values[15], 0.5);  // w as written
  ASSERT_EQ(a.SUGroupGetTransform(groups[1], &t), SU_ERROR_NONE);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(t.values[i], i % 5 == 0 ? 1.0 : 0.0) << i;

  SUEntitiesRef inner{nullptr};
  ASSERT_EQ(a.SUGroupGetEntities(groups[0], &inner), SU_ERROR_NONE);
  const auto chairs = instances_of(inner);
  ASSERT_EQ(chairs.size(), 1u);
  EXPECT_EQ(name_of(a.SUComponentInstanceGetName, chairs[0]), "椅子 1");
  SUComponentDefinitionRef chair{nullptr};
  ASSERT_EQ(a.SUComponentInstanceGetDefinition(chairs[0], &chair), SU_ERROR_NONE);
  EXPECT_EQ(name_of(a.SUComponentDefinitionGetName, chair), "Chair");
  SUEntitiesRef chair_entities{nullptr};
  ASSERT_EQ(a.SUComponentDefinitionGetEntities(chair, &chair_entities), SU_ERROR_NONE);
  EXPECT_EQ(faces_of(chair_entities).size(), 1u);
  ASSERT_EQ(a.SUComponentInstanceGetTransform(chairs[0], &t), SU_ERROR_NONE);
  EXPECT_EQ(t.values[0], 1);

  // A definition holding an instance of itself is served as written.
  SUComponentDefinitionRef loop{nullptr};
  ASSERT_EQ(a.SUComponentInstanceGetDefinition(instances_of(file.entities())[0], &loop),
            SU_ERROR_NONE);
  SUEntitiesRef loop_entities{nullptr};
  ASSERT_EQ(a.SUComponentDefinitionGetEntities(loop, &loop_entities), SU_ERROR_NONE);
  SUComponentDefinitionRef again{nullptr};
  ASSERT_EQ(a.SUComponentInstanceGetDefinition(instances_of(loop_entities)[0], &again),
            SU_ERROR_NONE);
  EXPECT_EQ(again.ptr, loop.ptr);
}

}  // namespace
