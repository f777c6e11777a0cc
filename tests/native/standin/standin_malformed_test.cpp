// Files that are no model, malformed or hostile: each gives an error code (never a crash and
// never a partial model), or loads exactly as written.
#include "standin_test_support.h"

namespace {

using namespace standin_test;

// A file whose entities hold one `kind` item; a file with one textured material.
std::string one(const std::string& kind, const std::string& item) {
  return R"({"entities": {")" + kind + R"(": [)" + item + "]}}";
}
std::string texture(const std::string& t) { return R"({"materials": [{"texture": {)" + t + "}}]}"; }

TEST(StandinMalformed, BadFilesAreRefusedWithAnErrorCodeAndNoModel) {
  const std::string good = R"({"outer": [[0,0,0],[1,0,0],[1,1,0]]}, )";
  std::string deep = "{}";
  for (int i = 0; i < 1000; ++i) deep = R"({"groups": [{"entities": )" + deep + "}]}";
  const std::pair<const char*, std::string> cases[] = {
      {"empty", ""},
      {"truncated", R"({"entities": {"faces": [{"outer": [[0,0,0],[1,0)"},
      {"top level array", "[]"},
      {"two points", one("faces", R"({"outer": [[0,0,0],[1,0,0]]})")},
      {"coordinate overflows", one("faces", R"({"outer": [[1e999,0,0],[1,0,0],[1,1,0]]})")},
      {"transform of 15", one("groups", R"({"transform": [1,0,0,0,0,1,0,0,0,0,1,0,0,0,0]})")},
      {"colour byte 256", R"({"materials": [{"name": "m", "color": [256,0,0,255]}]})"},
      {"fractional texture width", texture(R"("width": 2.5, "height": 2, "fill": [1,2,3])")},
      {"pixels not base64",
       texture(R"("width": 1, "height": 1, "bits_per_pixel": 24, "pixels": "!!!!")")},
      {"negative mesh index", one("faces", R"({"mesh": {"indices": [0, -1, 2]}})")},
      {"camera without eye", R"({"scenes": [{"camera": {"target": [0,0,0]}}]})"},
      {"invalid UTF-8 in a name", "{\"layers\": [{\"name\": \"\xc3\x28\"}]}"},
      {"arrays nested 100000 deep",
       "{\"entities\": " + std::string(100000, '[') + std::string(100000, ']') + "}"},
      {"groups nested 1000 deep", R"({"entities": )" + deep + "}"},
      {"bad face after good ones", one("faces", good + good + R"({"outer": 3})")},
      {"soft flag a number", one("edges", R"({"start": [0,0,0], "end": [1,0,0], "soft": 1})")},
      {"face_edges not a list", R"({"entities": {"face_edges": {"start": [0,0,0]}}})"},
      {"hidden a string",
       one("face_edges", R"({"start": [0,0,0], "end": [1,0,0], "hidden": "y"})")},
  };
  for (const auto& c : cases) ModelFile(c.second, SU_ERROR_MODEL_INVALID, c.first);
  // A file may ask for its own opening to fail.
  ModelFile(R"({"faults": {"fail": ["SUModelCreateFromFile"]}})", SU_ERROR_GENERIC);
}

// Odd but well-formed content loads as written; the caller validates it (out-of-range mesh
// indices, deep groups: the model's traversal tests; an absurd texture: the texture tests).
TEST(StandinMalformed, StrangeButWellFormedContentLoadsAsWritten) {
  ModelFile file(R"({"entities": {"instances": [{"definition": "nowhere"}],
    "faces": [{"outer": [[0,0,0],[1e300,0,0],[1e300,1e300,0],[0,1e300,0]]}]}})");
  const Mesh huge = mesh_of(faces_of(file.entities())[0]);  // overflows: no hang, no crash
  for (size_t index : huge.indices) EXPECT_LT(index, huge.vertices.size());
  SUComponentDefinitionRef missing{nullptr};  // a missing definition fails only its getter
  EXPECT_NE(api().SUComponentInstanceGetDefinition(instances_of(file.entities()).at(0), &missing),
            SU_ERROR_NONE);
  EXPECT_EQ(missing.ptr, nullptr);
}

// Paths that are no model file give serialization errors; files above the reader's cap are not
// read.
TEST(StandinMalformed, MissingFilesFoldersAndOversizedFilesAreNotRead) {
  ModelFile file("{}");
  SUModelRef model{nullptr};
  for (const std::string& path : {file.path("missing.skp"), file.path()})
    EXPECT_EQ(api().SUModelCreateFromFile(&model, path.c_str()), SU_ERROR_SERIALIZATION) << path;
  std::string contents;
  const std::string path = file.write("big.json", std::string(100, ' ') + "{}");
  EXPECT_EQ(standin::read_file(path, 64, &contents), standin::ReadStatus::TooLarge);
  EXPECT_EQ(standin::read_file(path, 1024, &contents), standin::ReadStatus::Ok);
  EXPECT_EQ(contents.size(), 102u);
}

}  // namespace
