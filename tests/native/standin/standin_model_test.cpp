// Opening, saving and releasing models, argument checks of the create/release pair, the model
// lists, and injected faults (model-wide and per element).
#include <unistd.h>

#include <nlohmann/json.hpp>

#include "standin_test_support.h"

namespace {

using namespace standin_test;
using nlohmann::json;

const char* const kModel = R"({
  "vendor_extension": {"keep": ["me", 1, true]},
  "layers": [{"name": "墙体"}, {"name": "Hidden", "visible": false, "colour_hint": 7}],
  "scenes": [{"name": "One"}, {"name": "Two"}, {"name": "Three"}],
  "entities": {"faces": [{"outer": [[0,0,0],[2,0,0],[2,2,0],[0,2,0]], "layer": "墙体"}]}
})";

struct StandinModel : ::testing::Test {
  SketchUpAPI& a = api();
};

TEST_F(StandinModel, OpensAnyFileNameWhoseContentIsAModel) {
  for (const char* name : {"model.skp", "model.3dm", "no_extension", "模型 文件.json"}) {
    ModelFile file(kModel, SU_ERROR_NONE, name);
    EXPECT_NE(file.model().ptr, nullptr) << name;
  }
}

TEST_F(StandinModel, CreateAndReleaseCheckTheirArguments) {
  TempDir dir;
  const std::string path = dir.write("m.json", kModel);
  SUModelRef model{nullptr};
  EXPECT_EQ(a.SUModelCreateFromFile(&model, nullptr), SU_ERROR_NULL_POINTER_INPUT);
  EXPECT_EQ(a.SUModelCreateFromFile(nullptr, path.c_str()), SU_ERROR_NULL_POINTER_OUTPUT);
  int dummy = 0;
  SUModelRef used{&dummy};
  EXPECT_EQ(a.SUModelCreateFromFile(&used, path.c_str()), SU_ERROR_OVERWRITE_VALID);
  EXPECT_EQ(used.ptr, &dummy);
  EXPECT_EQ(a.SUModelRelease(nullptr), SU_ERROR_NULL_POINTER_INPUT);
  EXPECT_EQ(a.SUModelRelease(&model), SU_ERROR_INVALID_INPUT);
  ASSERT_EQ(a.SUModelCreateFromFile(&model, path.c_str()), SU_ERROR_NONE);
  SUModelRef copy = model;
  EXPECT_EQ(a.SUModelRelease(&model), SU_ERROR_NONE);
  EXPECT_EQ(model.ptr, nullptr);
  EXPECT_EQ(a.SUModelRelease(&copy), SU_ERROR_INVALID_INPUT);  // released already
  SUEntitiesRef entities{nullptr};
  EXPECT_EQ(a.SUModelGetEntities(copy, &entities), SU_ERROR_INVALID_INPUT);
}

TEST_F(StandinModel, ListsFollowTheCountThenGetRule) {
  ModelFile file(kModel);
  EXPECT_EQ(layers_of(file.model()).size(), 2u);
  const std::vector<SUSceneRef> scenes = scenes_of(file.model());
  ASSERT_EQ(scenes.size(), 3u);
  EXPECT_EQ(name_of(a.SUSceneGetName, scenes[2]), "Three");
  // A shorter array gets only `len` items, and the count says so.
  SUSceneRef two[2] = {{nullptr}, {nullptr}};
  size_t got = 99;
  EXPECT_EQ(a.SUModelGetScenes(file.model(), 2, two, &got), SU_ERROR_NONE);
  EXPECT_EQ(got, 2u);
  EXPECT_EQ(two[1].ptr, scenes[1].ptr);
  EXPECT_EQ(a.SUModelGetScenes(file.model(), 0, nullptr, &got), SU_ERROR_NONE);
  EXPECT_EQ(got, 0u);
  EXPECT_EQ(a.SUModelGetScenes(file.model(), 2, two, nullptr), SU_ERROR_NULL_POINTER_OUTPUT);
  EXPECT_EQ(a.SUModelGetScenes(file.model(), 2, nullptr, &got), SU_ERROR_NULL_POINTER_OUTPUT);
  EXPECT_EQ(a.SUModelGetNumLayers(file.model(), nullptr), SU_ERROR_NULL_POINTER_OUTPUT);
  EXPECT_EQ(a.SUModelGetNumScenes(SUModelRef{nullptr}, &got), SU_ERROR_INVALID_INPUT);
  EXPECT_EQ(a.SUModelGetEntities(file.model(), nullptr), SU_ERROR_NULL_POINTER_OUTPUT);
  // Handles are stable across calls; a handle of another kind is invalid input.
  const SUFaceRef face = faces_of(file.entities())[0];
  EXPECT_EQ(faces_of(file.entities())[0].ptr, face.ptr);
  EXPECT_EQ(layers_of(file.model())[1].ptr, layers_of(file.model())[1].ptr);
  EXPECT_EQ(a.SUEntitiesGetNumFaces(SUEntitiesRef{face.ptr}, &got), SU_ERROR_INVALID_INPUT);
  EXPECT_EQ(a.SUModelGetNumScenes(SUModelRef{face.ptr}, &got), SU_ERROR_INVALID_INPUT);
  SUColor color;
  EXPECT_EQ(a.SUMaterialGetColor(SUMaterialRef{file.entities().ptr}, &color),
            SU_ERROR_INVALID_INPUT);
}

TEST_F(StandinModel, TerminateFreesWhatTheCallerLeftOpen) {
  TempDir dir;
  const std::string path = dir.write("m.json", kModel);
  SUModelRef model{nullptr};
  ASSERT_EQ(a.SUModelCreateFromFile(&model, path.c_str()), SU_ERROR_NONE);
  SUStringRef string{nullptr};
  ASSERT_EQ(a.SUStringCreate(&string), SU_ERROR_NONE);
  a.SUTerminate();
  // Both handles are gone: using them is refused instead of reading freed memory.
  size_t count = 0;
  EXPECT_EQ(a.SUModelGetNumScenes(model, &count), SU_ERROR_INVALID_INPUT);
  EXPECT_EQ(a.SUStringGetUTF8Length(string, &count), SU_ERROR_INVALID_INPUT);
  a.SUInitialize();
}

// The document is written back with "saved_version", unknown keys kept.
TEST_F(StandinModel, SaveWithVersionWritesTheDocumentWithItsVersion) {
  ModelFile file(kModel);
  for (int version : {0, 6, 13, 14}) {
    const std::string path = file.dir().file("低版本 副本.skp");
    ASSERT_EQ(a.SUModelSaveToFileWithVersion(file.model(), path.c_str(),
                                             static_cast<SUModelVersion>(version)),
              SU_ERROR_NONE);
    json expected = json::parse(kModel);
    expected["saved_version"] = version;
    EXPECT_EQ(json::parse(read_file(path)), expected);  // every key, unknown ones included
    // The saved file reopens; saving it again replaces the version instead of adding a key.
    SUModelRef reopened{nullptr};
    ASSERT_EQ(a.SUModelCreateFromFile(&reopened, path.c_str()), SU_ERROR_NONE);
    EXPECT_EQ(name_of(a.SULayerGetName, layers_of(reopened)[0]), "墙体");
    const std::string again = file.dir().file("again.skp");
    ASSERT_EQ(a.SUModelSaveToFileWithVersion(reopened, again.c_str(), SUModelVersion_SU2013),
              SU_ERROR_NONE);
    EXPECT_EQ(json::parse(read_file(again)).at("saved_version"), 6);
    EXPECT_EQ(a.SUModelRelease(&reopened), SU_ERROR_NONE);
  }
  const std::string copy = file.dir().file("copy.skp");
  ASSERT_EQ(a.SUModelSaveToFile(file.model(), copy.c_str()), SU_ERROR_NONE);
  EXPECT_EQ(read_file(copy), kModel);  // byte for byte
}

TEST_F(StandinModel, SaveRefusesBadVersionsPathsAndArgumentsWithoutWriting) {
  ModelFile file(kModel);
  const std::string path = file.dir().file("never.skp");
  for (int version : {-1, 15, 2021, 0x7fffffff}) {
    EXPECT_EQ(a.SUModelSaveToFileWithVersion(file.model(), path.c_str(),
                                             static_cast<SUModelVersion>(version)),
              SU_ERROR_MODEL_VERSION)
        << version;
  }
  EXPECT_NE(access(path.c_str(), F_OK), 0);
  const std::string no_folder = file.dir().file("no/such/folder/x.skp");
  for (const std::string& bad : {no_folder, file.dir().path()}) {
    EXPECT_EQ(a.SUModelSaveToFileWithVersion(file.model(), bad.c_str(), SUModelVersion_SU2020),
              SU_ERROR_SERIALIZATION);
    EXPECT_EQ(a.SUModelSaveToFile(file.model(), bad.c_str()), SU_ERROR_SERIALIZATION);
  }
  EXPECT_EQ(a.SUModelSaveToFileWithVersion(file.model(), nullptr, SUModelVersion_SU2020),
            SU_ERROR_NULL_POINTER_INPUT);
  EXPECT_EQ(a.SUModelSaveToFileWithVersion(SUModelRef{nullptr}, "x", SUModelVersion_SU2020),
            SU_ERROR_INVALID_INPUT);
  ModelFile failing(R"({"faults": {"fail": ["SUModelSaveToFileWithVersion"]}})");
  EXPECT_EQ(a.SUModelSaveToFileWithVersion(failing.model(), path.c_str(), SUModelVersion_SU2019),
            SU_ERROR_GENERIC);
  EXPECT_EQ(read_file(path), "");
  EXPECT_EQ(a.SUModelSaveToFile(failing.model(), path.c_str()), SU_ERROR_NONE);
}

// A model-wide list fails every call of the named entry points, also on inner entities and on
// mesh helpers; other entry points keep working.
TEST_F(StandinModel, ModelWideFaultsFailEveryCallOfThoseEntryPoints) {
  ModelFile file(R"({
    "faults": {"fail": ["SUEntitiesGetEdges", "SUMeshHelperGetVertices", "SULayerGetName",
                        "SUModelGetNumScenes", "NotAnEntryPoint"]},
    "layers": [{"name": "L"}],
    "entities": {"faces": [{"outer": [[0,0,0],[1,0,0],[0,1,0]], "fail": ["SUMeshHelperGetNormals"]}],
                 "groups": [{"entities": {"edges": [{"start": [0,0,0], "end": [1,0,0]}]}}]}
  })");
  SUEdgeRef edges[1] = {{nullptr}};
  size_t count = 0;
  EXPECT_EQ(a.SUEntitiesGetEdges(file.entities(), false, 1, edges, &count), SU_ERROR_GENERIC);
  SUEntitiesRef inner{nullptr};
  ASSERT_EQ(a.SUGroupGetEntities(groups_of(file.entities())[0], &inner), SU_ERROR_NONE);
  EXPECT_EQ(a.SUEntitiesGetEdges(inner, true, 1, edges, &count), SU_ERROR_GENERIC);
  EXPECT_EQ(a.SUEntitiesGetNumEdges(inner, true, &count), SU_ERROR_NONE);
  EXPECT_EQ(count, 1u);
  EXPECT_EQ(a.SUModelGetNumScenes(file.model(), &count), SU_ERROR_GENERIC);
  SUResult status = SU_ERROR_NONE;
  name_of(a.SULayerGetName, layers_of(file.model())[0], &status);
  EXPECT_EQ(status, SU_ERROR_GENERIC);
  SUMeshHelperRef mesh{nullptr};
  ASSERT_EQ(a.SUMeshHelperCreate(&mesh, faces_of(file.entities())[0]), SU_ERROR_NONE);
  SUPoint3D points[3];
  SUVector3D normals[3];
  EXPECT_EQ(a.SUMeshHelperGetVertices(mesh, 3, points, &count), SU_ERROR_GENERIC);
  EXPECT_EQ(a.SUMeshHelperGetNormals(mesh, 3, normals, &count), SU_ERROR_GENERIC);
  EXPECT_EQ(a.SUMeshHelperGetNumTriangles(mesh, &count), SU_ERROR_NONE);
  EXPECT_EQ(a.SUMeshHelperRelease(&mesh), SU_ERROR_NONE);
}

// An element's own list fails only the calls made on that element's handle.
TEST_F(StandinModel, ElementFaultsFailOnlyThatElement) {
  ModelFile file(R"({
    "layers": [{"name": "bad", "fail": ["SULayerGetVisibility"]}, {"name": "good"}],
    "materials": [{"name": "M", "color": [1,2,3,4], "fail": ["SUMaterialGetColor"],
                   "texture": {"width": 1, "height": 1, "fill": [1,2,3],
                               "fail": ["SUTextureGetImageData"]}},
                  {"name": "N", "color": [1,2,3,4]}],
    "scenes": [{"fail": ["SUSceneGetCamera"], "camera": {"eye": [0,0,0], "target": [1,0,0]}}],
    "entities": {
      "faces": [{"outer": [[0,0,0],[1,0,0],[0,1,0]], "front": "M",
                 "fail": ["SUMeshHelperCreate", "SUDrawingElementGetLayer", "SUFaceGetArea"]},
                {"outer": [[0,0,0],[1,0,0],[0,1,0]], "front": "N"}],
      "edges": [{"start": [0,0,0], "end": [1,0,0], "fail": ["SUEdgeGetStartVertex"]}],
      "groups": [{"fail": ["SUGroupGetTransform"]}],
      "instances": [{"definition": "D", "fail": ["SUComponentInstanceGetTransform"]}]
    }
  })");
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
  EXPECT_EQ(a.SUDrawingElementGetLayer(a.SUFaceToDrawingElement(faces[0]), &layer),
            SU_ERROR_GENERIC);
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
  EXPECT_EQ(a.SUComponentInstanceGetTransform(instances_of(file.entities())[0], &tr),
            SU_ERROR_GENERIC);
}

}  // namespace
