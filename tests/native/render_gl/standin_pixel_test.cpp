// The road from a model file to the picture: models served by the stand-in SDK, loaded by the
// model store and drawn. Texture bytes arrive as the vendor delivers them (blue-green-red,
// bottom row first, rows padded to 4 bytes).
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

#include "gl_fixture.h"
#include "tests/native/support/sdk_binding.h"

namespace {

using json = nlohmann::json;

json pt(double x, double y, double z) { return json::array({x, y, z}); }

class StandinPixels : public GlPixelTest {
 protected:
  void SetUp() override {
    GlPixelTest::SetUp();
    ASSERT_TRUE(lumeno::test::bind_full_sdk(LUMENO_STANDIN_FULL_DIR));
    char pattern[] = "/tmp/lumeno_render_gl_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    model_.unload();
    std::error_code ignored;
    if (!dir_.empty()) std::filesystem::remove_all(dir_, ignored);
    GlPixelTest::TearDown();
  }
  bool load(const json& file) {
    const std::string path = dir_ + "/model.skp";
    std::ofstream(path, std::ios::binary) << file.dump();
    return model_.load_from_file(path);
  }
  std::string dir_;
  SkpModel model_;
};

TEST_F(StandinPixels, FilledTextureDrawsInItsColour) {
  const json file = {
      {"materials",
       {{{"name", "painted"},
         {"color", {255, 255, 255, 255}},
         {"texture", {{"width", 3}, {"height", 2}, {"fill", {200, 40, 90}}}}}}},
      {"entities",
       {{"faces",
         {{{"outer", {pt(-20, -20, 1), pt(20, -20, 1), pt(20, 20, 1), pt(-20, 20, 1)}},
           {"front", "painted"},
           {"stq", {pt(0, 0, 1), pt(1, 0, 1), pt(1, 1, 1), pt(0, 1, 1)}}}}}}}};
  ASSERT_TRUE(load(file));
  ASSERT_EQ(model_.textures.size(), 1u);
  const Viewport top = full_pane(89, 0, 75);
  RenderOptions options;
  options.show_lighting = false;
  draw(model_, {top}, options);
  ASSERT_NE(renderer_.texture_names().at(0), 0u);
  for (P3 p : {P3{-12, -12, 1}, P3{12, 12, 1}, P3{10, -14, 1}})
    EXPECT_PRED3(near, at_world(model_, top, p), (Rgb{200, 40, 90}), 6);
}

}  // namespace
