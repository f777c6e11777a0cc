// The library's exports; opening, saving and releasing models, the count-then-get lists.
#include <dlfcn.h>
#include <unistd.h>

#include <iterator>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>

#include "sdk/su_entries.h"
#include "standin_test_support.h"

namespace {

using namespace standin_test;
using nlohmann::json;

// Every name of the program's table and every vendor function is exported, and the export list
// generated for the build holds each name once.
TEST(StandinExports, EveryEntryResolvesInternalsStayHiddenAndTheListMatches) {
#define NAME(ret, name, params) #name,
  const std::set<std::string> names = {LUMENO_SU_TABLE(NAME) LUMENO_SU_VENDOR(NAME)};
#undef NAME
  for (const std::string& name : names) EXPECT_NE(dlsym(library_handle(), name.c_str()), nullptr);
  std::istringstream in(read_file(LUMENO_STANDIN_EXPORT_NAMES));
  const std::multiset<std::string> listed{std::istream_iterator<std::string>(in), {}};
  EXPECT_EQ(listed, std::multiset<std::string>(names.begin(), names.end()));
}

const char* const kModel = R"({
  "vendor_extension": {"keep": ["me", 1, true]},
  "layers": [{"name": "墙体"}],
  "scenes": [{"name": "One"}, {"name": "Two"}, {"name": "Three"}],
  "entities": {"faces": [{"outer": [[0,0,0],[2,0,0],[2,2,0],[0,2,0]], "layer": "墙体"}]}
})";

struct StandinModel : ::testing::Test {
  SketchUpAPI& a = api();
  ModelFile file{kModel, SU_ERROR_NONE, "模型 文件.3dm"};  // any name whose content is a model
};

// A valid handle is not overwritten; a released one is refused; terminate frees what the caller
// left open, and using it then is refused instead of reading freed memory.
TEST_F(StandinModel, CreateReleaseAndTerminateCheckTheirHandles) {
  const std::string path = file.write("m.json", kModel);
  SUModelRef model = file.model(), copy{nullptr};
  EXPECT_EQ(a.SUModelCreateFromFile(&model, path.c_str()), SU_ERROR_OVERWRITE_VALID);
  ASSERT_EQ(a.SUModelCreateFromFile(&copy, path.c_str()), SU_ERROR_NONE);
  model = copy;
  EXPECT_EQ(a.SUModelRelease(&model), SU_ERROR_NONE);
  EXPECT_EQ(a.SUModelRelease(&copy), SU_ERROR_INVALID_INPUT);
  SUStringRef string{nullptr};
  a.SUStringCreate(&string), a.SUTerminate();
  size_t count = 0;
  EXPECT_EQ(a.SUModelGetNumScenes(file.model(), &count), SU_ERROR_INVALID_INPUT);
  EXPECT_EQ(a.SUStringGetUTF8Length(string, &count), SU_ERROR_INVALID_INPUT);
  a.SUInitialize();
}

TEST_F(StandinModel, ListsFollowTheCountThenGetRule) {
  const std::vector<SUSceneRef> scenes = scenes_of(file.model());
  ASSERT_EQ(scenes.size(), 3u);
  SUSceneRef two[2] = {{nullptr}, {nullptr}};  // a shorter array gets `len` items, counted so
  size_t got = 99;
  EXPECT_EQ(a.SUModelGetScenes(file.model(), 2, two, &got), SU_ERROR_NONE);
  EXPECT_TRUE(got == 2 && two[1].ptr == scenes[1].ptr);
  EXPECT_EQ(scenes_of(file.model())[1].ptr, scenes[1].ptr);  // stable; another kind is refused
  EXPECT_EQ(a.SUModelGetNumScenes(SUModelRef{scenes[0].ptr}, &got), SU_ERROR_INVALID_INPUT);
}

// The document is written back with "saved_version", unknown keys kept. Unknown versions,
// unwritable paths and injected faults write nothing.
TEST_F(StandinModel, SaveWritesTheDocumentWithItsVersionOrNothing) {
  const auto save = [&](SUModelRef model, const std::string& to, int version) {
    return a.SUModelSaveToFileWithVersion(model, to.c_str(), SUModelVersion(version));
  };
  const std::string path = file.path("低版本 副本.skp"), never = file.path("never.skp");
  for (int version : {0, 14}) {
    ASSERT_EQ(save(file.model(), path, version), SU_ERROR_NONE);
    json expected = json::parse(kModel);
    expected["saved_version"] = version;
    EXPECT_EQ(json::parse(read_file(path)), expected);
  }
  ASSERT_EQ(a.SUModelSaveToFile(file.model(), path.c_str()), SU_ERROR_NONE);
  EXPECT_EQ(read_file(path), kModel);  // byte for byte
  ModelFile failing(R"({"faults": {"fail": ["SUModelSaveToFileWithVersion"]}})");
  EXPECT_EQ(save(file.model(), never, -1), SU_ERROR_MODEL_VERSION);
  EXPECT_EQ(save(file.model(), never, 15), SU_ERROR_MODEL_VERSION);
  EXPECT_EQ(save(failing.model(), never, 6), SU_ERROR_GENERIC);
  EXPECT_EQ(a.SUModelSaveToFile(file.model(), file.path().c_str()), SU_ERROR_SERIALIZATION);
  EXPECT_NE(access(never.c_str(), F_OK), 0);
}

}  // namespace
