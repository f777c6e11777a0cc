// The texture bytes one load copies are capped: textures beyond the cap show their average
// colour, untextured, and the load still succeeds.
#include <gtest/gtest.h>

#include "tests/native/model/standin_fixture.h"

namespace lumeno {
namespace test {
namespace {

class TextureBudgetTest : public StandinModelTest {};

TEST_F(TextureBudgetTest, TexturesBeyondTheCapShowTheirAverageColour) {
  json materials = json::array(), faces = json::array();
  for (int i = 0; i < 3; ++i) {
    const std::string name = "t" + std::to_string(i);
    // 2 x 2 BGR, rows padded to 8 bytes: 16 bytes each.
    materials.push_back({{"name", name},
                         {"texture",
                          {{"width", 2},
                           {"height", 2},
                           {"fill", {i, i, i}},
                           {"average_color", {100 + i, 50, 25, 255}}}}});
    json face = square(2.0 * i, 0, 0, 1);
    face["front"] = name;
    face["stq"] = json::array({point(0, 0, 1), point(1, 0, 1), point(1, 1, 1), point(0, 1, 1)});
    faces.push_back(face);
  }
  model_.limits.texture_bytes_per_load = 40;  // room for two
  ASSERT_TRUE(load({{"materials", materials}, {"entities", {{"faces", faces}}}}));

  ASSERT_EQ(model_.textures.size(), 2u);
  ASSERT_EQ(model_.triangles.size(), 6u);
  for (const Triangle& t : model_.triangles) {
    const TriangleVertex& v = t.vertices[0];
    if (v.x < 4.0f) {
      EXPECT_GE(v.texture_index, 0);
    } else {
      EXPECT_EQ(v.texture_index, -1);
      EXPECT_FLOAT_EQ(v.r, 102 / 255.0f) << "the third texture's average colour";
      EXPECT_FLOAT_EQ(v.g, 50 / 255.0f);
    }
  }
}

}  // namespace
}  // namespace test
}  // namespace lumeno
