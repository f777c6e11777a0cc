// Faces through the API: normals, areas, meshes, standalone versus face edges, and the
// triangulator on degenerate loops.
#include <cmath>
#include <sstream>

#include "standin/triangulate.h"
#include "standin_test_support.h"

namespace {

using namespace standin_test;

SUVector3D cross(const SUVector3D& u, const SUVector3D& v) {
  return {u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
}
SUVector3D diff(SUPoint3D a, SUPoint3D b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
double dot(const SUVector3D& a, const SUVector3D& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// The loop of (x, y) points laid on the plane through `o` spanned by `u` and `v`, as JSON.
std::string place(const std::vector<std::pair<double, double>>& xy, SUPoint3D o, SUVector3D u,
                  SUVector3D v) {
  std::ostringstream text;
  text.precision(17);
  for (const auto& p : xy)
    text << (text.tellp() ? ",[" : "[[") << o.x + p.first * u.x + p.second * v.x << ","
         << o.y + p.first * u.y + p.second * v.y << "," << o.z + p.first * u.z + p.second * v.z
         << "]";
  return text.str() + "]";
}

// An L-shaped outline (concave) with a square hole, laid in planes of every orientation (the
// outer loop runs counter-clockwise in (u, v)). A mesh helper outlives its model.
TEST(StandinFace, ConcaveFaceWithHoleTriangulatesExactlyInEveryPlane) {
  SketchUpAPI& a = api();
  SUMeshHelperRef kept{nullptr};
  size_t count = 0;
  const SUVector3D planes[][2] = {{{1, 0, 0}, {0, 1, 0}},
                                  {{0, 0, 1}, {0, 1, 0}},
                                  {{0, 0, 1}, {1, 0, 0}},
                                  {{0, 0.6, -0.8}, {1, 0, 0}}};
  for (const auto& plane : planes) {
    const SUVector3D expected = cross(plane[0], plane[1]);
    const SUPoint3D o{10, -20, 30};
    ModelFile file(R"({"entities": {"faces": [{"outer": )" +
                   place({{0, 0}, {6, 0}, {6, 2}, {2, 2}, {2, 6}, {0, 6}}, o, plane[0], plane[1]) +
                   R"(, "holes": [)" +
                   place({{0.5, 0.5}, {0.5, 1.5}, {1.5, 1.5}, {1.5, 0.5}}, o, plane[0], plane[1]) +
                   "]}]}}");
    const SUFaceRef face = faces_of(file.entities())[0];
    SUVector3D normal{0, 0, 0};
    double area = 0;
    ASSERT_EQ(a.SUFaceGetNormal(face, &normal), SU_ERROR_NONE);
    EXPECT_NEAR(dot(normal, expected), 1.0, 1e-12);
    ASSERT_EQ(a.SUFaceGetArea(face, &area), SU_ERROR_NONE);
    EXPECT_NEAR(area, 19, 1e-9);  // L minus the hole
    const Mesh mesh = mesh_of(face);
    ASSERT_EQ(mesh.vertices.size(), 10u);  // outer, then hole (normals: the model tests)
    EXPECT_EQ(mesh.triangles, 10u);        // vertices + 2 * holes - 2
    double covered = 0;
    for (size_t t = 0; t < mesh.indices.size(); t += 3) {
      for (int k = 0; k < 3; ++k) ASSERT_LT(mesh.indices[t + k], mesh.vertices.size());
      const SUPoint3D& p = mesh.vertices[mesh.indices[t]];
      const SUVector3D n = cross(diff(mesh.vertices[mesh.indices[t + 1]], p),
                                 diff(mesh.vertices[mesh.indices[t + 2]], p));
      EXPECT_GT(dot(n, normal), 0.0) << "triangle " << t / 3 << " faces away from the normal";
      covered += std::sqrt(dot(n, n)) / 2;
    }
    EXPECT_NEAR(covered, 19, 1e-9);
    if (kept.ptr == nullptr) a.SUMeshHelperCreate(&kept, face);
  }
  EXPECT_TRUE(a.SUMeshHelperGetNumTriangles(kept, &count) == SU_ERROR_NONE && count == 10);
  EXPECT_EQ(a.SUMeshHelperRelease(&kept), SU_ERROR_NONE);
}

// Only "edges" are standalone; each shared side of faces counts once. "face_edges" entries give a
// face edge its flags (ends in either order, the first entry wins, one matching no edge adds none).
TEST(StandinEdges, StandaloneOrWithTheFacesBoundariesAndTheirFlags) {
  SketchUpAPI& a = api();
  ModelFile file(R"({"entities": {
    "edges": [{"start": [0,0,5], "end": [1,2,3], "hidden": true}],
    "faces": [{"outer": [[0,0,0],[1,0,0],[1,1,0],[0,1,0]]},
              {"outer": [[1,0,0],[2,0,0],[2,1,0],[1,1,0]]},
              {"outer": [[0,0,1],[3,0,1],[3,3,1]], "holes": [[[2,1,1],[2,0.5,1],[2.5,1,1]]]}],
    "face_edges": [{"start": [1,1,0], "end": [1,0,0], "soft": true},
                   {"start": [1,0,0], "end": [1,1,0], "hidden": true},
                   {"start": [0,0,0], "end": [1,0,0], "smooth": true, "hidden": true},
                   {"start": [0,0,0], "end": [7,7,7], "soft": true}]
  }})");
  const auto standalone = edges_of(file.entities(), true);
  ASSERT_EQ(standalone.size(), 1u);
  // 1 standalone + 7 edges of the two squares (one shared) + 3 + 3 of the triangle and its hole.
  const auto all = edges_of(file.entities(), false);
  ASSERT_EQ(all.size(), 14u);
  EXPECT_EQ(all[0].ptr, standalone[0].ptr);
  int soft = 0, smooth = 0, hidden = 0;
  for (SUEdgeRef edge : all) {
    bool flags[3] = {true, true, true};
    ASSERT_EQ(a.SUEdgeGetSoft(edge, &flags[0]), SU_ERROR_NONE);
    ASSERT_EQ(a.SUEdgeGetSmooth(edge, &flags[1]), SU_ERROR_NONE);
    ASSERT_EQ(a.SUDrawingElementGetHidden(a.SUEdgeToDrawingElement(edge), &flags[2]),
              SU_ERROR_NONE);
    soft += flags[0], smooth += flags[1], hidden += flags[2];
  }
  EXPECT_TRUE(soft == 1 && smooth == 1 && hidden == 2) << soft << smooth << hidden;
}

// Degenerate loops give no triangles (a bow tie: any, with valid indices); repeated points and
// degenerate holes are skipped.
TEST(StandinTriangulate, DegenerateInput) {
  using P = standin::Point2;
  // clang-format off
  const std::pair<std::vector<P>, std::vector<uint32_t>> cases[] = {
      {{{0, 0}, {1, 1}, {2, 2}, {3, 3}}, {4}},  // collinear
      {{{5, 5}, {5, 5}, {5, 5}}, {3}},          // one point
      {{{0, 0}, {1, 0}, {1, 1}}, {3, 5}},       // loop sizes beyond the points
      {{{0, 0}, {NAN, 0}, {1, 1}}, {3}},        // not a number
      {{{0, 0}, {2, 2}, {2, 0}, {0, 2}}, {4}},  // bow tie
      {{{0, 0}, {5, 0}, {10, 0}, {10, 0}, {10, 10}, {0, 10}, {2, 2}, {3, 3}, {5, 5}, {6, 6}, {7, 7}},
       {6, 2, 3}}};  // repeated point, a two-point and a collinear hole: the 10 x 10 square
  // clang-format on
  for (const auto& [p, loops] : cases) {
    std::vector<uint32_t> tris;
    standin::triangulate_2d(p, loops, &tris);
    double covered = 0;  // counter-clockwise triangles only
    for (size_t t = 0; t + 2 < tris.size(); t += 3) {
      const P &a = p.at(tris[t]), &b = p.at(tris[t + 1]), &c = p.at(tris[t + 2]);
      const double area = ((b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y)) / 2;
      EXPECT_TRUE(area > 0 || &p == &cases[4].first);
      covered += area;
    }
    EXPECT_TRUE(&p == &cases[4].first || covered == (loops.size() == 3 ? 100 : 0)) << covered;
  }
}

}  // namespace
