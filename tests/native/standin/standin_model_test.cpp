// Opening and releasing models, argument checks of the create/release pair and the model lists.
#include "standin_test_support.h"

namespace {

using namespace standin_test;

const char* const kSmallModel = R"({
  "layers": [{"name": "Layer0"}, {"name": "Hidden", "visible": false}],
  "scenes": [{"name": "One"}, {"name": "Two"}, {"name": "Three"}],
  "entities": {"faces": [{"outer": [[0,0,0],[1,0,0],[1,1,0]]}]}
})";

TEST(StandinModel, OpensAnyFileNameWhoseContentIsAModel) {
  for (const char* name : {"model.skp", "model.3dm", "no_extension", "模型 文件.json"}) {
    ModelFile file(kSmallModel, name);
    EXPECT_EQ(file.status(), SU_ERROR_NONE) << name;
    EXPECT_NE(file.model().ptr, nullptr) << name;
  }
}

TEST(StandinModel, CreateChecksItsArguments) {
  SketchUpAPI& a = api();
  TempDir dir;
  const std::string path = dir.write("m.json", kSmallModel);
  SUModelRef model{nullptr};
  EXPECT_EQ(a.SUModelCreateFromFile(&model, nullptr), SU_ERROR_NULL_POINTER_INPUT);
  EXPECT_EQ(a.SUModelCreateFromFile(nullptr, path.c_str()), SU_ERROR_NULL_POINTER_OUTPUT);
  int dummy = 0;
  SUModelRef used{&dummy};
  EXPECT_EQ(a.SUModelCreateFromFile(&used, path.c_str()), SU_ERROR_OVERWRITE_VALID);
  EXPECT_EQ(used.ptr, &dummy);
  ASSERT_EQ(a.SUModelCreateFromFile(&model, path.c_str()), SU_ERROR_NONE);
  EXPECT_EQ(a.SUModelRelease(&model), SU_ERROR_NONE);
  EXPECT_EQ(model.ptr, nullptr);
}

TEST(StandinModel, ReleaseRefusesNullAndStaleHandles) {
  SketchUpAPI& a = api();
  TempDir dir;
  const std::string path = dir.write("m.json", kSmallModel);
  SUModelRef model{nullptr};
  EXPECT_EQ(a.SUModelRelease(nullptr), SU_ERROR_NULL_POINTER_INPUT);
  EXPECT_EQ(a.SUModelRelease(&model), SU_ERROR_INVALID_INPUT);
  ASSERT_EQ(a.SUModelCreateFromFile(&model, path.c_str()), SU_ERROR_NONE);
  SUModelRef copy = model;
  EXPECT_EQ(a.SUModelRelease(&model), SU_ERROR_NONE);
  EXPECT_EQ(a.SUModelRelease(&copy), SU_ERROR_INVALID_INPUT);  // released already
  SUEntitiesRef entities{nullptr};
  EXPECT_EQ(a.SUModelGetEntities(copy, &entities), SU_ERROR_INVALID_INPUT);
}

TEST(StandinModel, ListsFollowTheCountThenGetRule) {
  SketchUpAPI& a = api();
  ModelFile file(kSmallModel);
  ASSERT_EQ(file.status(), SU_ERROR_NONE);
  EXPECT_EQ(layers_of(file.model()).size(), 2u);
  const std::vector<SUSceneRef> scenes = scenes_of(file.model());
  ASSERT_EQ(scenes.size(), 3u);
  EXPECT_EQ(name_of(a.SUSceneGetName, scenes[2]), "Three");

  // A shorter array gets only `len` items, and the count says so.
  SUSceneRef two[2] = {{nullptr}, {nullptr}};
  size_t got = 99;
  EXPECT_EQ(a.SUModelGetScenes(file.model(), 2, two, &got), SU_ERROR_NONE);
  EXPECT_EQ(got, 2u);
  EXPECT_EQ(two[0].ptr, scenes[0].ptr);
  EXPECT_EQ(two[1].ptr, scenes[1].ptr);
  EXPECT_EQ(a.SUModelGetScenes(file.model(), 0, nullptr, &got), SU_ERROR_NONE);
  EXPECT_EQ(got, 0u);

  EXPECT_EQ(a.SUModelGetScenes(file.model(), 2, two, nullptr), SU_ERROR_NULL_POINTER_OUTPUT);
  EXPECT_EQ(a.SUModelGetScenes(file.model(), 2, nullptr, &got), SU_ERROR_NULL_POINTER_OUTPUT);
  EXPECT_EQ(a.SUModelGetNumLayers(file.model(), nullptr), SU_ERROR_NULL_POINTER_OUTPUT);
  EXPECT_EQ(a.SUModelGetNumScenes(SUModelRef{nullptr}, &got), SU_ERROR_INVALID_INPUT);
  EXPECT_EQ(a.SUModelGetEntities(file.model(), nullptr), SU_ERROR_NULL_POINTER_OUTPUT);
}

TEST(StandinModel, HandlesAreStableAcrossCalls) {
  ModelFile file(kSmallModel);
  ASSERT_EQ(file.status(), SU_ERROR_NONE);
  const SUEntitiesRef first = file.entities();
  const std::vector<SUFaceRef> faces = faces_of(first);
  EXPECT_EQ(file.entities().ptr, first.ptr);
  EXPECT_EQ(faces_of(file.entities())[0].ptr, faces[0].ptr);
  EXPECT_EQ(layers_of(file.model())[1].ptr, layers_of(file.model())[1].ptr);
}

TEST(StandinModel, HandleOfAnotherKindIsInvalidInput) {
  SketchUpAPI& a = api();
  ModelFile file(kSmallModel);
  ASSERT_EQ(file.status(), SU_ERROR_NONE);
  const SUFaceRef face = faces_of(file.entities())[0];
  size_t count = 0;
  EXPECT_EQ(a.SUEntitiesGetNumFaces(SUEntitiesRef{face.ptr}, &count), SU_ERROR_INVALID_INPUT);
  EXPECT_EQ(a.SUModelGetNumScenes(SUModelRef{face.ptr}, &count), SU_ERROR_INVALID_INPUT);
  SUColor color;
  EXPECT_EQ(a.SUMaterialGetColor(SUMaterialRef{file.entities().ptr}, &color),
            SU_ERROR_INVALID_INPUT);
}

TEST(StandinModel, TerminateFreesWhatTheCallerLeftOpen) {
  // Load a private copy of the library so that terminating it does not disturb other tests.
  TempDir dir;
  const std::string path = dir.write("m.json", kSmallModel);
  SketchUpAPI& a = api();
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

}  // namespace
