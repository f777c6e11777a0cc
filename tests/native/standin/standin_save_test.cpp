// Saving: the document written back with "saved_version", unknown keys kept; version and path
// errors.
#include <sys/stat.h>
#include <unistd.h>

#include <nlohmann/json.hpp>

#include "standin_test_support.h"

namespace {

using namespace standin_test;
using nlohmann::json;

const char* const kModel = R"({
  "vendor_extension": {"keep": ["me", 1, true]},
  "layers": [{"name": "墙体", "visible": false, "colour_hint": 7}],
  "entities": {"faces": [{"outer": [[0,0,0],[2,0,0],[2,2,0],[0,2,0]], "layer": "墙体"}]}
})";

TEST(StandinSave, WithVersionWritesTheDocumentWithItsVersion) {
  SketchUpAPI& a = api();
  ModelFile file(kModel);
  ASSERT_EQ(file.status(), SU_ERROR_NONE);
  for (int version : {0, 6, 13, 14}) {
    const std::string path = file.dir().file("saved_" + std::to_string(version) + ".skp");
    ASSERT_EQ(a.SUModelSaveToFileWithVersion(file.model(), path.c_str(),
                                             static_cast<SUModelVersion>(version)),
              SU_ERROR_NONE);
    const json saved = json::parse(read_file(path));
    EXPECT_EQ(saved.at("saved_version"), version);
    json expected = json::parse(kModel);
    expected["saved_version"] = version;
    EXPECT_EQ(saved, expected);  // every key, unknown ones included
  }
}

TEST(StandinSave, SavedFileReopensWithTheSameContent) {
  SketchUpAPI& a = api();
  ModelFile file(kModel);
  ASSERT_EQ(file.status(), SU_ERROR_NONE);
  const std::string path = file.dir().file("低版本 副本.skp");
  ASSERT_EQ(a.SUModelSaveToFileWithVersion(file.model(), path.c_str(), SUModelVersion_SU2017),
            SU_ERROR_NONE);
  SUModelRef reopened{nullptr};
  ASSERT_EQ(a.SUModelCreateFromFile(&reopened, path.c_str()), SU_ERROR_NONE);
  const auto layers = layers_of(reopened);
  ASSERT_EQ(layers.size(), 1u);
  EXPECT_EQ(name_of(a.SULayerGetName, layers[0]), "墙体");
  SUEntitiesRef entities{nullptr};
  ASSERT_EQ(a.SUModelGetEntities(reopened, &entities), SU_ERROR_NONE);
  const auto faces = faces_of(entities);
  ASSERT_EQ(faces.size(), 1u);
  double area = 0;
  EXPECT_EQ(a.SUFaceGetArea(faces[0], &area), SU_ERROR_NONE);
  EXPECT_DOUBLE_EQ(area, 4.0);
  SULayerRef layer{nullptr};
  EXPECT_EQ(a.SUFaceGetLayer(faces[0], &layer), SU_ERROR_NONE);
  EXPECT_EQ(layer.ptr, layers[0].ptr);

  // Saving the saved file again replaces the version instead of adding a second key.
  const std::string again = file.dir().file("again.skp");
  ASSERT_EQ(a.SUModelSaveToFileWithVersion(reopened, again.c_str(), SUModelVersion_SU2013),
            SU_ERROR_NONE);
  EXPECT_EQ(json::parse(read_file(again)).at("saved_version"), 6);
  EXPECT_EQ(a.SUModelRelease(&reopened), SU_ERROR_NONE);
}

TEST(StandinSave, SaveToFileKeepsTheDocumentUnchanged) {
  SketchUpAPI& a = api();
  ModelFile file(kModel);
  ASSERT_EQ(file.status(), SU_ERROR_NONE);
  const std::string path = file.dir().file("copy.skp");
  ASSERT_EQ(a.SUModelSaveToFile(file.model(), path.c_str()), SU_ERROR_NONE);
  EXPECT_EQ(read_file(path), kModel);
}

TEST(StandinSave, UnknownVersionIsRefusedWithoutWriting) {
  SketchUpAPI& a = api();
  ModelFile file(kModel);
  ASSERT_EQ(file.status(), SU_ERROR_NONE);
  const std::string path = file.dir().file("never.skp");
  for (int version : {-1, 15, 2021, 0x7fffffff}) {
    EXPECT_EQ(a.SUModelSaveToFileWithVersion(file.model(), path.c_str(),
                                             static_cast<SUModelVersion>(version)),
              SU_ERROR_MODEL_VERSION)
        << version;
  }
  EXPECT_NE(access(path.c_str(), F_OK), 0);
}

TEST(StandinSave, UnwritablePathsAndBadArguments) {
  SketchUpAPI& a = api();
  ModelFile file(kModel);
  ASSERT_EQ(file.status(), SU_ERROR_NONE);
  const std::string missing_folder = file.dir().file("no/such/folder/x.skp");
  EXPECT_EQ(a.SUModelSaveToFileWithVersion(file.model(), missing_folder.c_str(),
                                           SUModelVersion_SU2020),
            SU_ERROR_SERIALIZATION);
  EXPECT_EQ(a.SUModelSaveToFile(file.model(), missing_folder.c_str()), SU_ERROR_SERIALIZATION);
  EXPECT_EQ(a.SUModelSaveToFileWithVersion(file.model(), file.dir().path().c_str(),
                                           SUModelVersion_SU2020),
            SU_ERROR_SERIALIZATION);  // a folder
  EXPECT_EQ(a.SUModelSaveToFileWithVersion(file.model(), nullptr, SUModelVersion_SU2020),
            SU_ERROR_NULL_POINTER_INPUT);
  EXPECT_EQ(a.SUModelSaveToFileWithVersion(SUModelRef{nullptr}, "x", SUModelVersion_SU2020),
            SU_ERROR_INVALID_INPUT);
}

}  // namespace
