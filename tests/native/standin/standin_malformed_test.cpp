// Files that are no model, malformed or hostile: each gives an error code (never a crash and
// never a partial model), or loads exactly as written.
#include <string>

#include "standin/file_io.h"
#include "standin_test_support.h"

namespace {

using namespace standin_test;

std::string deep_groups(int depth) {
  std::string text = "{\"entities\": ";
  for (int i = 0; i < depth; ++i) text += "{\"groups\": [{\"entities\": ";
  text += "{}";
  for (int i = 0; i < depth; ++i) text += "}]}";
  return text + "}";
}

std::string faces(const std::string& face) { return R"({"entities": {"faces": [)" + face + "]}}"; }

std::string texture(const std::string& fields) {
  return R"({"materials": [{"texture": {)" + fields + "}}]}";
}

TEST(StandinMalformed, BadFilesAreRefusedWithAnErrorCodeAndNoModel) {
  const std::string good = R"({"outer": [[0,0,0],[1,0,0],[1,1,0]]})";
  const std::pair<const char*, std::string> cases[] = {
      {"empty", ""},
      {"not json", "SketchUp Model \x01\x02\x03"},
      {"binary", std::string("\0\xff\xfe\x00\x10", 5)},
      {"truncated", R"({"entities": {"faces": [{"outer": [[0,0,0],[1,0)"},
      {"top level array", "[]"},
      {"top level number", "42"},
      {"trailing garbage", "{} {}"},
      {"layers not a list", R"({"layers": {}})"},
      {"layer name a number", R"({"layers": [{"name": 5}]})"},
      {"visible a string", R"({"layers": [{"visible": "yes"}]})"},
      {"face not an object", faces("7")},
      {"two points", faces(R"({"outer": [[0,0,0],[1,0,0]]})")},
      {"point of two numbers", faces(R"({"outer": [[0,0],[1,0,0],[1,1,0]]})")},
      {"coordinate a string", faces(R"({"outer": [["0",0,0],[1,0,0],[1,1,0]]})")},
      {"coordinate overflows", faces(R"({"outer": [[1e999,0,0],[1,0,0],[1,1,0]]})")},
      {"NaN literal", R"({"entities": {"edges": [{"start": [NaN,0,0], "end": [1,1,1]}]}})"},
      {"hole not a list", faces(R"({"outer": [[0,0,0],[1,0,0],[1,1,0]], "holes": [5]})")},
      {"transform of 15",
       R"({"entities": {"groups": [{"transform": [1,0,0,0,0,1,0,0,0,0,1,0,0,0,0]}]}})"},
      {"colour byte 256", R"({"materials": [{"name": "m", "color": [256,0,0,255]}]})"},
      {"negative colour", R"({"materials": [{"name": "m", "color": [-1,0,0,255]}]})"},
      {"negative texture width", texture(R"("width": -4, "height": 2, "fill": [1,2,3])")},
      {"fractional texture width", texture(R"("width": 2.5, "height": 2, "fill": [1,2,3])")},
      {"two texture sources",
       texture(R"("width": 1, "height": 1, "fill": [1,2,3], "image": "a.png")")},
      {"pixels not base64",
       texture(R"("width": 1, "height": 1, "bits_per_pixel": 24, "pixels": "!!!!")")},
      {"negative mesh index", faces(R"({"mesh": {"indices": [0, -1, 2]}})")},
      {"fail list of numbers", R"({"faults": {"fail": [1, 2]}})"},
      {"camera without eye", R"({"scenes": [{"camera": {"target": [0,0,0]}}]})"},
      {"edge without end", R"({"entities": {"edges": [{"start": [0,0,0]}]}})"},
      {"invalid UTF-8 in a name", "{\"layers\": [{\"name\": \"\xc3\x28\"}]}"},
      {"arrays nested 100000 deep",
       "{\"entities\": " + std::string(100000, '[') + std::string(100000, ']') + "}"},
      {"groups nested 1000 deep", deep_groups(1000)},
      {"bad face after good ones", faces(good + "," + good + R"(, {"outer": 3})")},
  };
  for (const auto& c : cases) ModelFile(c.second, SU_ERROR_MODEL_INVALID, c.first);
  // A file may ask for its own opening to fail.
  ModelFile(R"({"faults": {"fail": ["SUModelCreateFromFile"]}})", SU_ERROR_GENERIC);
}

TEST(StandinMalformed, ModerateNestingLoads) {
  ModelFile file(deep_groups(60));
  SUEntitiesRef entities = file.entities();
  int depth = 0;
  for (;;) {
    const std::vector<SUGroupRef> groups = groups_of(entities);
    if (groups.empty()) break;
    ASSERT_EQ(api().SUGroupGetEntities(groups[0], &entities), SU_ERROR_NONE);
    ++depth;
  }
  EXPECT_EQ(depth, 60);
}

// Odd but well-formed content loads as written; the caller validates it.
TEST(StandinMalformed, StrangeButWellFormedContentLoadsAsWritten) {
  SketchUpAPI& a = api();
  ModelFile file(R"({
    "unknown": {"anything": [1, 2, 3]},
    "materials": [{"name": "huge", "texture": {"width": 4000000000, "height": 4000000000,
                                                 "fill": [1, 2, 3]}}],
    "entities": {"faces": [{
      "outer": [[0,0,0],[1,0,0],[1,1,0]],
      "front": "huge",
      "mesh": {"vertices": [[0,0,0]], "indices": [0, 7, 123456789012]}
    }], "instances": [{"definition": "nowhere"}]}
  })");
  const SUFaceRef face = faces_of(file.entities())[0];
  const Mesh mesh = mesh_of(face);
  EXPECT_EQ(mesh.vertices.size(), 1u);
  EXPECT_EQ(mesh.triangles, 1u);
  ASSERT_EQ(mesh.indices.size(), 3u);
  EXPECT_EQ(mesh.indices[2], size_t(123456789012ull));

  // The absurd texture reports its size but refuses to build its pixels.
  SUMaterialRef material{nullptr};
  ASSERT_EQ(a.SUFaceGetFrontMaterial(face, &material), SU_ERROR_NONE);
  SUTextureRef texture{nullptr};
  ASSERT_EQ(a.SUMaterialGetTexture(material, &texture), SU_ERROR_NONE);
  size_t width = 0, height = 0, size = 0, bits = 0;
  double s = 0, t = 0;
  EXPECT_EQ(a.SUTextureGetDimensions(texture, &width, &height, &s, &t), SU_ERROR_NONE);
  EXPECT_EQ(width, 4000000000u);
  EXPECT_EQ(a.SUTextureGetImageDataSize(texture, &size, &bits), SU_ERROR_OUT_OF_RANGE);
  unsigned char small[16];
  EXPECT_EQ(a.SUTextureGetImageData(texture, sizeof small, small), SU_ERROR_OUT_OF_RANGE);

  // The instance of a missing definition loads; only its definition getter fails.
  const auto instances = instances_of(file.entities());
  ASSERT_EQ(instances.size(), 1u);
  SUComponentDefinitionRef definition{nullptr};
  EXPECT_NE(a.SUComponentInstanceGetDefinition(instances[0], &definition), SU_ERROR_NONE);
  EXPECT_EQ(definition.ptr, nullptr);
}

TEST(StandinMalformed, DegeneratePolygonsLoadWithoutTriangles) {
  ModelFile file(R"({"entities": {"faces": [
    {"outer": [[0,0,0],[1,1,1],[2,2,2],[3,3,3]]},
    {"outer": [[5,5,5],[5,5,5],[5,5,5]]},
    {"outer": [[0,0,0],[1e300,0,0],[1e300,1e300,0],[0,1e300,0]]}
  ]}})");
  const auto faces = faces_of(file.entities());
  ASSERT_EQ(faces.size(), 3u);
  for (int i = 0; i < 2; ++i) {
    const Mesh mesh = mesh_of(faces[i]);
    EXPECT_EQ(mesh.triangles, 0u) << i;
    EXPECT_EQ(mesh.vertices.size(), i == 0 ? 4u : 3u);
  }
  const Mesh huge = mesh_of(faces[2]);  // overflowing arithmetic: anything but a hang or crash
  for (size_t index : huge.indices) EXPECT_LT(index, huge.vertices.size());
}

// Paths that are no model file give serialization errors; the reader refuses files above its cap
// before reading them (the model cap is 512 MiB; a small cap shows the rule).
TEST(StandinMalformed, MissingFoldersAndOversizedFilesAreNotRead) {
  SketchUpAPI& a = api();
  TempDir dir;
  SUModelRef model{nullptr};
  for (const std::string& path : {dir.file("missing.skp"), dir.path(), std::string()}) {
    EXPECT_EQ(a.SUModelCreateFromFile(&model, path.c_str()), SU_ERROR_SERIALIZATION) << path;
  }
  EXPECT_EQ(model.ptr, nullptr);
  const std::string path = dir.write("big.json", std::string(100, ' ') + "{}");
  std::string contents = "untouched";
  EXPECT_EQ(standin::read_file(path, 64, &contents), standin::ReadStatus::TooLarge);
  EXPECT_EQ(standin::read_file(path, 1024, &contents), standin::ReadStatus::Ok);
  EXPECT_EQ(contents.size(), 102u);
  EXPECT_EQ(standin::read_file(dir.path(), 1024, &contents), standin::ReadStatus::NotAFile);
}

}  // namespace
