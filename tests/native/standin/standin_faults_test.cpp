// Injected faults: model-wide lists fail every call of the named entry points; an element's own
// list fails only the calls made on that element's handle.
#include "standin_test_support.h"

namespace {

using namespace standin_test;

TEST(StandinFaults, ModelWideListFailsEveryCallOfThoseEntryPoints) {
  SketchUpAPI& a = api();
  ModelFile file(R"({
    "faults": {"fail": ["SUEntitiesGetFaces", "SUMeshHelperGetVertices", "SULayerGetName",
                        "SUModelGetNumScenes", "NotAnEntryPoint"]},
    "layers": [{"name": "L"}],
    "entities": {"faces": [{"outer": [[0,0,0],[1,0,0],[0,1,0]]}],
                 "groups": [{"entities": {"faces": [{"outer": [[0,0,0],[1,0,0],[0,1,0]]}]}}]}
  })");
  ASSERT_EQ(file.status(), SU_ERROR_NONE);
  SUFaceRef faces[1] = {{nullptr}};
  size_t count = 0;
  EXPECT_EQ(a.SUEntitiesGetFaces(file.entities(), 1, faces, &count), SU_ERROR_GENERIC);
  SUEntitiesRef inner{nullptr};
  ASSERT_EQ(a.SUGroupGetEntities(groups_of(file.entities())[0], &inner), SU_ERROR_NONE);
  EXPECT_EQ(a.SUEntitiesGetFaces(inner, 1, faces, &count), SU_ERROR_GENERIC);
  EXPECT_EQ(a.SUEntitiesGetNumFaces(inner, &count), SU_ERROR_NONE);  // other entry points work
  EXPECT_EQ(count, 1u);
  EXPECT_EQ(a.SUModelGetNumScenes(file.model(), &count), SU_ERROR_GENERIC);
  SUStringRef s{nullptr};
  ASSERT_EQ(a.SUStringCreate(&s), SU_ERROR_NONE);
  EXPECT_EQ(a.SULayerGetName(layers_of(file.model())[0], &s), SU_ERROR_GENERIC);
  EXPECT_EQ(a.SUStringRelease(&s), SU_ERROR_NONE);
}

TEST(StandinFaults, MeshHelperInheritsTheFaultsOfItsModelAndFace) {
  SketchUpAPI& a = api();
  ModelFile file(R"({
    "faults": {"fail": ["SUMeshHelperGetVertices"]},
    "entities": {"faces": [{"outer": [[0,0,0],[1,0,0],[0,1,0]], "fail": ["SUMeshHelperGetNormals"]}]}
  })");
  ASSERT_EQ(file.status(), SU_ERROR_NONE);
  SUMeshHelperRef mesh{nullptr};
  ASSERT_EQ(a.SUMeshHelperCreate(&mesh, faces_of(file.entities())[0]), SU_ERROR_NONE);
  SUPoint3D points[3];
  SUVector3D normals[3];
  size_t count = 0;
  EXPECT_EQ(a.SUMeshHelperGetVertices(mesh, 3, points, &count), SU_ERROR_GENERIC);
  EXPECT_EQ(a.SUMeshHelperGetNormals(mesh, 3, normals, &count), SU_ERROR_GENERIC);
  EXPECT_EQ(a.SUMeshHelperGetNumTriangles(mesh, &count), SU_ERROR_NONE);
  EXPECT_EQ(a.SUMeshHelperRelease(&mesh), SU_ERROR_NONE);
}

TEST(StandinFaults, ElementListFailsOnlyThatElement) {
  SketchUpAPI& a = api();
  ModelFile file(R"({
    "layers": [{"name": "bad", "fail": ["SULayerGetVisibility"]}, {"name": "good"}],
    "materials": [{"name": "M", "color": [1,2,3,4], "fail": ["SUMaterialGetColor"],
                   "texture": {"width": 1, "height": 1, "fill": [1,2,3],
                               "fail": ["SUTextureGetImageData"]}},
                  {"name": "N", "color": [1,2,3,4]}],
    "scenes": [{"name": "s", "fail": ["SUSceneGetCamera"], "camera": {"eye": [0,0,0], "target": [1,0,0]}}],
    "entities": {
      "faces": [{"outer": [[0,0,0],[1,0,0],[0,1,0]], "front": "M",
                 "fail": ["SUMeshHelperCreate", "SUDrawingElementGetLayer", "SUFaceGetArea"]},
                {"outer": [[0,0,0],[1,0,0],[0,1,0]], "front": "N"}],
      "edges": [{"start": [0,0,0], "end": [1,0,0], "fail": ["SUEdgeGetStartVertex"]}],
      "groups": [{"fail": ["SUGroupGetTransform"]}],
      "instances": [{"definition": "D", "fail": ["SUComponentInstanceGetTransform"]}]
    }
  })");
  ASSERT_EQ(file.status(), SU_ERROR_NONE);
  const auto faces = faces_of(file.entities());
  SUMeshHelperRef mesh{nullptr};
  EXPECT_EQ(a.SUMeshHelperCreate(&mesh, faces[0]), SU_ERROR_GENERIC);
  EXPECT_EQ(mesh.ptr, nullptr);
  ASSERT_EQ(a.SUMeshHelperCreate(&mesh, faces[1]), SU_ERROR_NONE);
  EXPECT_EQ(a.SUMeshHelperRelease(&mesh), SU_ERROR_NONE);
  double area;
  EXPECT_EQ(a.SUFaceGetArea(faces[0], &area), SU_ERROR_GENERIC);
  EXPECT_EQ(a.SUFaceGetArea(faces[1], &area), SU_ERROR_NONE);
  SULayerRef layer{nullptr};
  EXPECT_EQ(a.SUDrawingElementGetLayer(a.SUFaceToDrawingElement(faces[0]), &layer), SU_ERROR_GENERIC);
  EXPECT_EQ(a.SUFaceGetLayer(faces[0], &layer), SU_ERROR_NONE);  // a different entry point

  SUMaterialRef m{nullptr}, n{nullptr};
  ASSERT_EQ(a.SUFaceGetFrontMaterial(faces[0], &m), SU_ERROR_NONE);
  ASSERT_EQ(a.SUFaceGetFrontMaterial(faces[1], &n), SU_ERROR_NONE);
  SUColor c;
  EXPECT_EQ(a.SUMaterialGetColor(m, &c), SU_ERROR_GENERIC);
  EXPECT_EQ(a.SUMaterialGetColor(n, &c), SU_ERROR_NONE);
  SUTextureRef t{nullptr};
  ASSERT_EQ(a.SUMaterialGetTexture(m, &t), SU_ERROR_NONE);
  SUByte px[4];
  size_t size = 0, bits = 0;
  EXPECT_EQ(a.SUTextureGetImageDataSize(t, &size, &bits), SU_ERROR_NONE);
  EXPECT_EQ(a.SUTextureGetImageData(t, sizeof px, px), SU_ERROR_GENERIC);

  const auto layers = layers_of(file.model());
  bool visible;
  EXPECT_EQ(a.SULayerGetVisibility(layers[0], &visible), SU_ERROR_GENERIC);
  EXPECT_EQ(a.SULayerGetVisibility(layers[1], &visible), SU_ERROR_NONE);

  SUCameraRef camera{nullptr};
  EXPECT_EQ(a.SUSceneGetCamera(scenes_of(file.model())[0], &camera), SU_ERROR_GENERIC);
  SUVertexRef v{nullptr};
  const SUEdgeRef edge = edges_of(file.entities(), true)[0];
  EXPECT_EQ(a.SUEdgeGetStartVertex(edge, &v), SU_ERROR_GENERIC);
  EXPECT_EQ(a.SUEdgeGetStart(edge, &v), SU_ERROR_NONE);
  SUTransformation tr;
  EXPECT_EQ(a.SUGroupGetTransform(groups_of(file.entities())[0], &tr), SU_ERROR_GENERIC);
  EXPECT_EQ(a.SUComponentInstanceGetTransform(instances_of(file.entities())[0], &tr), SU_ERROR_GENERIC);
}

TEST(StandinFaults, FailingCreateGivesNoModel) {
  ModelFile file(R"({"faults": {"fail": ["SUModelCreateFromFile"]}})");
  EXPECT_EQ(file.status(), SU_ERROR_GENERIC);
  EXPECT_EQ(file.model().ptr, nullptr);
}

TEST(StandinFaults, FailingSaveWritesNothing) {
  SketchUpAPI& a = api();
  ModelFile file(R"({"faults": {"fail": ["SUModelSaveToFileWithVersion"]}})");
  ASSERT_EQ(file.status(), SU_ERROR_NONE);
  const std::string path = file.dir().file("out.skp");
  EXPECT_EQ(a.SUModelSaveToFileWithVersion(file.model(), path.c_str(), SUModelVersion_SU2019),
            SU_ERROR_GENERIC);
  EXPECT_EQ(read_file(path), "");
  EXPECT_EQ(a.SUModelSaveToFile(file.model(), path.c_str()), SU_ERROR_NONE);
}

}  // namespace
